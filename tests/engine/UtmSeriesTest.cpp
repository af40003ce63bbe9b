// The zone rule and the inverse projection; the forward projection's worked
// points are in WorkedPointsTest.
#include <gtest/gtest.h>

#include <cmath>

#include "Int16.h"
#include "UtmSeries.h"
#include "UtmZones.h"

using namespace trevalco;
using zones::ForcedZone;

TEST(UtmZoneFor, BandsHoldTheirEasternLimit) {
    // Outside 48..114 the zone stays as the caller held it (7 here).
    const struct { double lon; int zone; } cases[] = {
        {47, 7}, {48, 22}, {53.999999, 22}, {54, 21}, {66, 19}, {71.999999, 19}, {72, 18}, {78, 17},
        {93, 15}, {99, 14}, {108, 12}, {114, 12}, {114.5, 7}, {std::nextafter(48.0, 0.0), 7},
        {std::nextafter(72.0, 0.0), 19}, {std::nextafter(108.0, 0.0), 13}, {std::nextafter(114.0, 200.0), 7},
        {std::nan(""), 7}};
    for (const auto& c : cases) {
        const zones::ZoneChoice choice = zones::UtmZoneFor(c.lon, ForcedZone::Off(), 7);
        EXPECT_EQ(choice.zone, c.zone) << c.lon;
        EXPECT_EQ(choice.centralMeridian, 183 - 6 * c.zone) << c.lon;
    }
    const zones::ZoneChoice forced = zones::UtmZoneFor(70.65, ForcedZone::To(22), 7);
    EXPECT_EQ(forced.zone, 22);
    EXPECT_EQ(forced.centralMeridian, 51);
}

TEST(UtmZoneFor, ForceableZones) {
    for (const long long zone : {12, 13, 16, 17, 18, 19, 20, 21, 22})
        EXPECT_EQ(zones::ForceableZone(zone), ForcedZone::To(static_cast<std::int16_t>(zone))) << zone;
    for (const long long zone : {0, 11, 14, 15, 23, 60, -19, 65558})
        EXPECT_EQ(zones::ForceableZone(zone), std::nullopt) << zone;
}

TEST(UtmZoneFor, SixteenBitMeridianArithmetic) {
    const struct { std::int16_t zone; int meridian; } cases[] = {
        {1, 177}, {30, 3}, {60, 177}, {5491, 32763}, {-5430, 32763}};
    for (const auto& c : cases) {
        EXPECT_EQ(zones::CentralMeridianOf(c.zone), c.meridian) << c.zone;
        EXPECT_EQ(std::abs(zones::SignedCentralMeridian(c.zone)), c.meridian) << c.zone;
    }
    for (const std::int16_t zone : {5492, -5431}) {
        EXPECT_THROW(zones::CentralMeridianOf(zone), Overflow) << zone;
        EXPECT_THROW(zones::SignedCentralMeridian(zone), Overflow) << zone;
    }
}

TEST(UtmToGeo, WorkedExamples) {
    const struct { std::int16_t zone; double n, e; EllipsoidAxes axes; double lat, lon; } cases[] = {
        // The forward projection of 33.45, 70.65 rounded to the millimetre, brought back.
        {19, 6297606.833, 346642.695, datums::kSirgas, 33.4499999969, 70.64999999995881},
        {18, 6297606.833, 346642.695, datums::kSirgas, 33.4499999969, 76.64999999995881},
        {60, 6297606.833, 346642.695, datums::kSirgas, 33.4499999969, 177 - 1.64999999995881},
        {19, 6297606.833, 346642.695, datums::kPsad56, 33.4494871398, 70.6499182557},
        {19, 10000000, 500000, datums::kSirgas, 0, 69},
    };
    for (const auto& c : cases) {
        const datums::LatLon position = utm::UtmToGeo(c.zone, c.n, c.e, c.axes);
        EXPECT_NEAR(position.latitude, c.lat, 5e-11) << c.zone << ' ' << c.n;
        EXPECT_NEAR(position.longitude, c.lon, 5e-11) << c.zone << ' ' << c.n;
    }
    EXPECT_THROW(utm::UtmToGeo(5492, 6297606.833, 346642.695, datums::kSirgas), Overflow);
}
