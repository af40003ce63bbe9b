#include <gtest/gtest.h>

#include "Util.h"

using namespace trevalco;
using Util::CellValue;

namespace {

const NumberText::Separators kDot{".", ","};
const NumberText::Separators kComma{",", "."};

}  // namespace

TEST(CheckDegreesCell, LimitsBeforeDecimalsEmptinessAndText) {
    const std::monostate empty;
    const struct { CellValue value; const char* kind; const NumberText::Separators& separators; const char* code; } cases[] = {
        {17.0, "lat", kDot, "OK"}, {56.0, "lat", kDot, "OK"}, {16.0, "lat", kDot, "FL"}, {57.0, "lat", kDot, "FL"},
        {66.0, "lon", kDot, "OK"}, {76.0, "lon", kDot, "OK"}, {65.0, "lon", kDot, "FL"}, {77.0, "lon", kDot, "FL"},
        {70.0, "anything", kDot, "OK"},  // every kind but "lat" is a longitude
        {33.5, "lat", kDot, "ND"}, {16.5, "lat", kDot, "FL"},
        {empty, "lat", kDot, "CV"}, {std::string(), "lat", kDot, "CV"}, {std::string(" "), "lat", kDot, "NN"},
        {std::string("#N/A"), "lat", kDot, "NN"}, {std::string("33,5"), "lat", kDot, "NN"},
        {std::string("33,5"), "lat", kComma, "ND"}, {std::string("33"), "lat", kDot, "OK"}};
    for (auto c : cases) EXPECT_EQ(Util::CheckDegreesCell(c.value, c.kind, c.separators), c.code) << c.kind;

    CellValue v = -33.0;  // a negative cell is taken by its magnitude, and kept
    EXPECT_EQ(Util::CheckDegreesCell(v, "lat", kDot), "OK");
    EXPECT_EQ(std::get<double>(v), -33.0);
    v = std::string("70");  // a text cell is replaced by its signed number
    EXPECT_EQ(Util::CheckDegreesCell(v, "lon", kDot), "OK");
    EXPECT_EQ(std::get<double>(v), -70.0);
}

TEST(CheckMinutesAndSeconds, RangeWholenessAndEmptiness) {
    const struct { CellValue value; const char* minutes; const char* seconds; } cases[] = {
        {std::monostate{}, "CV", "CV"}, {std::string(), "CV", "CV"}, {std::string("x"), "NN", "NN"},
        {0.0, "OK", "OK"}, {59.0, "OK", "OK"}, {59.5, "ND", "OK"}, {10.5, "ND", "OK"}, {59.9999, "ND", "OK"},
        {60.0, "FR", "FR"}, {-5.0, "FR", "FR"}, {-0.1, "FR", "FR"}};
    for (auto c : cases) {
        CellValue copy = c.value;
        EXPECT_EQ(Util::CheckMinutesCell(c.value, kDot), c.minutes) << c.minutes << c.seconds;
        EXPECT_EQ(Util::CheckSecondsCell(copy, kDot), c.seconds) << c.minutes << c.seconds;
    }
    CellValue s = std::string("14.4");
    EXPECT_EQ(Util::CheckSecondsCell(s, kDot), "OK");
    EXPECT_EQ(std::get<double>(s), 14.4);
}
