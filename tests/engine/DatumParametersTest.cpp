#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

#include "DELTAS.h"
#include "Parametros.h"

using namespace trevalco;

namespace {

using Triple = std::tuple<int, int, int>;

// The shift found for a key and latitude, or nothing; the outputs start at
// 1, 2, 3 so that a lookup that finds nothing can be seen to leave them alone.
std::optional<Triple> Shift(DirectionKey key, double latitude) {
    std::int16_t dX = 1, dY = 2, dZ = 3;
    if (!DELTAS::BandShifts(key, latitude, dX, dY, dZ)) {
        EXPECT_EQ(Triple(dX, dY, dZ), Triple(1, 2, 3)) << "outputs touched without parameters";
        return std::nullopt;
    }
    return Triple(dX, dY, dZ);
}

EllipsoidAxes Source(DirectionKey key) {
    double sa, sb, ta, tb;
    Parametros::SelectEllipsoids(key, sa, sb, ta, tb);
    return {sa, sb};
}

EllipsoidAxes Target(DirectionKey key) {
    double sa, sb, ta, tb;
    Parametros::SelectEllipsoids(key, sa, sb, ta, tb);
    return {ta, tb};
}

}  // namespace

TEST(SelectEllipsoids, EachKeyGivesItsDatums) {
    EXPECT_EQ(Source("SIRGAS_PSAD56"), (EllipsoidAxes{6378137, 6356752.3141}));
    EXPECT_EQ(Target("SIRGAS_PSAD56"), (EllipsoidAxes{6378388, 6356911.946}));
    EXPECT_EQ(Source("SIRGAS_SAD69"), (EllipsoidAxes{6378137, 6356752.3141}));
    EXPECT_EQ(Target("SIRGAS_SAD69"), (EllipsoidAxes{6378160, 6356774.719}));
    EXPECT_EQ(Source("PSAD56_SIRGAS"), (EllipsoidAxes{6378388, 6356911.946}));
    EXPECT_EQ(Target("PSAD56_SIRGAS"), (EllipsoidAxes{6378137, 6356752.3141}));
    // Every other text is SAD69 to SIRGAS, including the fourth button's name
    // and a lower-case spelling of a known key.
    for (DirectionKey other : {"", "SAD69_SIRGAS", "sirgas_psad56"}) {
        EXPECT_EQ(Source(other), (EllipsoidAxes{6378160, 6356774.719})) << other;
        EXPECT_EQ(Target(other), (EllipsoidAxes{6378137, 6356752.3141})) << other;
    }
}

TEST(BandShifts, BandBoundsBelongWhereTheTableSays) {
    EXPECT_EQ(Shift("SIRGAS_SAD69", -17), Triple(79, -13, 14));  // -17 is not band 1
    EXPECT_EQ(Shift("SIRGAS_PSAD56", -17.000001), Triple(302, -272, 360));
    EXPECT_EQ(Shift("SIRGAS_SAD69", -25.999999), Triple(59, 11, 52));
    EXPECT_EQ(Shift("SIRGAS_SAD69", -26), Triple(64, 0, 32));  // band 2 holds its north end
    EXPECT_EQ(Shift("SIRGAS_SAD69", -36), Triple(72, -10, 32));
    EXPECT_EQ(Shift("SIRGAS_SAD69", -43.999999), Triple(72, -10, 32));
    EXPECT_EQ(Shift("SIRGAS_SAD69", -44), Triple(79, -13, 14));
    EXPECT_EQ(Shift("SIRGAS_SAD69", -50), Shift("SIRGAS_SAD69", -10));
}

TEST(BandShifts, WholeTableByDirection) {
    EXPECT_EQ(Shift("SIRGAS_PSAD56", -20), Triple(302, -272, 360));
    EXPECT_EQ(Shift("SIRGAS_PSAD56", -30), Triple(328, -340, 329));
    EXPECT_EQ(Shift("SIRGAS_PSAD56", -40), Triple(352, -403, 287));
    EXPECT_EQ(Shift("SIRGAS_SAD69", -20), Triple(59, 11, 52));
    EXPECT_EQ(Shift("PSAD56_SIRGAS", -20), Triple(-302, 272, -360));
    EXPECT_EQ(Shift("PSAD56_SIRGAS", -30), Triple(-328, 340, -329));
    EXPECT_EQ(Shift("PSAD56_SIRGAS", -40), Triple(-352, 403, -287));
    EXPECT_EQ(Shift("", -20), Triple(-59, -11, -52));
    EXPECT_EQ(Shift("", -30), Triple(-64, 0, -32));
    EXPECT_EQ(Shift("", -40), Triple(-72, 10, -32));
    EXPECT_EQ(Shift("", -17), Triple(-79, 13, -14));
}

TEST(BandShifts, PsadDirectionsHaveNothingOutsideTheBands) {
    for (DirectionKey key : {"SIRGAS_PSAD56", "PSAD56_SIRGAS"}) {
        EXPECT_EQ(Shift(key, -17), std::nullopt) << key;
        EXPECT_EQ(Shift(key, -44), std::nullopt) << key;
        EXPECT_EQ(Shift(key, -45), std::nullopt) << key;
        EXPECT_EQ(Shift(key, 33.5), std::nullopt) << key;  // a magnitude is "any other"
    }
    EXPECT_EQ(Shift("SIRGAS_SAD69", 33.5), Triple(79, -13, 14));
}

TEST(BandShifts, MessageConstants) {
    EXPECT_EQ(DELTAS::kNoParametersText, "¡ No exixten Parametros para esta Latitud !");
    EXPECT_EQ(DELTAS::kNoParametersTitle, " Error ");
    EXPECT_EQ(DELTAS::kNoParametersIcon, MessageIcon::Critical);
}
