// The output layer GDAL writes into a LayerOutput's temporary folder, in the
// target datum's CRS, with the creation options of its format.
#pragma once

#include <ogrsf_frmts.h>

#include <optional>
#include <string>

#include "EpsgShifts.h"
#include "LayerCrs.h"
#include "LayerFormat.h"
#include "LayerOutput.h"

namespace trevalco::layers {

// The EPSG code and UTM zone the output is written in: the target datum's
// geographic CRS, or its CRS in `zone`; WGS 84 for KML, which holds no other.
// Throws LayerUsageError (KML of a target other than SIRGAS, a zone the
// database has no CRS for), with the advice of the command that asked.
struct TargetCrs {
    int code = 0;
    std::optional<int> zone;
};
// What a refusal tells the user to do, in the options of the command that
// writes the layer.
struct TargetAdvice {
    std::string toSirgas;   // how to choose SIRGAS as the target: "--to sirgas"
    std::string otherZone;  // how to choose another zone: "elija otra con --target-zone"
};
TargetCrs TargetCrsFor(Datum target, int sirgas, std::optional<int> zone, FormatKind format,
                       const TargetAdvice& advice);

struct OutputDataset {
    GDALDatasetUniquePtr dataset;
    OGRLayer* layer = nullptr;
    OGRSpatialReference srs;
};

// Creates the dataset and its one layer; a KML's placemarks are named by
// `nameField` (GDAL's default: "Name"). Throws LayerError.
OutputDataset CreateOutput(const LayerOutput& output, FormatKind format, int code, const char* layerName,
                           OGRwkbGeometryType type, const std::string& description, ShiftSet shifts,
                           const char* nameField = nullptr);

// Writes the features of the output layer; a GeoPackage's in transactions
// of many features, as one transaction a feature is many times slower.
class FeatureWriter {
public:
    FeatureWriter(GDALDataset& dataset, OGRLayer& layer, bool transactions)
        : dataset_(dataset), layer_(layer), transactions_(transactions) {}

    // A feature of the layer's definition. Throws LayerError.
    void Write(OGRFeature& feature);
    // Commits what is pending and flushes the layer. Throws LayerError.
    void Finish();
    std::uint64_t Written() const { return written_; }

private:
    void Commit();

    GDALDataset& dataset_;
    OGRLayer& layer_;
    bool transactions_;
    std::uint64_t written_ = 0;
};

// Writes the CRS as an ESRI .prj (beside a DXF, which holds none). Throws
// LayerError.
void WritePrj(const std::filesystem::path& path, const OGRSpatialReference& srs);

}  // namespace trevalco::layers
