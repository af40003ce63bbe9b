#include <gtest/gtest.h>

#include <cmath>

#include "Parametros.h"
#include "TestSupport.h"
#include "Util.h"
#include "modGEO_UTM.h"
#include "modUTM_GEO.h"

using namespace trevalco;
using trevalco::test::Fixed;
using Util::ForcedZone;

namespace {

struct Projected {
    std::string northing, easting;
    int zone, centralMeridian;
};

Projected Project(double lat, double lon, ForcedZone forced = ForcedZone::Off(),
                  EllipsoidAxes e = Parametros::kSirgas) {
    double n, east;
    std::int16_t zone = 0, cm = 0;
    modGEO_UTM::GeoToUtm(lat, lon, e.a, e.b, n, east, zone, cm, forced);
    return {Fixed(n, 3), Fixed(east, 3), zone, cm};
}

int ZoneOf(double lon, std::int16_t held = 7) {
    std::int16_t zone = held, cm = 0;
    Util::UtmZoneFor(lon, zone, cm, ForcedZone::Off());
    EXPECT_EQ(cm, 183 - 6 * zone);
    return zone;
}

}  // namespace

TEST(GeoToUtm, WorkedExamplesOnSirgas) {
    auto p = Project(33.45, 70.65);
    EXPECT_EQ(p.northing, "6297606.833");
    EXPECT_EQ(p.easting, "346642.695");
    EXPECT_EQ(p.zone, 19);
    EXPECT_EQ(p.centralMeridian, 69);

    p = Project(20, 67);
    EXPECT_EQ(std::tie(p.northing, p.easting, p.zone),
              std::make_tuple("7787269.285", "709243.230", 19));
    p = Project(45, 74.9);
    EXPECT_EQ(std::tie(p.northing, p.easting, p.zone),
              std::make_tuple("5017044.737", "507881.530", 18));
    p = Project(55, 68);
    EXPECT_EQ(std::tie(p.northing, p.easting, p.zone),
              std::make_tuple("3904751.292", "563967.423", 19));
}

TEST(GeoToUtm, ForcedZonesUseTheSameSeriesFarOutside) {
    auto p = Project(33.45, 70.65, ForcedZone::To(18));
    EXPECT_EQ(std::tie(p.northing, p.easting, p.zone, p.centralMeridian),
              std::make_tuple("6290351.776", "904437.020", 18, 75));
    p = Project(33.45, 70.65, ForcedZone::To(17));
    EXPECT_EQ(std::tie(p.northing, p.easting, p.zone, p.centralMeridian),
              std::make_tuple("6250514.541", "1463974.289", 17, 81));
}

TEST(UtmZoneFor, ZoneBoundaries) {
    EXPECT_EQ(ZoneOf(48), 22);
    EXPECT_EQ(ZoneOf(66), 19);
    EXPECT_EQ(ZoneOf(71.999999), 19);
    EXPECT_EQ(ZoneOf(72), 18);
    EXPECT_EQ(ZoneOf(78), 17);
    EXPECT_EQ(ZoneOf(93), 15);
    EXPECT_EQ(ZoneOf(99), 14);
    EXPECT_EQ(ZoneOf(114), 12);
    // Outside 48..114 the zone stays as the caller held it.
    EXPECT_EQ(ZoneOf(114.5), 7);
    EXPECT_EQ(ZoneOf(47), 7);
}

TEST(UtmZoneFor, ForcedSettingFromTheWindow) {
    std::array<bool, 8> none{};
    EXPECT_EQ(Util::ReadForcedZone(0, none), ForcedZone::Off());
    EXPECT_EQ(Util::ReadForcedZone(2, {true}), ForcedZone::Off());  // grey is not ticked
    EXPECT_EQ(Util::ReadForcedZone(1, none), ForcedZone::To(22));
    std::array<bool, 8> buttons{};
    buttons[4] = true;  // OpZ18
    EXPECT_EQ(Util::ReadForcedZone(1, buttons), ForcedZone::To(18));
    buttons[1] = true;  // OpZ13 is read before OpZ18
    EXPECT_EQ(Util::ReadForcedZone(1, buttons), ForcedZone::To(13));

    std::int16_t zone = 0, cm = 0;
    Util::UtmZoneFor(70.65, zone, cm, ForcedZone::To(22));
    EXPECT_EQ(zone, 22);
    EXPECT_EQ(cm, 51);
}

TEST(UtmZoneFor, SixteenBitMeridianArithmetic) {
    EXPECT_EQ(Util::CentralMeridianOf(5491), 32763);
    EXPECT_EQ(Util::CentralMeridianOf(-5430), 32763);
    EXPECT_THROW(Util::CentralMeridianOf(5492), Overflow);
    EXPECT_THROW(Util::CentralMeridianOf(-5431), Overflow);
    EXPECT_EQ(Util::CentralMeridianOf(1), 177);
    EXPECT_EQ(Util::CentralMeridianOf(30), 3);
}

TEST(UtmToGeo, WorkedExamples) {
    const auto& s = Parametros::kSirgas;
    double lat, lon;
    modUTM_GEO::UtmToGeo(19, 6297606.833, 346642.695, s.a, s.b, lat, lon);
    EXPECT_EQ(Fixed(lat, 10), "33.4499999969");
    // 70.64999999995881: the truncated figure 70.6499999999 rounds to this.
    EXPECT_EQ(Fixed(lon, 10), "70.6500000000");
    EXPECT_NEAR(lon, 70.64999999995881, 1e-12);

    double lat18, lon18;
    modUTM_GEO::UtmToGeo(18, 6297606.833, 346642.695, s.a, s.b, lat18, lon18);
    EXPECT_EQ(lat18, lat);
    EXPECT_NEAR(lon18, 76.64999999995881, 1e-12);

    const auto& p = Parametros::kPsad56;
    modUTM_GEO::UtmToGeo(19, 6297606.833, 346642.695, p.a, p.b, lat, lon);
    EXPECT_EQ(Fixed(lat, 10), "33.4494871398");
    EXPECT_EQ(Fixed(lon, 10), "70.6499182557");

    modUTM_GEO::UtmToGeo(19, 10000000, 500000, s.a, s.b, lat, lon);
    EXPECT_EQ(lat, 0);
    EXPECT_EQ(lon, 69);
}

TEST(UtmToGeo, InvertsTheForwardProjection) {
    const auto& s = Parametros::kSirgas;
    for (auto [la, lo] : {std::pair{33.45, 70.65}, {20.0, 67.0}, {45.0, 74.9}, {55.0, 68.0}}) {
        double n, e;
        std::int16_t zone = 0, cm = 0;
        modGEO_UTM::GeoToUtm(la, lo, s.a, s.b, n, e, zone, cm, ForcedZone::Off());
        double lat, lon;
        modUTM_GEO::UtmToGeo(zone, n, e, s.a, s.b, lat, lon);
        EXPECT_NEAR(lat, la, 1e-5 / 3600) << la << " " << lo;
        EXPECT_NEAR(lon, lo, 1e-5 / 3600) << la << " " << lo;
    }
}

TEST(UtmToGeo, ZonesBeyondSixteenBitMeridiansAreRefused) {
    const auto& s = Parametros::kSirgas;
    double lat, lon;
    EXPECT_THROW(modUTM_GEO::UtmToGeo(5492, 6297606.833, 346642.695, s.a, s.b, lat, lon),
                 Overflow);
    EXPECT_NO_THROW(modUTM_GEO::UtmToGeo(60, 6297606.833, 346642.695, s.a, s.b, lat, lon));
    EXPECT_NEAR(lon, 177 - (70.64999999995881 - 69), 1e-9);
}
