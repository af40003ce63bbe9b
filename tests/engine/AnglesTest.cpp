#include <gtest/gtest.h>

#include <cmath>

#include "TestSupport.h"
#include "Angles.h"
#include "Int16.h"

using namespace trevalco;

namespace {

const number_text::Separators kDot{".", ","};
const number_text::Separators kComma{",", "."};

// Degrees, minutes and seconds of latitude and longitude as one text.
std::string Split(double lat, double lon) {
    const angles::Dms la = angles::DecimalToDms(lat);
    const angles::Dms lo = angles::DecimalToDms(lon);
    return std::to_string(la.degrees) + ' ' + number_text::PlainText(la.minutes, kDot) + ' ' +
           test::Fixed(la.seconds, 12) + " / " + std::to_string(lo.degrees) + ' ' +
           number_text::PlainText(lo.minutes, kDot) + ' ' + test::Fixed(lo.seconds, 6);
}

}  // namespace

TEST(DmsToDecimal, DividesSecondsFirstAndIgnoresSigns) {
    EXPECT_EQ(angles::DmsToDecimal(33, 27, 14.4), ((14.4 / 60) + 27) / 60 + 33);  // bit for bit, in this order
    EXPECT_EQ(angles::DmsToDecimal(-33, 30, 0), -32.5);
}

TEST(DecimalToDms, PartsCarryTheSignOfTheirAngle) {
    EXPECT_EQ(Split(-33.5, -70.25), "-33 -30 0.000000000000 / -70 -15 0.000000");
    EXPECT_EQ(Split(33.454, 70.65), "33 27 14.400000000002 / 70 39 0.000000");  // representation error kept
    EXPECT_NO_THROW(Split(32767.9, -32768.9));
    for (auto [lat, lon] : {std::pair{32768.0, 70.0}, {33.0, -32769.0}, {std::nan(""), 70.0}})
        EXPECT_THROW(Split(lat, lon), Overflow) << lat << ' ' << lon;
}

TEST(FormatDms, TextsRoundingAndCarries) {
    const struct { double angle; const number_text::Separators& separators; const char* text; } cases[] = {
        {33.454, kDot, " 33°  27'  14.4000\""},
        {33.454, kComma, " 33°  27'  14,4000\""},
        {33.4496588124, kDot, " 33°  26'  58.7717\""},
        {70.6493505358, kDot, " 70°  38'  57.6619\""},
        {0.5, kDot, " 0°  30'  .0000\""},
        {12, kDot, " 12°  0'  .0000\""},
        {-33.5, kDot, "-33°  30'  .0000\""},
        // Seconds that round to sixty carry up to the minutes and degrees.
        {33.999999, kDot, " 34°  0'  .0000\""},
        {-33.999999, kDot, "-34°  0'  .0000\""},
        {71.99999999999993, kDot, " 72°  0'  .0000\""},
        {33 + 27.0 / 60 + 59.994 / 3600, kDot, " 33°  27'  59.9940\""},
    };
    for (const auto& c : cases) EXPECT_EQ(angles::FormatDms(c.angle, c.separators), c.text) << c.angle;
    EXPECT_THROW(angles::FormatDms(32767.9999999, kDot), Overflow);
}
