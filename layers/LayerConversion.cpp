#include "LayerConversion.h"

#include <cpl_conv.h>
#include <ogrsf_frmts.h>

#include <fstream>

#include "CsvSource.h"
#include "LayerFormat.h"
#include "LayerOutput.h"
#include "OutputDataset.h"
#include "FeatureStream.h"
#include "VertexCarrier.h"

namespace trevalco::layers {

namespace fs = std::filesystem;

namespace {

std::string Quoted(const fs::path& path) { return "«" + path.string() + "»"; }

bool IsCsv(const fs::path& path) {
    const std::optional<OutputFormat> format = FormatOf(path);
    return format && format->kind == FormatKind::Csv;
}

GDALDatasetUniquePtr OpenSource(const fs::path& input) {
    std::error_code error;
    if (!fs::exists(input, error)) throw LayerError("no existe " + Quoted(input));
    if (fs::is_directory(input, error)) throw LayerError(Quoted(input) + " es una carpeta, no una capa");
    if (IsCsv(input)) CheckCsvHeader(input);
    OptionList options(IsCsv(input) ? CsvOpenOptions() : std::vector<std::string>{});
    GDALDatasetUniquePtr source(GDALDataset::Open(input.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr,
                                                  options.Get(), nullptr));
    if (!source)
        throw LayerError("no se puede leer " + Quoted(input) + " como capa vectorial (formato desconocido, " +
                         "archivo dañado o incompleto)");
    return source;
}

OGRLayer& PickLayer(GDALDataset& source, const LayerRequest& request) {
    const int count = source.GetLayerCount();
    if (request.sourceLayer) {
        if (OGRLayer* layer = source.GetLayerByName(request.sourceLayer->c_str())) return *layer;
    } else if (count == 1) {
        return *source.GetLayer(0);
    }
    if (count == 0) throw LayerError(Quoted(request.input) + " no tiene capas");
    std::string names;
    for (int i = 0; i < count; ++i) names += std::string(i ? ", " : "") + source.GetLayer(i)->GetName();
    throw LayerUsageError((request.sourceLayer ? "no hay una capa «" + *request.sourceLayer + "»"
                                               : std::string("el archivo tiene varias capas")) +
                          "; elija una con --source-layer: " + names);
}

// The layer's CRS, or `--source-crs` for a layer without one (or with one
// the database does not know); a `--source-crs` that contradicts the
// layer's own is refused rather than trusted.
LayerCrs SourceCrs(OGRLayer& layer, const LayerRequest& request) {
    const OGRSpatialReference* srs = layer.GetSpatialRef();
    const CrsReading own = srs != nullptr ? IdentifyCrs(*srs) : CrsReading{};
    if (!request.sourceCrs) {
        if (srs == nullptr)
            throw LayerUsageError("la capa no tiene sistema de referencia; indíquelo con --source-crs EPSG:N");
        if (!own.crs) throw LayerError(own.error);
        return *own.crs;
    }
    const CrsReading given = CrsFromArgument(*request.sourceCrs);
    if (!given.crs) throw LayerUsageError(given.error);
    if (own.crs && own.crs->code != given.crs->code)
        throw LayerUsageError("la capa ya trae EPSG:" + std::to_string(own.crs->code) + "; --source-crs EPSG:" +
                              std::to_string(given.crs->code) + " no coincide");
    return *given.crs;
}

std::string Description(const LayerCrs& source, const TargetCrs& target, ShiftSet shifts) {
    return "Trevalco: EPSG:" + std::to_string(source.code) + " a EPSG:" + std::to_string(target.code) +
           ", desplazamientos " + ShiftSetName(shifts);
}

// The output layer's fields, as the source's; the output index of each
// source field (-1: the format cannot hold it).
std::vector<int> CopyFields(OGRLayer& source, OGRLayer& output) {
    OGRFeatureDefn* definition = source.GetLayerDefn();
    std::vector<int> map(static_cast<std::size_t>(definition->GetFieldCount()), -1);
    for (int i = 0; i < definition->GetFieldCount(); ++i) {
        const int before = output.GetLayerDefn()->GetFieldCount();
        if (output.CreateField(definition->GetFieldDefn(i), TRUE) == OGRERR_NONE &&
            output.GetLayerDefn()->GetFieldCount() > before)
            map[static_cast<std::size_t>(i)] = before;
        else
            map[static_cast<std::size_t>(i)] = output.GetLayerDefn()->GetFieldIndex(definition->GetFieldDefn(i)->GetNameRef());
    }
    return map;
}

}  // namespace

LayerSummary ConvertLayer(const LayerRequest& request, LayerListener& listener,
                          const std::function<bool()>& stopRequested) {
    RegisterDrivers();
    const QuietGdal quiet;
    const std::optional<OutputFormat> format = FormatOf(request.output);
    if (!format)
        throw LayerUsageError("no se conoce el formato de " + Quoted(request.output) + "; la salida debe terminar en " +
                              kOutputExtensions);
    GDALDatasetUniquePtr source = OpenSource(request.input);
    OGRLayer& input = PickLayer(*source, request);
    const LayerCrs crs = SourceCrs(input, request);
    if (crs.datum == request.target)
        throw LayerUsageError("la capa ya está en " + std::string(NameOf(crs.datum)) + " (EPSG:" +
                              std::to_string(crs.code) + ")");
    const std::optional<DirectionKey> direction = datums::DirectionBetween(crs.datum, request.target);
    if (!direction)
        throw LayerUsageError("el programa convierte entre SIRGAS y PSAD56 o SAD69, no de " +
                              std::string(NameOf(crs.datum)) + " a " + std::string(NameOf(request.target)));
    const std::optional<int> zone = request.targetZone ? request.targetZone
                                    : request.geographic ? std::nullopt
                                                         : crs.zone;
    const TargetCrs target = TargetCrsFor(request.target, request.sirgas, zone, format->kind,
                                          {"--to sirgas", "elija otra con --target-zone o use --geographic"});

    LayerOutput output(request.output, request.overwrite);
    OutputDataset created = CreateOutput(output, format->kind, target.code, input.GetName(), input.GetGeomType(),
                                         Description(crs, target, request.shifts), request.shifts);
    GDALDatasetUniquePtr& written = created.dataset;
    OGRLayer* layer = created.layer;
    const std::vector<int> map = CopyFields(input, *layer);
    // FlatGeobuf writes every geometry with the layer's dimensions; the
    // other formats keep each geometry's own.
    const bool keepsZ = format->kind != FormatKind::FlatGeobuf || OGR_GT_HasZ(layer->GetGeomType());
    const bool keepsM = format->kind != FormatKind::FlatGeobuf || OGR_GT_HasM(layer->GetGeomType());
    FeatureWriter writer(*written, *layer, format->kind == FormatKind::GeoPackage);

    LayerSummary summary{false, 0, 0, 0, 0, 0, crs.code, target.code};
    bool any = false;
    {
        FeatureStream stream(input, {*direction, crs.zone, target.zone, ShiftsFor(request.shifts)});
        for (auto batch = stream.Next(); !batch.empty(); batch = stream.Next()) {
            for (ConvertedFeature& converted : batch) {
                if (stopRequested()) return {true, 0, 0, 0, 0, 0, crs.code, target.code};
                any = true;
                OGRFeature& feature = *converted.feature;
                if (converted.refused) {
                    ++summary.leftOut;
                    listener.LeftOut(feature.GetFID(), *converted.refused);
                    continue;
                }
                if (converted.withoutGeometry) ++summary.withoutGeometry;
                if (converted.invalid) ++summary.invalid;
                if (!converted.limits.empty()) {
                    ++summary.crossing;
                    listener.Crossing(feature.GetFID(), converted.limits);
                }
                if (const OGRGeometry* geometry = feature.GetGeometryRef();
                    geometry != nullptr && ((!keepsZ && geometry->Is3D()) || (!keepsM && geometry->IsMeasured())))
                    ++summary.flattened;
                OGRFeature out(layer->GetLayerDefn());
                out.SetFieldsFrom(&feature, map.data(), TRUE);
                out.SetGeometryDirectly(feature.StealGeometry());  // moved, not copied
                out.SetStyleString(feature.GetStyleString());
                out.SetFID(feature.GetFID());
                writer.Write(out);
            }
        }
    }
    if (!any) throw LayerError("la capa «" + std::string(input.GetName()) + "» no tiene elementos");
    writer.Finish();
    summary.written = writer.Written();
    CPLErrorReset();
    written.reset();
    if (CPLGetLastErrorType() >= CE_Failure) throw LayerError("no se pudo escribir la capa: " + LastGdalMessage());
    if (format->kind == FormatKind::Dxf) WritePrj(output.WorkingPath().replace_extension(".prj"), created.srs);
    if (stopRequested()) return {true, 0, 0, 0, 0, 0, crs.code, target.code};
    output.Commit();
    return summary;
}

}  // namespace trevalco::layers
