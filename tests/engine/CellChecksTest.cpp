#include <gtest/gtest.h>

#include "CellChecks.h"

using namespace trevalco;
using cells::CellValue;
using S = cells::CellStatus;
constexpr auto Lat = cells::AngleKind::Latitude;
constexpr auto Lon = cells::AngleKind::Longitude;

namespace {

const number_text::Separators kDot{".", ","};
const number_text::Separators kComma{",", "."};

}  // namespace

TEST(CheckDegreesCell, LimitsBeforeDecimalsEmptinessAndText) {
    const std::monostate empty;
    const struct { CellValue value; cells::AngleKind kind; const number_text::Separators& separators; S code; } cases[] = {
        {17.0, Lat, kDot, S::Ok}, {56.0, Lat, kDot, S::Ok}, {16.0, Lat, kDot, S::OutOfLimits}, {57.0, Lat, kDot, S::OutOfLimits},
        {66.0, Lon, kDot, S::Ok}, {76.0, Lon, kDot, S::Ok}, {65.0, Lon, kDot, S::OutOfLimits}, {77.0, Lon, kDot, S::OutOfLimits},
        {33.5, Lat, kDot, S::HasDecimals}, {16.5, Lat, kDot, S::OutOfLimits},
        {empty, Lat, kDot, S::Empty}, {std::string(), Lat, kDot, S::Empty}, {std::string(" "), Lat, kDot, S::NotNumeric},
        {std::string("#N/A"), Lat, kDot, S::NotNumeric}, {std::string("33,5"), Lat, kDot, S::NotNumeric},
        {std::string("33,5"), Lat, kComma, S::HasDecimals}, {std::string("33"), Lat, kDot, S::Ok}};
    for (auto c : cases) EXPECT_EQ(cells::CheckDegreesCell(c.value, c.kind, c.separators), c.code) << static_cast<int>(c.kind);

    CellValue v = -33.0;  // a negative cell is taken by its magnitude, and kept
    EXPECT_EQ(cells::CheckDegreesCell(v, Lat, kDot), S::Ok);
    EXPECT_EQ(std::get<double>(v), -33.0);
    v = std::string("70");  // a text cell is replaced by its signed number
    EXPECT_EQ(cells::CheckDegreesCell(v, Lon, kDot), S::Ok);
    EXPECT_EQ(std::get<double>(v), -70.0);
}

TEST(CheckMinutesAndSeconds, RangeWholenessAndEmptiness) {
    const struct { CellValue value; S minutes; S seconds; } cases[] = {
        {std::monostate{}, S::Empty, S::Empty}, {std::string(), S::Empty, S::Empty}, {std::string("x"), S::NotNumeric, S::NotNumeric},
        {0.0, S::Ok, S::Ok}, {59.0, S::Ok, S::Ok}, {59.5, S::HasDecimals, S::Ok}, {10.5, S::HasDecimals, S::Ok}, {59.9999, S::HasDecimals, S::Ok},
        {60.0, S::OutOfRange, S::OutOfRange}, {-5.0, S::OutOfRange, S::OutOfRange}, {-0.1, S::OutOfRange, S::OutOfRange}};
    for (auto c : cases) {
        CellValue copy = c.value;
        EXPECT_EQ(cells::CheckMinutesCell(c.value, kDot), c.minutes) << static_cast<int>(c.minutes) << static_cast<int>(c.seconds);
        EXPECT_EQ(cells::CheckSecondsCell(copy, kDot), c.seconds) << static_cast<int>(c.minutes) << static_cast<int>(c.seconds);
    }
    CellValue s = std::string("14.4");
    EXPECT_EQ(cells::CheckSecondsCell(s, kDot), S::Ok);
    EXPECT_EQ(std::get<double>(s), 14.4);
}
