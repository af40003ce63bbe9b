// A whole vector layer from one datum to the other: read feature by feature
// (never held whole), every vertex through the point core with its own
// band, written with the target datum's CRS through the output's lock and
// temporary folder, or into a PostGIS table inside one transaction
// (PostgisTable.h). Input and output may each be a file or a table.
//
// A feature with a vertex the core does not carry is left out and reported;
// one whose vertices lie in two bands is converted and reported with the
// limit's latitude, as its shape carries the jump between the bands.
// Features without a geometry, or with an empty one, are written as they are
// and counted; invalid geometries (a ring that crosses itself) are converted
// vertex by vertex like any other, not mended, and counted.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CsvSource.h"
#include "EpsgShifts.h"
#include "FeatureNotes.h"
#include "Gdal.h"
#include "LayerCrs.h"
#include "VertexCarrier.h"

namespace trevalco::layers {

struct LayerRequest {
    std::filesystem::path input;   // a file, or a database ("PG:dbname=…")
    std::filesystem::path output;  // the same
    std::optional<std::string> sourceLayer;  // --source-layer: a layer of the file, a table of the database
    std::optional<std::string> targetLayer;  // --target-layer: the table written into a database
    std::optional<std::string> sourceCrs;    // --source-crs, for a layer without a CRS
    Datum target = Datum::Sirgas;
    std::optional<int> targetZone;  // --target-zone
    bool geographic = false;        // --geographic
    int sirgas = kDefaultSirgas;    // the SIRGAS side's geographic code
    ShiftSet shifts = ShiftSet::Seed;
    bool overwrite = false;
    // --report: a CSV file of every feature left out or crossing a band
    // limit (OmissionReport.h), replaced too with `overwrite`.
    std::optional<std::filesystem::path> report;
};

// What the run tells as it goes (each feature left out or crossing a band
// limit), so that nothing grows with the layer. A listener overrides the
// calls it wants: LeftOut and Crossing give the refusal and the limits as
// they are; Noted gives the same features as notes (cause, where), one for
// each feature left out and one for each limit a written feature crosses.
class LayerListener {
public:
    virtual ~LayerListener() = default;
    virtual void LeftOut(std::int64_t /*fid*/, const VertexRefusal& /*reason*/) {}
    virtual void Crossing(std::int64_t /*fid*/, const std::vector<double>& /*limits*/) {}
    virtual void Noted(const FeatureNote& /*note*/) {}

protected:
    LayerListener() = default;
    LayerListener(const LayerListener&) = default;
    LayerListener& operator=(const LayerListener&) = default;
};

struct LayerSummary {
    bool interrupted = false;  // stopped on request: nothing written
    std::uint64_t written = 0;
    std::uint64_t leftOut = 0;
    std::uint64_t crossing = 0;
    std::uint64_t withoutGeometry = 0;  // null or empty geometry, written as it is
    std::uint64_t invalid = 0;          // invalid geometry (self-crossing ring...), converted all the same
    int sourceCode = 0;
    int targetCode = 0;
    // Written without their Z or M: a FlatGeobuf layer or a table holds them
    // only when it declares them, and a source layer of mixed geometries
    // declares none.
    std::uint64_t flattened = 0;
    std::string table{};  // the table written, "schema.table" (none for a file)
    // No feature with a geometry was converted, every one was left out: no
    // output was written (nor a table created).
    bool nothingConverted = false;
    DirectionKey direction = DirectionKey::SirgasToPsad56;
    std::string source{};  // the layer's CRS: "EPSG:3857", or the name of one without an EPSG code
    // The features left out, by cause, then those crossing a band limit.
    std::vector<CauseGroup> causes{};
};

// Converts the layer. Throws LayerUsageError or LayerError (Spanish).
LayerSummary ConvertLayer(const LayerRequest& request, LayerListener& listener,
                          const std::function<bool()>& stopRequested);

}  // namespace trevalco::layers
