#include "LayerConversion.h"

#include <cpl_conv.h>
#include <ogrsf_frmts.h>

#include <cmath>
#include <fstream>

#include "CsvSource.h"
#include "LayerFormat.h"
#include "LayerOutput.h"
#include "OmissionReport.h"
#include "OutputDataset.h"
#include "FeatureStream.h"
#include "PostgisTable.h"
#include "Unprojection.h"
#include "UtmZones.h"
#include "VertexCarrier.h"

namespace trevalco::layers {

namespace fs = std::filesystem;

namespace {

// A file's path, or a database's name with its password hidden.
std::string Quoted(const fs::path& path) {
    return "«" + (IsPostgres(path.native()) ? ShownConnection(path.native()) : path.string()) + "»";
}

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

// A database's table is looked for by its name alone (listing every table
// of a large database is slow), and a name it lacks is a fault of the
// database's side (exit 3), not of the arguments.
OGRLayer& PickLayer(GDALDataset& source, const LayerRequest& request, bool database) {
    if (database && request.sourceLayer) return SourceTable(source, *request.sourceLayer);
    const int count = source.GetLayerCount();
    if (request.sourceLayer) {
        if (OGRLayer* layer = source.GetLayerByName(request.sourceLayer->c_str())) return *layer;
    } else if (count == 1) {
        return database ? SourceTable(source, source.GetLayer(0)->GetName()) : *source.GetLayer(0);
    }
    if (count == 0)
        throw LayerError(Quoted(request.input) + (database ? " no tiene tablas con geometría" : " no tiene capas"));
    std::string names;
    for (int i = 0; i < count; ++i) names += std::string(i ? ", " : "") + source.GetLayer(i)->GetName();
    throw LayerUsageError((request.sourceLayer ? "no hay una capa «" + *request.sourceLayer + "»"
                           : database          ? std::string("la base de datos tiene varias tablas")
                                               : std::string("el archivo tiene varias capas")) +
                          "; elija una con --source-layer: " + names);
}

// The layer's CRS, or `--source-crs` for a layer without one (or with one
// the database does not know); a `--source-crs` that contradicts the
// layer's own is refused rather than trusted. A table whose geometry
// column declares no SRID (`declared` false) has none, whatever GDAL
// guesses from its first row.
LayerCrs SourceCrs(OGRLayer& layer, const LayerRequest& request, bool declared) {
    const OGRSpatialReference* srs = declared ? layer.GetSpatialRef() : nullptr;
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
        throw LayerUsageError("la capa ya trae " + CrsLabel(*own.crs) + "; --source-crs EPSG:" +
                              std::to_string(given.crs->code) + " no coincide");
    return *given.crs;
}

std::string Description(const LayerCrs& source, const TargetCrs& target, ShiftSet shifts) {
    return "Trevalco: " + CrsLabel(source) + " a EPSG:" + std::to_string(target.code) +
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

// The arguments of a table output: --target-layer with a PG: output only.
void CheckTarget(const LayerRequest& request, bool toTable) {
    if (toTable && !request.targetLayer)
        throw LayerUsageError("una salida PG: necesita --target-layer con el nombre de la tabla");
    if (!toTable && request.targetLayer)
        throw LayerUsageError("--target-layer nombra la tabla de una salida PG:; un archivo toma su nombre de SALIDA");
    if (toTable) CheckTableName(*request.targetLayer);
}

// A shapefile's polygon or line layer holds multipart features too: its
// table is declared multi, and every feature written multi. wkbNone for
// other layers, whose declared kind their features keep.
OGRwkbGeometryType MultiKind(GDALDataset& source, OGRLayer& input) {
    const OGRwkbGeometryType type = input.GetGeomType();
    const bool shapefile = std::string_view(source.GetDriverName()) == "ESRI Shapefile";
    if (!shapefile || (wkbFlatten(type) != wkbPolygon && wkbFlatten(type) != wkbLineString)) return wkbNone;
    return OGR_GT_GetCollection(type);
}

// A table keeps a source table's geometry and key column names; from a
// file, the geometry goes in "geom" and the key keeps the file's name of
// it (GDAL's "ogc_fid" where the file has none).
std::vector<std::string> TableOptions(OGRLayer& input, bool fromTable, const std::string& description) {
    std::vector<std::string> options = OptionsFor(FormatKind::PostGis, {}, description, {}).layer;
    const std::string geometry = fromTable ? input.GetGeometryColumn() : "";
    options.push_back("GEOMETRY_NAME=" + (geometry.empty() ? std::string("geom") : geometry));
    if (const std::string key = input.GetFIDColumn(); !key.empty()) options.push_back("FID=" + key);
    return options;
}

// The output's zone when none is asked for: the layer's own UTM zone; for
// a layer in another projection, the zone of its centre (by the program's
// zone rule); none (geographic) for a geographic layer, or one whose extent
// cannot be read (an empty layer, refused later).
std::optional<int> DefaultZone(OGRLayer& input, const LayerCrs& crs) {
    if (crs.projection.empty()) return crs.zone;
    OGREnvelope extent;
    if (input.GetExtent(&extent, TRUE) != OGRERR_NONE) return std::nullopt;
    double x = (extent.MinX + extent.MaxX) / 2, y = (extent.MinY + extent.MaxY) / 2;
    if (!Unprojection(crs.projection).Inverse(1, &x, &y)) return std::nullopt;
    return zones::UtmZoneFor(std::fabs(x), zones::ForcedZone::Off(), zones::kChileZones.back()).zone;
}

LayerSummary Interrupted(const LayerCrs& source, const TargetCrs& target) {
    return {true, 0, 0, 0, 0, 0, source.code, target.code};
}

// Where the features a run names go: the caller's listener, the summary's
// groups and the report.
class Notes {
public:
    Notes(LayerListener& listener, DirectionKey direction, ShiftSet shifts, const LayerRequest& request)
        : listener_(listener), tally_(direction, shifts) {
        if (request.report) report_.emplace(*request.report, request.overwrite);
    }

    void LeftOut(std::int64_t fid, const VertexRefusal& refusal) {
        listener_.LeftOut(fid, refusal);
        Add({fid, CauseOf(refusal), refusal.where}, false);
    }

    // A written feature crossing band limits: a note for each limit.
    void Crossing(std::int64_t fid, const std::vector<BandCrossing>& crossings) {
        std::vector<double> limits;
        for (const BandCrossing& crossing : crossings) {
            limits.push_back(crossing.latitude);
            Add({fid, Cause::Crossing, datums::LatLon{crossing.latitude, crossing.longitude}}, limits.size() > 1);
        }
        listener_.Crossing(fid, limits);
    }

    std::vector<CauseGroup> Groups() const { return tally_.Groups(); }
    void Commit() {
        if (report_) report_->Commit();
    }

private:
    void Add(const FeatureNote& note, bool sameFeature) {
        listener_.Noted(note);
        tally_.Add(note, sameFeature);
        if (report_) report_->Add(note);
    }

    LayerListener& listener_;
    CauseTally tally_;
    std::optional<OmissionReport> report_;
};

// Whether two names (files or PG: connections) are the same file, as far as
// the file system can tell; a name that cannot be resolved is compared as it
// is written.
bool SameFile(const fs::path& one, const fs::path& other) {
    if (IsPostgres(one.native()) || IsPostgres(other.native())) return false;
    std::error_code first, second;
    const fs::path a = fs::weakly_canonical(one, first);
    const fs::path b = fs::weakly_canonical(other, second);
    return first || second ? one == other : a == b;
}

// The output never replaces the layer it is made from, even with
// --overwrite, and the report is a file of its own: never the layer read or
// written.
void CheckOutputs(const LayerRequest& request) {
    if (SameFile(request.input, request.output))
        throw LayerUsageError("la salida debe ser un archivo distinto de la capa de entrada, que se conserva");
    if (request.report && (SameFile(*request.report, request.input) || SameFile(*request.report, request.output)))
        throw LayerUsageError("--report debe nombrar un archivo distinto de la entrada y la salida");
}

}  // namespace

LayerSummary ConvertLayer(const LayerRequest& request, LayerListener& listener,
                          const std::function<bool()>& stopRequested) {
    RegisterDrivers();
    const QuietGdal quiet;
    const bool fromTable = IsPostgres(request.input.native());
    const bool toTable = IsPostgres(request.output.native());
    const std::optional<OutputFormat> format = toTable ? kPostGisFormat : FormatOf(request.output);
    if (!format)
        throw LayerUsageError("no se conoce el formato de " + Quoted(request.output) + "; la salida debe terminar en " +
                              kOutputKinds);
    CheckTarget(request, toTable);
    GDALDatasetUniquePtr source = fromTable ? OpenDatabase(request.input.native(), false) : OpenSource(request.input);
    OGRLayer& input = PickLayer(*source, request, fromTable);
    const LayerCrs crs = SourceCrs(input, request, !fromTable || DeclaresSrid(*source, input));
    if (crs.datum == request.target)
        throw LayerUsageError("la capa ya está en " + std::string(NameOf(crs.datum)) + " (" + CrsLabel(crs) + ")");
    const std::optional<DirectionKey> direction = datums::DirectionBetween(crs.datum, request.target);
    if (!direction)
        throw LayerUsageError("el programa convierte entre SIRGAS y PSAD56 o SAD69, no de " +
                              std::string(NameOf(crs.datum)) + " a " + std::string(NameOf(request.target)));
    const std::optional<int> zone = request.targetZone ? request.targetZone
                                    : request.geographic ? std::nullopt
                                                         : DefaultZone(input, crs);
    const TargetCrs target = TargetCrsFor(request.target, request.sirgas, zone, format->kind,
                                          {"--to sirgas", "elija otra con --target-zone o use --geographic"});
    const std::string description = Description(crs, target, request.shifts);
    CheckOutputs(request);
    Notes notes(listener, *direction, request.shifts, request);

    // A file is written into its temporary folder; a table inside its
    // transaction, which commits only once the last feature is in.
    std::optional<LayerOutput> file;
    std::optional<TableOutput> table;
    OutputDataset created;
    const OGRwkbGeometryType multi = toTable ? MultiKind(*source, input) : wkbNone;
    if (toTable) {
        table.emplace(request.output.native(), *request.targetLayer, request.overwrite, target.code,
                      fromTable ? TableIdentity(*source, input) : std::string());
        created.layer = &table->Create(multi != wkbNone ? multi : input.GetGeomType(),
                                       TableOptions(input, fromTable, description));
    } else {
        created = CreateOutput(file.emplace(request.output, request.overwrite), format->kind, target.code,
                               input.GetName(), input.GetGeomType(), description, request.shifts);
    }
    OGRLayer* layer = created.layer;
    const std::vector<int> map = CopyFields(input, *layer);
    // FlatGeobuf and a table write every geometry with the layer's
    // dimensions; the other formats keep each geometry's own.
    const bool byLayer = format->kind == FormatKind::FlatGeobuf || format->kind == FormatKind::PostGis;
    const bool keepsZ = !byLayer || OGR_GT_HasZ(layer->GetGeomType());
    const bool keepsM = !byLayer || OGR_GT_HasM(layer->GetGeomType());
    FeatureWriter writer(table ? table->Database() : *created.dataset, *layer,
                         format->kind == FormatKind::GeoPackage);

    LayerSummary summary{false, 0, 0, 0, 0, 0, crs.code, target.code};
    summary.direction = *direction;
    summary.source = CrsLabel(crs);
    bool any = false;
    {
        FeatureStream stream(
            input,
            {.direction = *direction, .sourceZone = crs.zone, .projection = crs.projection, .targetZone = target.zone,
             .shifts = ShiftsFor(request.shifts)},
            fromTable ? "no se pudo leer la tabla «" + std::string(input.GetName()) + "» hasta el final"
                      : "no se pudo leer la capa de entrada hasta el final (archivo dañado o incompleto)");
        for (auto batch = stream.Next(); !batch.empty(); batch = stream.Next()) {
            for (ConvertedFeature& converted : batch) {
                if (stopRequested()) return Interrupted(crs, target);
                any = true;
                OGRFeature& feature = *converted.feature;
                if (converted.refused) {
                    ++summary.leftOut;
                    notes.LeftOut(feature.GetFID(), *converted.refused);
                    continue;
                }
                if (converted.withoutGeometry) ++summary.withoutGeometry;
                if (converted.invalid) ++summary.invalid;
                if (!converted.crossings.empty()) {
                    ++summary.crossing;
                    notes.Crossing(feature.GetFID(), converted.crossings);
                }
                if (const OGRGeometry* geometry = feature.GetGeometryRef();
                    geometry != nullptr && ((!keepsZ && geometry->Is3D()) || (!keepsM && geometry->IsMeasured())))
                    ++summary.flattened;
                OGRFeature out(layer->GetLayerDefn());
                out.SetFieldsFrom(&feature, map.data(), TRUE);
                OGRGeometry* geometry = feature.StealGeometry();  // moved, not copied
                if (multi != wkbNone && geometry != nullptr) geometry = OGRGeometryFactory::forceTo(geometry, multi);
                out.SetGeometryDirectly(geometry);
                out.SetStyleString(feature.GetStyleString());
                out.SetFID(feature.GetFID());
                writer.Write(out);
            }
        }
    }
    if (!any) throw LayerError("la capa «" + std::string(input.GetName()) + "» no tiene elementos");
    summary.causes = notes.Groups();
    // Every feature that had a vertex to convert was left out: an output
    // holding nothing (or only the features without a geometry) would look
    // converted, so none is written; the lock and the temporary folder, or
    // the uncommitted transaction, go with `file` and `table`.
    if (summary.leftOut > 0 && writer.Written() == summary.withoutGeometry) {
        summary.nothingConverted = true;
        summary.withoutGeometry = 0;
        summary.invalid = 0;
        summary.flattened = 0;
        notes.Commit();
        return summary;
    }
    writer.Finish();
    summary.written = writer.Written();
    if (table) {
        if (stopRequested()) return Interrupted(crs, target);
        table->Commit();
        notes.Commit();
        summary.table = table->Name();
        return summary;
    }
    CPLErrorReset();
    created.dataset.reset();
    if (CPLGetLastErrorType() >= CE_Failure) throw LayerError("no se pudo escribir la capa: " + LastGdalMessage());
    if (format->kind == FormatKind::Dxf) WritePrj(file->WorkingPath().replace_extension(".prj"), created.srs);
    if (stopRequested()) return Interrupted(crs, target);
    file->Commit();
    notes.Commit();
    return summary;
}

}  // namespace trevalco::layers
