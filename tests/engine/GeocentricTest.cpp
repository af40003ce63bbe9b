#include <gtest/gtest.h>

#include <cmath>

#include "GEO_XYZ_GEO.h"
#include "Parametros.h"
#include "TestSupport.h"

using namespace trevalco;
using trevalco::test::Fixed;

TEST(Geocentric, WorkedExampleSirgasToSad69) {
    const auto& sirgas = Parametros::kSirgas;
    const auto& sad69 = Parametros::kSad69;
    double X, Y, Z;
    GEO_XYZ_GEO::GeoToXyz(-33.45, -70.65, sirgas.a, sirgas.b, X, Y, Z);
    EXPECT_EQ(Fixed(X, 4) + ' ' + Fixed(Y, 4) + ' ' + Fixed(Z, 4), "1765079.4777 -5026210.4505 -3495708.5165");
    GEO_XYZ_GEO::ShiftXyz(X, Y, Z, 64, 0, 32);
    EXPECT_EQ(Fixed(X, 4) + ' ' + Fixed(Y, 4) + ' ' + Fixed(Z, 4), "1765143.4777 -5026210.4505 -3495676.5165");

    // The successive estimates, seen through the pass limit; the third pass
    // repeats the second at ten decimals and ends the iteration.
    double lat[4], lon[4];
    for (int passes = 1; passes <= 3; ++passes)
        GEO_XYZ_GEO::XyzToGeo(X, Y, Z, lat[passes], lon[passes], sad69.a, sad69.b, passes);
    GEO_XYZ_GEO::XyzToGeo(X, Y, Z, lat[0], lon[0], sad69.a, sad69.b);
    EXPECT_EQ(Fixed(lat[1], 10), "33.4496588137");
    EXPECT_EQ(Fixed(lat[2], 10), "33.4496588124");
    EXPECT_EQ(lat[3], lat[0]);
    EXPECT_EQ(Fixed(lat[0], 10) + ' ' + Fixed(lon[0], 10), "33.4496588124 70.6493505358");
}

TEST(Geocentric, IterationEndsOnPointsOffTheDomain) {
    // The centre of the earth gives no number; the pass limit and the text
    // comparison still end the iteration. A point far off the ellipsoid converges.
    double lat = 1, lon = 1;
    GEO_XYZ_GEO::XyzToGeo(0, 0, 0, lat, lon, 6378137, 6356752.3141);
    EXPECT_TRUE(std::isnan(lat));
    GEO_XYZ_GEO::XyzToGeo(1e7, -2e7, -3e7, lat, lon, 6378137, 6356752.3141);
    EXPECT_TRUE(std::isfinite(lat) && std::isfinite(lon));
}
