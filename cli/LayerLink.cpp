#include "LayerLink.h"

#include <variant>

#include "EpsgShifts.h"
#include "PointLayer.h"

namespace trevalco::cli {

namespace {

// The point layer of `--layer`: in the target datum's CRS, in the forced
// zone, else the UTM page's zone, else geographic.
layers::PointLayerSetup PointLayerSetupOf(const BatchSettings& settings) {
    layers::PointLayerSetup setup;
    setup.output = *settings.layer;
    setup.direction = settings.key;
    if (settings.forced.zone)
        setup.zone = *settings.forced.zone;
    else if (const auto* utm = std::get_if<batch::UtmColumns>(&settings.columns))
        setup.zone = utm->zone;
    setup.sirgas = settings.sirgas;
    setup.shifts = settings.shifts;
    setup.overwrite = settings.overwrite;
    return setup;
}

class GdalBatchLayer final : public BatchLayer {
public:
    explicit GdalBatchLayer(const layers::PointLayerSetup& setup) : layer_(setup) {}
    void Add(std::int32_t row, const cells::CellValue& name, const core::Outcome& outcome) override {
        layer_.Add(row, name, outcome);
    }
    void Commit() override { layer_.Commit(); }

private:
    layers::PointLayer layer_;
};

}  // namespace

std::optional<int> HandToTwin(int, char**, std::FILE*) { return std::nullopt; }  // this is the twin

const bands::ShiftSource* ShiftsFor(layers::ShiftSet set) { return layers::ShiftsFor(set); }

OpenedBatchLayer OpenBatchLayer(const BatchSettings& settings) {
    try {
        return {std::make_unique<GdalBatchLayer>(PointLayerSetupOf(settings)), {}, false};
    } catch (const layers::LayerError& error) {
        return {nullptr, error.what(), dynamic_cast<const layers::LayerUsageError*>(&error) != nullptr};
    }
}

}  // namespace trevalco::cli
