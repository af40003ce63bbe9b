#include <gtest/gtest.h>

#include <cmath>

#include "GEO_XYZ_GEO.h"
#include "Parametros.h"
#include "TestSupport.h"
#include "Util.h"

using namespace trevalco;
using trevalco::test::Fixed;

TEST(DegToRad, UsesTheFifteenDigitPi) {
    EXPECT_EQ(Util::DegToRad(180), 3.14159265358979);
    EXPECT_EQ(Util::DegToRad(90), (90 * 3.14159265358979) / 180);
}

TEST(Geocentric, WorkedExampleSirgasToSad69) {
    const auto& sirgas = Parametros::kSirgas;
    const auto& sad69 = Parametros::kSad69;
    double X, Y, Z;
    GEO_XYZ_GEO::GeoToXyz(-33.45, -70.65, sirgas.a, sirgas.b, X, Y, Z);
    EXPECT_EQ(Fixed(X, 4), "1765079.4777");
    EXPECT_EQ(Fixed(Y, 4), "-5026210.4505");
    EXPECT_EQ(Fixed(Z, 4), "-3495708.5165");

    GEO_XYZ_GEO::ShiftXyz(X, Y, Z, 64, 0, 32);
    EXPECT_EQ(Fixed(X, 4), "1765143.4777");
    EXPECT_EQ(Fixed(Y, 4), "-5026210.4505");
    EXPECT_EQ(Fixed(Z, 4), "-3495676.5165");

    // The successive estimates, seen through the pass limit.
    double lat, lon;
    GEO_XYZ_GEO::XyzToGeo(X, Y, Z, lat, lon, sad69.a, sad69.b, 1);
    EXPECT_EQ(Fixed(lat, 10), "33.4496588137");
    GEO_XYZ_GEO::XyzToGeo(X, Y, Z, lat, lon, sad69.a, sad69.b, 2);
    EXPECT_EQ(Fixed(lat, 10), "33.4496588124");

    GEO_XYZ_GEO::XyzToGeo(X, Y, Z, lat, lon, sad69.a, sad69.b);
    EXPECT_EQ(Fixed(lat, 10), "33.4496588124");
    EXPECT_EQ(Fixed(lon, 10), "70.6493505358");
    // Three passes end the iteration: a limit of three gives the same bits.
    double lat3, lon3;
    GEO_XYZ_GEO::XyzToGeo(X, Y, Z, lat3, lon3, sad69.a, sad69.b, 3);
    EXPECT_EQ(lat3, lat);
}

TEST(Geocentric, ThereAndBackWithoutShiftOnOneEllipsoid) {
    const auto& e = Parametros::kSirgas;
    double X, Y, Z, lat, lon;
    GEO_XYZ_GEO::GeoToXyz(-33.45, -70.65, e.a, e.b, X, Y, Z);
    GEO_XYZ_GEO::XyzToGeo(X, Y, Z, lat, lon, e.a, e.b);
    EXPECT_NEAR(lat, 33.45, 1e-12);
    EXPECT_NEAR(lon, 70.65, 1e-12);
    EXPECT_GT(lat, 0);  // magnitudes, whatever the signs of X, Y, Z
    EXPECT_GT(lon, 0);
}

TEST(Geocentric, ShiftAddsTheWholeMetres) {
    double X = 10.5, Y = -20.25, Z = 30;
    GEO_XYZ_GEO::ShiftXyz(X, Y, Z, 0, 0, 0);
    EXPECT_EQ(X, 10.5);
    EXPECT_EQ(Y, -20.25);
    EXPECT_EQ(Z, 30);
    GEO_XYZ_GEO::ShiftXyz(X, Y, Z, -79, 13, -14);
    EXPECT_EQ(X, 10.5 - 79);
    EXPECT_EQ(Y, -20.25 + 13);
    EXPECT_EQ(Z, 30 - 14);
}

TEST(Geocentric, IterationEndsOnPointsOffTheDomain) {
    // A point at the centre of the earth gives no number at all; the pass
    // limit and the text comparison still end the iteration.
    double lat = 1, lon = 1;
    GEO_XYZ_GEO::XyzToGeo(0, 0, 0, lat, lon, 6378137, 6356752.3141);
    EXPECT_TRUE(std::isnan(lat));
    // A point far off the ellipsoid converges all the same.
    GEO_XYZ_GEO::XyzToGeo(1e7, -2e7, -3e7, lat, lon, 6378137, 6356752.3141);
    EXPECT_TRUE(std::isfinite(lat));
    EXPECT_TRUE(std::isfinite(lon));
}
