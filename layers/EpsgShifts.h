// EPSG's published transformations of Chile as a set of latitude bands:
// the three-parameter shifts of PSAD56 (EPSG:6971 to 6973) and SAD69
// (EPSG:6974 to 6977) to SIRGAS, with the latitudes of their areas of use,
// read from PROJ's database. A latitude is matched by latitude only; where
// two areas share a limit the northern band wins. Elsewhere there is no
// shift, as for a PSAD56 latitude outside the program's bands.
#pragma once

#include <vector>

#include "PointChain.h"
#include "PointCore.h"
#include "ShiftSet.h"

namespace trevalco::layers {

struct EpsgBand {
    int code = 0;
    double north = 0.0;  // signed degrees, south negative
    double south = 0.0;
    datums::Shift toSirgas;
};

class EpsgShifts final : public bands::ShiftSource {
public:
    // Reads the seven transformations; throws LayerError when PROJ's
    // database lacks one or gives it other than three whole metres.
    static const EpsgShifts& FromDatabase();

    std::optional<datums::Shift> Lookup(DirectionKey key, double signedLatitude) const override;

    // North first.
    const std::vector<EpsgBand>& Psad56() const { return psad56_; }
    const std::vector<EpsgBand>& Sad69() const { return sad69_; }

private:
    EpsgShifts() = default;
    std::vector<EpsgBand> psad56_, sad69_;
};

// The shifts a front end hands the point core.
const bands::ShiftSource* ShiftsFor(ShiftSet set);

}  // namespace trevalco::layers
