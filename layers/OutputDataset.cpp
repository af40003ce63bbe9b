#include "OutputDataset.h"

#include <cpl_conv.h>

#include <fstream>

#include "Gdal.h"

namespace trevalco::layers {

namespace {

constexpr std::uint64_t kTransactionFeatures = 100000;

}  // namespace

TargetCrs TargetCrsFor(Datum target, int sirgas, std::optional<int> zone, FormatKind format) {
    if (format == FormatKind::Kml) {
        if (target != Datum::Sirgas)
            throw LayerUsageError("KML siempre está en WGS 84: solo se escribe una capa convertida a SIRGAS "
                                  "(--to sirgas)");
        return {4326, std::nullopt};
    }
    const int geographic = GeographicCode(target, sirgas);
    if (!zone) return {geographic, std::nullopt};
    const std::optional<int> code = UtmCode(geographic, *zone);
    if (!code)
        throw LayerUsageError("la base de datos EPSG no tiene la zona UTM " + std::to_string(*zone) + " S de EPSG:" +
                              std::to_string(geographic) + "; elija otra con --target-zone o use --geographic");
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
