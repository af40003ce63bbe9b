// Angles in degrees: to radians, decimal degrees to and from degrees,
// minutes and seconds, and the one-line text of an angle.
#pragma once

#include <cstdint>
#include <string>

#include "Constants.h"
#include "NumberText.h"

namespace trevalco::angles {

// Degrees to radians with the decimal value of pi, multiplied first.
constexpr double DegToRad(double degrees) { return (degrees * constants::kDecimalPi) / 180; }

// The same conversion as one factor each way, as the UTM inverse series
// multiplies by it. A factor rounds differently from DegToRad's product and
// quotient, so each formula keeps the form it is written with.
inline constexpr double kRadiansPerDegree = constants::kDecimalPi / 180;
inline constexpr double kDegreesPerRadian = 180 / constants::kDecimalPi;

// ((seconds / 60) + minutes) / 60 + degrees; no sign handling.
constexpr double DmsToDecimal(double degrees, double minutes, double seconds) {
    return ((seconds / 60) + minutes) / 60 + degrees;
}

// An angle split into whole degrees (16 bits), whole minutes and seconds,
// each part carrying the sign of the angle.
struct Dms {
    std::int16_t degrees = 0;
    double minutes = 0.0;
    double seconds = 0.0;
};

// Seconds of exactly 60 carry into the minutes. Throws Overflow when the
// degrees do not fit 16 bits.
Dms DecimalToDms(double angle);

// The one-line text of an angle: degrees, minutes and seconds with their
// signs, seconds with four decimals ( 33°  27'  14.4000"); seconds that round
// to 60.00 carry into the minutes, and minutes of 60 into the degrees.
// Throws Overflow when the degrees do not fit 16 bits.
std::string FormatDms(double angle, const number_text::Separators& separators);

}  // namespace trevalco::angles
