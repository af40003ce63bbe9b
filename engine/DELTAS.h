// The three-parameter geocentric shift of each direction and latitude band.
#pragma once

#include <cstdint>

#include "Types.h"

namespace trevalco::DELTAS {

// Looks up dX, dY, dZ (metres) for the signed latitude (south negative).
// Returns false, leaving the three outputs untouched, when the direction has no
// parameters for that latitude (the PSAD56 directions outside 17..44 S).
[[nodiscard]] bool BandShifts(DirectionKey key, double latitude, std::int16_t& dX,
                              std::int16_t& dY, std::int16_t& dZ);

}  // namespace trevalco::DELTAS
