#include <gtest/gtest.h>

#include "Util.h"

using namespace trevalco;
using Util::CellValue;

namespace {

const NumberText::Separators kDot{".", ","};
const NumberText::Separators kComma{",", "."};

std::string Degrees(CellValue v, std::string_view kind, const NumberText::Separators& s = kDot) {
    return std::string(Util::CheckDegreesCell(v, kind, s));
}
std::string Minutes(CellValue v) { return std::string(Util::CheckMinutesCell(v, kDot)); }
std::string Seconds(CellValue v) { return std::string(Util::CheckSecondsCell(v, kDot)); }

}  // namespace

TEST(CheckDegreesCell, LimitsOfLatitudeAndLongitude) {
    EXPECT_EQ(Degrees(17.0, "lat"), "OK");
    EXPECT_EQ(Degrees(56.0, "lat"), "OK");
    EXPECT_EQ(Degrees(16.0, "lat"), "FL");
    EXPECT_EQ(Degrees(57.0, "lat"), "FL");
    EXPECT_EQ(Degrees(66.0, "lon"), "OK");
    EXPECT_EQ(Degrees(76.0, "lon"), "OK");
    EXPECT_EQ(Degrees(65.0, "lon"), "FL");
    EXPECT_EQ(Degrees(77.0, "lon"), "FL");
    EXPECT_EQ(Degrees(70.0, "anything"), "OK");  // every kind but "lat" is a longitude
    EXPECT_EQ(Degrees(33.5, "lat"), "ND");
    EXPECT_EQ(Degrees(16.5, "lat"), "FL");  // limits before decimals
}

TEST(CheckDegreesCell, EmptyTextAndSigns) {
    EXPECT_EQ(Degrees(std::monostate{}, "lat"), "CV");
    EXPECT_EQ(Degrees(std::string(), "lat"), "CV");
    EXPECT_EQ(Degrees(std::string(" "), "lat"), "NN");
    EXPECT_EQ(Degrees(std::string("treinta"), "lat"), "NN");
    EXPECT_EQ(Degrees(std::string("#N/A"), "lat"), "NN");
    EXPECT_EQ(Degrees(std::string("33,5"), "lat", kDot), "NN");
    EXPECT_EQ(Degrees(std::string("33,5"), "lat", kComma), "ND");
    EXPECT_EQ(Degrees(std::string("33"), "lat"), "OK");

    CellValue v = -33.0;  // a negative cell is taken by its magnitude
    EXPECT_EQ(Util::CheckDegreesCell(v, "lat", kDot), "OK");
    EXPECT_EQ(std::get<double>(v), -33.0);
    v = std::string("70");
    EXPECT_EQ(Util::CheckDegreesCell(v, "lon", kDot), "OK");
    EXPECT_EQ(std::get<double>(v), -70.0);
}

TEST(CheckMinutesAndSeconds, RangeWholenessAndEmptiness) {
    EXPECT_EQ(Minutes(std::monostate{}), "CV");
    EXPECT_EQ(Minutes(std::string("x")), "NN");
    EXPECT_EQ(Minutes(59.0), "OK");
    EXPECT_EQ(Minutes(0.0), "OK");
    EXPECT_EQ(Minutes(60.0), "FR");
    EXPECT_EQ(Minutes(-5.0), "FR");
    EXPECT_EQ(Minutes(10.5), "ND");
    EXPECT_EQ(Minutes(59.5), "ND");

    EXPECT_EQ(Seconds(std::string()), "CV");
    EXPECT_EQ(Seconds(std::string("abc")), "NN");
    EXPECT_EQ(Seconds(59.9999), "OK");
    EXPECT_EQ(Seconds(60.0), "FR");
    EXPECT_EQ(Seconds(-0.1), "FR");
    CellValue s = std::string("14.4");
    EXPECT_EQ(Util::CheckSecondsCell(s, kDot), "OK");
    EXPECT_EQ(std::get<double>(s), 14.4);
}
