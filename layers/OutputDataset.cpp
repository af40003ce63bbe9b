#include "OutputDataset.h"

#include <cpl_conv.h>

#include <fstream>

#include "Gdal.h"

namespace trevalco::layers {

namespace {

// Features a transaction holds. With each commit GDAL adds the transaction's
// features to the GeoPackage's spatial index, so the index grows while the
// next features are converted instead of in one long step at the end.
constexpr std::uint64_t kTransactionFeatures = 5000;

std::string SqlText(std::string_view text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

// A GeoPackage layer gets its spatial index (the R-tree and its triggers)
// before its first feature: GDAL's default builds the whole index when the
// layer is closed, where it takes as long as the conversion and nothing runs
// beside it. SQLite's syncs go too: the file is a temporary one, synced once
// when it is committed and moved into place.
void IndexAsWritten(GDALDataset& dataset, OGRLayer& layer) {
    const std::string sql = "SELECT CreateSpatialIndex(" + SqlText(layer.GetName()) + ", " +
                            SqlText(layer.GetGeometryColumn()) + ")";
    CPLErrorReset();
    OGRLayer* result = dataset.ExecuteSQL(sql.c_str(), nullptr, nullptr);
    OGRFeatureUniquePtr row(result != nullptr ? result->GetNextFeature() : nullptr);
    const bool made = row && row->GetFieldAsInteger(0) == 1;
    row.reset();
    if (result != nullptr) dataset.ReleaseResultSet(result);
    if (!made) throw LayerError("no se pudo crear el índice espacial de la capa: " + LastGdalMessage());
    if (OGRLayer* pragma = dataset.ExecuteSQL("PRAGMA synchronous = OFF", nullptr, nullptr))
        dataset.ReleaseResultSet(pragma);
}

}  // namespace

TargetCrs TargetCrsFor(Datum target, int sirgas, std::optional<int> zone, FormatKind format,
                       const TargetAdvice& advice) {
    if (format == FormatKind::Kml) {
        if (target != Datum::Sirgas)
            throw LayerUsageError("KML siempre está en WGS 84: solo se escribe una capa convertida a SIRGAS (" +
                                  advice.toSirgas + ")");
        return {4326, std::nullopt};
    }
    const int geographic = GeographicCode(target, sirgas);
    if (!zone) return {geographic, std::nullopt};
    const std::optional<int> code = UtmCode(geographic, *zone);
    if (!code)
        throw LayerUsageError("la base de datos EPSG no tiene la zona UTM " + std::to_string(*zone) + " S de EPSG:" +
                              std::to_string(geographic) + "; " + advice.otherZone);
    return {*code, zone};
}

OutputDataset CreateOutput(const LayerOutput& output, FormatKind format, int code, const char* layerName,
                           OGRwkbGeometryType type, const std::string& description, ShiftSet shifts,
                           const char* nameField) {
    const std::optional<OutputFormat> known = FormatOf(output.WorkingPath());
    CreationOptions options = OptionsFor(format, output.Folder(), description, ShiftSetName(shifts));
    if (format == FormatKind::Kml && nameField != nullptr) options.dataset.push_back(std::string("NameField=") + nameField);
    GDALDriver* driver = known ? GetGDALDriverManager()->GetDriverByName(known->driver) : nullptr;
    OptionList datasetOptions(options.dataset), layerOptions(options.layer);
    OutputDataset created{nullptr, nullptr, SpatialReference(code)};
    if (driver != nullptr)
        created.dataset.reset(driver->Create(output.WorkingPath().c_str(), 0, 0, 0, GDT_Unknown, datasetOptions.Get()));
    if (!created.dataset)
        throw LayerError("no se pudo crear «" + output.WorkingPath().filename().string() + "»: " + LastGdalMessage());
    created.layer = created.dataset->CreateLayer(layerName, &created.srs, type, layerOptions.Get());
    if (created.layer == nullptr) throw LayerError("no se pudo crear la capa de salida: " + LastGdalMessage());
    if (format == FormatKind::GeoPackage && type != wkbNone) IndexAsWritten(*created.dataset, *created.layer);
    return created;
}

void FeatureWriter::Write(OGRFeature& feature) {
    if (transactions_ && written_ % kTransactionFeatures == 0) dataset_.StartTransaction();
    if (layer_.CreateFeature(&feature) != OGRERR_NONE)
        throw LayerError("no se pudo escribir el elemento " + std::to_string(feature.GetFID()) + ": " +
                         LastGdalMessage());
    ++written_;
    if (transactions_ && written_ % kTransactionFeatures == 0) Commit();
}

void FeatureWriter::Finish() {
    if (transactions_ && written_ % kTransactionFeatures != 0) Commit();
    if (layer_.SyncToDisk() != OGRERR_NONE) throw LayerError("no se pudo escribir la capa: " + LastGdalMessage());
}

void FeatureWriter::Commit() {
    if (dataset_.CommitTransaction() != OGRERR_NONE)
        throw LayerError("no se pudo escribir la capa: " + LastGdalMessage());
}

void WritePrj(const std::filesystem::path& path, const OGRSpatialReference& srs) {
    char* wkt = nullptr;
    const char* const options[] = {"FORMAT=WKT1_ESRI", nullptr};
    if (srs.exportToWkt(&wkt, options) != OGRERR_NONE) {
        CPLFree(wkt);
        throw LayerError("no se pudo escribir el .prj de la capa");
    }
    std::ofstream out(path, std::ios::binary);
    out << wkt;
    CPLFree(wkt);
    if (!out.flush()) throw LayerError("no se pudo escribir «" + path.string() + "»");
}

}  // namespace trevalco::layers
