// The zone rule and the inverse projection; the forward projection's worked
// points are in WorkedPointsTest.
#include <gtest/gtest.h>

#include "Parametros.h"
#include "Util.h"
#include "modGEO_UTM.h"
#include "modUTM_GEO.h"

using namespace trevalco;
using Util::ForcedZone;

TEST(UtmZoneFor, BandsHoldTheirEasternLimit) {
    // Outside 48..114 the zone stays as the caller held it (7 here).
    const struct { double lon; int zone; } cases[] = {
        {47, 7}, {48, 22}, {53.999999, 22}, {54, 21}, {66, 19}, {71.999999, 19}, {72, 18}, {78, 17},
        {93, 15}, {99, 14}, {108, 12}, {114, 12}, {114.5, 7}};
    for (const auto& c : cases) {
        std::int16_t zone = 7, cm = 0;
        Util::UtmZoneFor(c.lon, zone, cm, ForcedZone::Off());
        EXPECT_EQ(zone, c.zone) << c.lon;
        EXPECT_EQ(cm, 183 - 6 * c.zone) << c.lon;
    }
}

TEST(UtmZoneFor, ForcedSettingFromTheWindow) {
    std::array<bool, 8> buttons{};
    EXPECT_EQ(Util::ReadForcedZone(0, buttons), ForcedZone::Off());
    EXPECT_EQ(Util::ReadForcedZone(2, {true}), ForcedZone::Off());  // grey is not ticked
    EXPECT_EQ(Util::ReadForcedZone(1, buttons), ForcedZone::To(22));  // none of OpZ12..OpZ21
    buttons[4] = true;                                                // OpZ18
    EXPECT_EQ(Util::ReadForcedZone(1, buttons), ForcedZone::To(18));
    buttons[1] = true;  // OpZ13 is read before OpZ18
    EXPECT_EQ(Util::ReadForcedZone(1, buttons), ForcedZone::To(13));
    std::int16_t zone = 0, cm = 0;
    Util::UtmZoneFor(70.65, zone, cm, ForcedZone::To(22));
    EXPECT_EQ(zone, 22);
    EXPECT_EQ(cm, 51);
}

TEST(UtmZoneFor, SixteenBitMeridianArithmetic) {
    EXPECT_EQ(Util::CentralMeridianOf(1), 177);
    EXPECT_EQ(Util::CentralMeridianOf(30), 3);
    EXPECT_EQ(Util::CentralMeridianOf(5491), 32763);
    EXPECT_EQ(Util::CentralMeridianOf(-5430), 32763);
    EXPECT_THROW(Util::CentralMeridianOf(5492), Overflow);
    EXPECT_THROW(Util::CentralMeridianOf(-5431), Overflow);
}

TEST(UtmToGeo, WorkedExamples) {
    const struct { std::int16_t zone; double n, e; EllipsoidAxes axes; double lat, lon; } cases[] = {
        // The forward projection of 33.45, 70.65 rounded to the millimetre, brought back.
        {19, 6297606.833, 346642.695, Parametros::kSirgas, 33.4499999969, 70.64999999995881},
        {18, 6297606.833, 346642.695, Parametros::kSirgas, 33.4499999969, 76.64999999995881},
        {60, 6297606.833, 346642.695, Parametros::kSirgas, 33.4499999969, 177 - 1.64999999995881},
        {19, 6297606.833, 346642.695, Parametros::kPsad56, 33.4494871398, 70.6499182557},
        {19, 10000000, 500000, Parametros::kSirgas, 0, 69},
    };
    for (const auto& c : cases) {
        double lat, lon;
        modUTM_GEO::UtmToGeo(c.zone, c.n, c.e, c.axes.a, c.axes.b, lat, lon);
        EXPECT_NEAR(lat, c.lat, 5e-11) << c.zone << ' ' << c.n;
        EXPECT_NEAR(lon, c.lon, 5e-11) << c.zone << ' ' << c.n;
    }
    double lat, lon;
    EXPECT_THROW(modUTM_GEO::UtmToGeo(5492, 6297606.833, 346642.695, 6378137, 6356752.3141, lat, lon), Overflow);
}
