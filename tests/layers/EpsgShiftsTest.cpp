// EPSG's Chile transformations as PROJ's database gives them, and the band
// each latitude gets at every limit of their areas of use.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <tuple>
#include <vector>

#include "EpsgShifts.h"

namespace trevalco::layers {
namespace {

struct Published {
    int code;
    datums::Shift toSirgas;
};

// The published triples (PSAD56 and SAD69 to SIRGAS-Chile / WGS 84).
const Published kPsad56[] = {{6971, {-302, 272, -360}}, {6972, {-328, 340, -329}}, {6973, {-352, 403, -287}}};
const Published kSad69[] = {
    {6974, {-59, -11, -52}}, {6975, {-64, 0, -32}}, {6976, {-72, 10, -32}}, {6977, {-79, 13, -14}}};

TEST(EpsgShifts, DatabaseGivesThePublishedTriples) {
    using Row = std::tuple<int, int, int, int>;
    const auto rows = [](const auto& bands) {
        std::vector<Row> out;
        for (const auto& b : bands) out.emplace_back(b.code, b.toSirgas.dX, b.toSirgas.dY, b.toSirgas.dZ);
        return out;
    };
    const EpsgShifts& shifts = EpsgShifts::FromDatabase();
    EXPECT_EQ(rows(shifts.Psad56()), rows(kPsad56));
    EXPECT_EQ(rows(shifts.Sad69()), rows(kSad69));
}

struct LimitCase {
    DirectionKey key;
    double latitude;
    int code;  // 0: no shift
};

// Every limit, on both sides; where two areas share one the northern band
// wins (6971/6972 at 26, 6972/6973 at 35.99 to 36, 6974/6975 at 31.99 to 32,
// 6975/6976 at 35.99 to 36).
const LimitCase kLimits[] = {
    {DirectionKey::Psad56ToSirgas, -17.49, 0},    {DirectionKey::Psad56ToSirgas, -17.5, 6971},
    {DirectionKey::Psad56ToSirgas, -26.0, 6971},  {DirectionKey::Psad56ToSirgas, -26.001, 6972},
    {DirectionKey::Psad56ToSirgas, -35.995, 6972}, {DirectionKey::Psad56ToSirgas, -36.0, 6972},
    {DirectionKey::Psad56ToSirgas, -36.001, 6973}, {DirectionKey::Psad56ToSirgas, -43.5, 6973},
    {DirectionKey::Psad56ToSirgas, -43.501, 0},   {DirectionKey::SirgasToPsad56, -52.0, 0},
    {DirectionKey::Sad69ToSirgas, -17.49, 0},     {DirectionKey::Sad69ToSirgas, -17.5, 6974},
    {DirectionKey::Sad69ToSirgas, -31.995, 6974}, {DirectionKey::Sad69ToSirgas, -32.0, 6974},
    {DirectionKey::Sad69ToSirgas, -32.001, 6975}, {DirectionKey::Sad69ToSirgas, -35.995, 6975},
    {DirectionKey::Sad69ToSirgas, -36.0, 6975},   {DirectionKey::Sad69ToSirgas, -36.001, 6976},
    {DirectionKey::Sad69ToSirgas, -43.5, 6976},   {DirectionKey::Sad69ToSirgas, -43.501, 0},
    {DirectionKey::SirgasToSad69, -51.98, 0},     {DirectionKey::SirgasToSad69, -51.99, 6977},
    {DirectionKey::SirgasToSad69, -55.96, 6977},  {DirectionKey::SirgasToSad69, -55.961, 0},
};

TEST(EpsgShifts, EveryLimitGoesToTheNorthernBand) {
    const EpsgShifts& shifts = EpsgShifts::FromDatabase();
    for (const LimitCase& limit : kLimits) {
        SCOPED_TRACE(limit.latitude);
        const std::optional<datums::Shift> lookup = shifts.Lookup(limit.key, limit.latitude);
        ASSERT_EQ(lookup.has_value(), limit.code != 0);
        if (!lookup) continue;
        const bool toSirgas = limit.key == DirectionKey::Psad56ToSirgas || limit.key == DirectionKey::Sad69ToSirgas;
        const auto& published = limit.code < 6974 ? std::span<const Published>(kPsad56) : std::span<const Published>(kSad69);
        const auto it = std::ranges::find(published, limit.code, &Published::code);
        EXPECT_EQ(lookup->dX, toSirgas ? it->toSirgas.dX : -it->toSirgas.dX);
        EXPECT_EQ(lookup->dZ, toSirgas ? it->toSirgas.dZ : -it->toSirgas.dZ);
    }
}

}  // namespace
}  // namespace trevalco::layers
