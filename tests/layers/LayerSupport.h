// Layers the tests make from small text tables with ogr2ogr, and what they
// read back with GDAL: every vertex in order, the features' names and the CRS.
#pragma once

#include <ogrsf_frmts.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "Gdal.h"
#include "LayerCrs.h"
#include "PointCore.h"

namespace trevalco::layers::test {

namespace fs = std::filesystem;

struct Vertex {
    double x = 0.0, y = 0.0, z = 0.0;
};

// Records the vertices a geometry hands to a transformation, in order.
class VertexRecorder final : public OGRCoordinateTransformation {
public:
    std::vector<Vertex> vertices;
    int Transform(int count, double* x, double* y, double* z, double*, int* success) override {
        for (int i = 0; i < count; ++i) {
            vertices.push_back({x[i], y[i], z != nullptr ? z[i] : 0.0});
            if (success != nullptr) success[i] = TRUE;
        }
        return TRUE;
    }
    OGRSpatialReference* GetSourceCS() override { return nullptr; }
    OGRSpatialReference* GetTargetCS() override { return nullptr; }
    OGRCoordinateTransformation* Clone() const override { return new VertexRecorder(*this); }
    OGRCoordinateTransformation* GetInverse() const override { return nullptr; }
};

struct ReadLayer {
    int code = 0;  // EPSG code of the layer's CRS (0: none)
    std::vector<std::string> names;                // the "name" field of each feature
    std::vector<OGRwkbGeometryType> types;          // flattened
    std::vector<std::vector<Vertex>> vertices;      // each feature's
    std::vector<OGRFieldType> fieldTypes;
};

// Makes `path` from a CSV table of "name,WKT" lines with ogr2ogr.
inline void MakeLayer(const fs::path& path, const std::string& rows, const std::string& srs,
                      const std::string& extra = "") {
    const fs::path csv = path.parent_path() / "tabla.csv";
    workbook::test::Spill(csv, "name,WKT\n" + rows);
    const std::string command = "ogr2ogr -q " + extra + " -oo GEOM_POSSIBLE_NAMES=WKT -oo KEEP_GEOM_COLUMNS=NO " +
                                (srs.empty() ? "" : "-a_srs " + srs + " ") + "'" + path.string() + "' '" +
                                csv.string() + "' -nln vertices 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    fs::remove(csv);
}

inline ReadLayer Read(const fs::path& path, const std::vector<std::string>& openOptions = {}) {
    RegisterDrivers();
    std::vector<const char*> options;
    for (const std::string& option : openOptions) options.push_back(option.c_str());
    options.push_back(nullptr);
    GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR, nullptr, options.data(), nullptr));
    ReadLayer read;
    if (!dataset) return read;
    OGRLayer* layer = dataset->GetLayer(0);
    if (const OGRSpatialReference* srs = layer->GetSpatialRef()) {
        const CrsReading crs = IdentifyCrs(*srs);
        read.code = crs.crs ? crs.crs->code : -1;
    }
    for (int i = 0; i < layer->GetLayerDefn()->GetFieldCount(); ++i)
        read.fieldTypes.push_back(layer->GetLayerDefn()->GetFieldDefn(i)->GetType());
    for (auto& feature : *layer) {
        const int name = feature->GetFieldIndex("name");
        read.names.push_back(name >= 0 ? feature->GetFieldAsString(name) : "");
        VertexRecorder recorder;
        OGRGeometry* geometry = feature->GetGeometryRef();
        read.types.push_back(geometry ? wkbFlatten(geometry->getGeometryType()) : wkbNone);
        if (geometry != nullptr) geometry->transform(&recorder);
        read.vertices.push_back(recorder.vertices);
    }
    return read;
}

// The point core's conversion of a PSAD56 / UTM 19S vertex to SIRGAS, in
// zone 19 or geographic.
inline core::Outcome ThroughCore(const Vertex& v, bool geographic) {
    core::Settings settings;
    settings.direction = DirectionKey::Psad56ToSirgas;
    settings.forced = geographic ? zones::ForcedZone::Off() : zones::ForcedZone::To(19);
    settings.zone = 19;
    settings.rules = core::InputRules::CommandLine;
    settings.texts = false;
    return core::ConvertPoint(core::Notation::Utm, {v.y, v.x, 19.0}, settings);
}

// The EPSG code of the CRS a .prj file holds (0: unreadable).
inline int PrjCode(const fs::path& prj) {
    OGRSpatialReference srs;
    if (srs.SetFromUserInput(prj.c_str()) != OGRERR_NONE) return 0;
    const CrsReading crs = IdentifyCrs(srs);
    return crs.crs ? crs.crs->code : -1;
}

}  // namespace trevalco::layers::test
