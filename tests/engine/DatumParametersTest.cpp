// The band limits. The triples themselves, and the ellipsoids of each key,
// are checked against PROJ in WorkedPointsTest; here, which triple each
// limit selects.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <tuple>

#include "DELTAS.h"

using namespace trevalco;

TEST(BandShifts, EachLimitSelectsItsTriple) {
    using Triple = std::tuple<int, int, int>;
    const std::optional<Triple> none;
    const struct { DirectionKey key; double latitude; std::optional<Triple> shift; } cases[] = {
        {kSirgasToSad69, -17, Triple(79, -13, 14)},  // -17 is not band 1
        {kSad69ToSirgas, -17, Triple(-79, 13, -14)},
        {kSirgasToPsad56, -17, none},
        {kSirgasToPsad56, -17.000001, Triple(302, -272, 360)},
        {kSirgasToSad69, -25.999999, Triple(59, 11, 52)},
        {kSirgasToSad69, -26, Triple(64, 0, 32)},  // bands 2 and 3 hold their north end
        {kPsad56ToSirgas, -26, Triple(-328, 340, -329)},
        {kSirgasToSad69, -35.999999, Triple(64, 0, 32)},
        {kSirgasToSad69, -36, Triple(72, -10, 32)},
        {kSirgasToPsad56, -36, Triple(352, -403, 287)},
        {kSirgasToSad69, -43.999999, Triple(72, -10, 32)},
        {kPsad56ToSirgas, -43.999999, Triple(-352, 403, -287)},
        {kSirgasToSad69, -44, Triple(79, -13, 14)},
        {kSirgasToPsad56, -44, none},
        {kPsad56ToSirgas, -44, none},
        {kPsad56ToSirgas, -45, none},
        {kSirgasToSad69, -50, Triple(79, -13, 14)},
        {kPsad56ToSirgas, 33.5, none},  // a magnitude is "any other latitude"
        {kSirgasToSad69, 33.5, Triple(79, -13, 14)},
    };
    for (const auto& c : cases) {
        // The outputs start at 1, 2, 3: a lookup that finds nothing leaves them.
        std::int16_t dX = 1, dY = 2, dZ = 3;
        const bool found = DELTAS::BandShifts(c.key, c.latitude, dX, dY, dZ);
        EXPECT_EQ(found, c.shift.has_value()) << NameOf(c.key) << ' ' << c.latitude;
        EXPECT_EQ(Triple(dX, dY, dZ), c.shift.value_or(Triple(1, 2, 3))) << NameOf(c.key) << ' ' << c.latitude;
    }
}
