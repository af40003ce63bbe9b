// The band limits, and the directions between the datums. The triples
// themselves, and the ellipsoids of each key, are checked against PROJ in
// WorkedPointsTest; here, which triple each limit selects.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <tuple>

#include "BandShifts.h"

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
        const std::optional<datums::Shift> shift = bands::BandShifts(c.key, c.latitude);
        const auto triple = shift ? std::optional<Triple>(Triple(shift->dX, shift->dY, shift->dZ)) : none;
        EXPECT_EQ(triple, c.shift) << NameOf(c.key) << ' ' << c.latitude;
        EXPECT_EQ(bands::ProgramBands().Lookup(c.key, c.latitude), shift) << NameOf(c.key) << ' ' << c.latitude;
    }
}

TEST(Datums, DirectionsJoinSirgasToEachLocalDatum) {
    for (const DirectionKey key : kDirections) {
        const Datum source = datums::SourceOf(key), target = datums::TargetOf(key);
        EXPECT_NE(source, target) << NameOf(key);
        EXPECT_TRUE(source == Datum::Sirgas || target == Datum::Sirgas) << NameOf(key);
        EXPECT_EQ(NameOf(key), std::string(NameOf(source)) + "_" + std::string(NameOf(target)));
        EXPECT_EQ(datums::DirectionBetween(source, target), key);
        EXPECT_EQ(datums::EllipsoidsFor(key).target, datums::AxesOf(target)) << NameOf(key);
    }
    EXPECT_EQ(datums::DirectionBetween(Datum::Psad56, Datum::Sad69), std::nullopt);
    EXPECT_EQ(datums::DirectionBetween(Datum::Sirgas, Datum::Sirgas), std::nullopt);
}
