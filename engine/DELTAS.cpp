#include "DELTAS.h"

#include <array>
#include <optional>

namespace trevalco::DELTAS {

namespace {

struct Triple {
    std::int16_t dX, dY, dZ;
};

// One row of the shift table: bands 1 to 3, then the rest (absent for PSAD56).
struct DirectionShifts {
    std::array<Triple, 3> bands;
    std::optional<Triple> elsewhere;
};

constexpr DirectionShifts kSirgasPsad56{{{{302, -272, 360}, {328, -340, 329}, {352, -403, 287}}},
                                        std::nullopt};
constexpr DirectionShifts kSirgasSad69{{{{59, 11, 52}, {64, 0, 32}, {72, -10, 32}}},
                                       Triple{79, -13, 14}};
constexpr DirectionShifts kPsad56Sirgas{
    {{{-302, 272, -360}, {-328, 340, -329}, {-352, 403, -287}}}, std::nullopt};
constexpr DirectionShifts kSad69Sirgas{{{{-59, -11, -52}, {-64, 0, -32}, {-72, 10, -32}}},
                                       Triple{-79, 13, -14}};

const DirectionShifts& RowFor(DirectionKey key) {
    if (key == kSirgasToPsad56) return kSirgasPsad56;
    if (key == kSirgasToSad69) return kSirgasSad69;
    if (key == kPsad56ToSirgas) return kPsad56Sirgas;
    return kSad69Sirgas;
}

}  // namespace

bool BandShifts(DirectionKey key, double latitude, std::int16_t& dX, std::int16_t& dY,
                std::int16_t& dZ) {
    const DirectionShifts& row = RowFor(key);
    std::optional<Triple> found;
    if (latitude < -17 && latitude > -26)
        found = row.bands[0];
    else if (latitude <= -26 && latitude > -36)
        found = row.bands[1];
    else if (latitude <= -36 && latitude > -44)
        found = row.bands[2];
    else
        found = row.elsewhere;
    if (!found) return false;
    dX = found->dX;
    dY = found->dY;
    dZ = found->dZ;
    return true;
}

}  // namespace trevalco::DELTAS
