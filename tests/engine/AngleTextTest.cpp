#include <gtest/gtest.h>

#include <cmath>

#include "TestSupport.h"
#include "Util.h"

using namespace trevalco;
using NumberText::Separators;

namespace {

const Separators kDot{".", ","};
const Separators kComma{",", "."};

struct Dms {
    int latDeg, lonDeg;
    double latMin, lonMin, latSec, lonSec;
};

Dms Split(double lat, double lon) {
    Dms d{};
    std::int16_t la = 0, lo = 0;
    Util::DecimalToDms(lat, lon, la, lo, d.latMin, d.lonMin, d.latSec, d.lonSec);
    d.latDeg = la;
    d.lonDeg = lo;
    return d;
}

}  // namespace

TEST(DmsToDecimal, DividesSecondsFirstAndIgnoresSigns) {
    double r = 0;
    Util::DmsToDecimal(r, 33, 27, 14.4);
    EXPECT_EQ(r, ((14.4 / 60) + 27) / 60 + 33);
    EXPECT_NEAR(r, 33.454, 1e-14);
    Util::DmsToDecimal(r, -33, 30, 0);
    EXPECT_EQ(r, -32.5);
}

TEST(DecimalToDms, PartsCarryTheSignOfTheirAngle) {
    Dms d = Split(-33.5, -70.25);
    EXPECT_EQ(d.latDeg, -33);
    EXPECT_EQ(d.lonDeg, -70);
    EXPECT_EQ(d.latMin, -30);
    EXPECT_EQ(d.lonMin, -15);
    EXPECT_EQ(d.latSec, 0);
    EXPECT_EQ(d.lonSec, 0);

    d = Split(33.454, 70.65);
    EXPECT_EQ(d.latDeg, 33);
    EXPECT_EQ(d.latMin, 27);
    EXPECT_EQ(test::Fixed(d.latSec, 12), "14.400000000002");  // representation error kept
    EXPECT_EQ(d.lonMin, 39);
}

TEST(DecimalToDms, DegreesBeyondSixteenBitsAreRefused) {
    EXPECT_NO_THROW(Split(32767.9, -32768.9));
    EXPECT_THROW(Split(32768, 70), Overflow);
    EXPECT_THROW(Split(33, -32769), Overflow);
    EXPECT_THROW(Split(std::nan(""), 70), Overflow);
}

TEST(FormatDms, DocumentedTexts) {
    EXPECT_EQ(Util::FormatDms(33.454, kDot), " 33°  27'  14.4000\"");
    EXPECT_EQ(Util::FormatDms(33.4496588124, kDot), " 33°  26'  58.7717\"");
    EXPECT_EQ(Util::FormatDms(70.6493505358, kDot), " 70°  38'  57.6619\"");
    EXPECT_EQ(Util::FormatDms(0.5, kDot), " 0°  30'  .0000\"");
    EXPECT_EQ(Util::FormatDms(12, kDot), " 12°  0'  .0000\"");
    EXPECT_EQ(Util::FormatDms(-33.5, kDot), "-33°  30'  .0000\"");
}

TEST(FormatDms, SecondsThatRoundToSixtyCarryUpToTheDegrees) {
    EXPECT_EQ(Util::FormatDms(33.999999, kDot), " 34°  0'  .0000\"");
    EXPECT_EQ(Util::FormatDms(71.99999999999993, kDot), " 72°  0'  .0000\"");
    EXPECT_EQ(Util::FormatDms(-33.999999, kDot), "-34°  0'  .0000\"");
    // 59.994 seconds rounds to 59.99: no carry.
    EXPECT_EQ(Util::FormatDms(33 + 27.0 / 60 + 59.994 / 3600, kDot), " 33°  27'  59.9940\"");
    EXPECT_THROW(Util::FormatDms(32767.9999999, kDot), Overflow);
}

TEST(FormatDms, SecondsUseTheLocaleDecimalSeparator) {
    EXPECT_EQ(Util::FormatDms(33.454, kComma), " 33°  27'  14,4000\"");
}
