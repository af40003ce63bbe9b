#include "PointLayer.h"

#include <cstdio>
#include <variant>

#include "Gdal.h"
#include "OutputDataset.h"
#include "PointChain.h"

namespace trevalco::layers {

namespace {

// The attributes of a row's feature, in order.
constexpr const char* kRealFields[] = {"lat",  "lon",  "norte",  "este",  "lat2",
                                       "lon2", "norte2", "este2"};
constexpr const char* kIntegerFields[] = {"zona", "zona2", "fila", "dx", "dy", "dz"};

std::string NameText(const cells::CellValue& name) {
    if (const auto* text = std::get_if<std::string>(&name)) return *text;
    if (const auto* number = std::get_if<double>(&name)) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.15g", *number);
        return digits;
    }
    return {};
}

}  // namespace

struct PointLayer::State {
    PointLayerSetup setup;
    FormatKind format = FormatKind::GeoPackage;
    TargetCrs target;
    LayerOutput output;
    OutputDataset created;
    std::optional<FeatureWriter> writer;

    State(const PointLayerSetup& s, FormatKind kind, TargetCrs crs)
        : setup(s), format(kind), target(crs), output(s.output, s.overwrite) {}
};

PointLayer::PointLayer(const PointLayerSetup& setup) {
    RegisterDrivers();
    const QuietGdal quiet;
    const std::optional<OutputFormat> format = FormatOf(setup.output);
    if (!format)
        throw LayerUsageError("no se conoce el formato de «" + setup.output.string() + "»; la capa debe terminar en " +
                              kOutputExtensions);
    // A batch run's layer: its target comes from --direction, and a zone
    // other than 18 and 19 only from --force-zone.
    const TargetCrs target = TargetCrsFor(datums::TargetOf(setup.direction), setup.sirgas, setup.zone, format->kind,
                                          {"--direction PSAD56_SIRGAS o SAD69_SIRGAS",
                                           "elija otra con --force-zone"});
    state_ = std::make_unique<State>(setup, format->kind, target);
    state_->created = CreateOutput(state_->output, format->kind, target.code, "puntos", wkbPoint,
                                   "Trevalco: puntos de un libro en EPSG:" + std::to_string(target.code) +
                                       ", desplazamientos " + ShiftSetName(setup.shifts),
                                   setup.shifts, "nombre");
    OGRLayer& layer = *state_->created.layer;
    OGRFieldDefn name("nombre", OFTString);
    layer.CreateField(&name);
    for (const char* field : kRealFields) {
        OGRFieldDefn definition(field, OFTReal);
        layer.CreateField(&definition);
    }
    for (const char* field : kIntegerFields) {
        OGRFieldDefn definition(field, OFTInteger);
        layer.CreateField(&definition);
    }
    state_->writer.emplace(*state_->created.dataset, layer, format->kind == FormatKind::GeoPackage);
}

PointLayer::~PointLayer() = default;

void PointLayer::Add(std::int32_t row, const cells::CellValue& name, const core::Outcome& outcome) {
    const QuietGdal quiet;
    State& s = *state_;
    OGRFeature feature(s.created.layer->GetLayerDefn());
    auto set = [&feature](const char* field, double value) {
        const int index = feature.GetFieldIndex(field);
        if (index >= 0) feature.SetField(index, value);
    };
    auto setWhole = [&feature](const char* field, int value) {
        const int index = feature.GetFieldIndex(field);
        if (index >= 0) feature.SetField(index, value);
    };
    if (const int index = feature.GetFieldIndex("nombre"); index >= 0) feature.SetField(index, NameText(name).c_str());
    const core::Position& source = outcome.source;
    const core::Position& target = outcome.target;
    set("lat", source.latitude), set("lon", source.longitude);
    set("norte", source.utm.northing), set("este", source.utm.easting);
    set("lat2", target.latitude), set("lon2", target.longitude);
    set("norte2", target.utm.northing), set("este2", target.utm.easting);
    setWhole("zona", source.utm.zone), setWhole("zona2", target.utm.zone), setWhole("fila", row);
    const datums::Shift shift = outcome.shift.value_or(datums::Shift{});
    setWhole("dx", shift.dX), setWhole("dy", shift.dY), setWhole("dz", shift.dZ);

    double x = -target.longitude, y = -target.latitude;
    if (s.target.zone) {
        // The target in the layer's zone, whatever zone the row's own was.
        const utm::GridPoint inZone = chain::TargetInZone(s.setup.direction, target.latitude, target.longitude,
                                                          static_cast<std::int16_t>(*s.target.zone));
        x = inZone.easting;
        y = inZone.northing;
    }
    feature.SetGeometryDirectly(new OGRPoint(x, y));
    s.writer->Write(feature);
}

void PointLayer::Commit() {
    const QuietGdal quiet;
    State& s = *state_;
    s.writer->Finish();
    CPLErrorReset();
    s.created.dataset.reset();
    if (CPLGetLastErrorType() >= CE_Failure) throw LayerError("no se pudo escribir la capa: " + LastGdalMessage());
    if (s.format == FormatKind::Dxf) WritePrj(s.output.WorkingPath().replace_extension(".prj"), s.created.srs);
    s.output.Commit();
}

std::uint64_t PointLayer::Written() const { return state_->writer->Written(); }

}  // namespace trevalco::layers
