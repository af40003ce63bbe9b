#include <gtest/gtest.h>

#include <cmath>

#include "Geocentric.h"
#include "TestSupport.h"

using namespace trevalco;
using trevalco::test::Fixed;

namespace {

std::string Text(const geocentric::Cartesian& xyz) {
    return Fixed(xyz.X, 4) + ' ' + Fixed(xyz.Y, 4) + ' ' + Fixed(xyz.Z, 4);
}

}  // namespace

TEST(Geocentric, WorkedExampleSirgasToSad69) {
    const geocentric::Cartesian xyz = geocentric::GeoToXyz(-33.45, -70.65, datums::kSirgas);
    EXPECT_EQ(Text(xyz), "1765079.4777 -5026210.4505 -3495708.5165");
    const geocentric::Cartesian shifted = geocentric::ShiftXyz(xyz, {64, 0, 32});
    EXPECT_EQ(Text(shifted), "1765143.4777 -5026210.4505 -3495676.5165");

    // The successive estimates, seen through the pass limit; the third pass
    // repeats the second at ten decimals and ends the iteration.
    datums::LatLon pass[4];
    for (int passes = 1; passes <= 3; ++passes) pass[passes] = geocentric::XyzToGeo(shifted, datums::kSad69, passes);
    pass[0] = geocentric::XyzToGeo(shifted, datums::kSad69);
    EXPECT_EQ(Fixed(pass[1].latitude, 10), "33.4496588137");
    EXPECT_EQ(Fixed(pass[2].latitude, 10), "33.4496588124");
    EXPECT_EQ(pass[3].latitude, pass[0].latitude);
    EXPECT_EQ(Fixed(pass[0].latitude, 10) + ' ' + Fixed(pass[0].longitude, 10), "33.4496588124 70.6493505358");
}

TEST(Geocentric, IterationEndsOnPointsOffTheDomain) {
    // The centre of the earth gives no number; the pass limit and the text
    // comparison still end the iteration. A point far off the ellipsoid converges.
    EXPECT_TRUE(std::isnan(geocentric::XyzToGeo({0, 0, 0}, datums::kSirgas).latitude));
    const datums::LatLon far = geocentric::XyzToGeo({1e7, -2e7, -3e7}, datums::kSirgas);
    EXPECT_TRUE(std::isfinite(far.latitude) && std::isfinite(far.longitude));
}
