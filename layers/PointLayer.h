// The converted rows of a batch run as a point layer (any output format of
// the layer command): the point name, the source and target latitude,
// longitude, northing, easting and zone, and the band's shift, one feature a
// row, in the target datum's CRS. It goes through the same lock and
// temporary folder as a converted layer, and appears only when committed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "EpsgShifts.h"
#include "Gdal.h"
#include "LayerCrs.h"
#include "PointCore.h"

namespace trevalco::layers {

struct PointLayerSetup {
    std::filesystem::path output;
    DirectionKey direction = DirectionKey::SirgasToPsad56;
    // The UTM zone of the layer's CRS (the forced zone, else the UTM page's
    // zone); none: geographic.
    std::optional<int> zone;
    int sirgas = kDefaultSirgas;
    ShiftSet shifts = ShiftSet::Seed;
    bool overwrite = false;
};

class PointLayer {
public:
    // Takes the output's lock and creates the layer. Throws LayerUsageError
    // (KML of a target other than SIRGAS, a zone without an EPSG code) or
    // LayerError.
    explicit PointLayer(const PointLayerSetup& setup);
    ~PointLayer();  // without Commit, nothing is left
    PointLayer(const PointLayer&) = delete;
    PointLayer& operator=(const PointLayer&) = delete;

    // One converted row. Throws LayerError.
    void Add(std::int32_t row, const cells::CellValue& name, const core::Outcome& outcome);
    // Closes the layer and moves it to the output's name. Throws LayerError.
    void Commit();

    std::uint64_t Written() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace trevalco::layers
