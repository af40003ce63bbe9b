// Angle helpers, the UTM zone rule, and the checks of degree, minute and
// second cells.
#pragma once

#include <array>
#include <functional>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "Constants.h"
#include "NumberText.h"
#include "Types.h"

namespace trevalco::Util {

// Degrees to radians with the decimal value of pi.
constexpr double DegToRad(double degrees) { return (degrees * constants::kDecimalPi) / 180; }

// The "Forzar Zonas" setting as read at one projection: either off, or the
// zone every projection must use.
struct ForcedZone {
    std::optional<std::int16_t> zone;

    static constexpr ForcedZone Off() { return {}; }
    static constexpr ForcedZone To(std::int16_t forced) { return {forced}; }
    friend bool operator==(const ForcedZone&, const ForcedZone&) = default;
};

// The zones that the window's zone buttons offer, in the order they are read:
// OpZ12, OpZ13, OpZ16, OpZ17, OpZ18, OpZ19, OpZ20, OpZ21 (OpZ22 is the fallback).
inline constexpr std::array<std::int16_t, 8> kForceableZones{12, 13, 16, 17, 18, 19, 20, 21};

// The setting from the check box value (1 is ticked; 0 clear, 2 grey) and the
// selected state of the eight buttons above: the first selected one wins, and
// zone 22 when none of them is.
ForcedZone ReadForcedZone(int checkValue, const std::array<bool, 8>& zoneButtons);

// Chooses the UTM zone for the longitude magnitude (degrees west). The zone is
// left as the caller had it when the longitude is outside 48..114 and no zone
// is forced; the central meridian is always written from the final zone.
// Throws Overflow when that zone's meridian does not fit 16 bits.
void UtmZoneFor(double longitude, std::int16_t& zone, std::int16_t& centralMeridian,
                ForcedZone forced);

// The magnitude of the central meridian of a zone, in 16-bit arithmetic.
std::int16_t CentralMeridianOf(std::int16_t zone);

// result = ((seconds / 60) + minutes) / 60 + degrees; no sign handling.
void DmsToDecimal(double& result, double degrees, double minutes, double seconds);

// Splits latitude and longitude into whole degrees (16 bits), whole minutes
// and seconds, each part carrying the sign of its angle. Seconds of exactly 60
// carry into the minutes. Throws Overflow when the degrees do not fit 16 bits.
void DecimalToDms(double latitude, double longitude, std::int16_t& latDegrees,
                  std::int16_t& lonDegrees, double& latMinutes, double& lonMinutes,
                  double& latSeconds, double& lonSeconds);

// The one-line text of an angle: degrees, minutes and seconds with their
// signs, seconds with four decimals ( 33°  27'  14.4000"). Throws Overflow
// when the degrees do not fit 16 bits.
std::string FormatDms(double angle, const NumberText::Separators& separators);

// What a spreadsheet cell holds: nothing, a number, or a text.
using CellValue = std::variant<std::monostate, double, std::string>;

// Nothing, or the empty text.
bool IsEmptyCell(const CellValue& value);

// A number, or a text that reads as one with the separators; nothing for an
// empty cell, a text that is no number, or a number that is not finite.
std::optional<double> NumberIn(const CellValue& value, const NumberText::Separators& separators);

// What a cell check found.
enum class CellStatus : std::uint8_t {
    Empty,        // the cell is empty
    Ok,           // the value is acceptable
    HasDecimals,  // a fractional part where a whole number is required
    OutOfLimits,  // degrees outside the limits of the coordinate
    NotNumeric,   // the value is not numeric
    OutOfRange,   // minutes or seconds outside 0 <= value < 60
};

enum class AngleKind : std::uint8_t { Latitude, Longitude };

// Degrees of a latitude or a longitude: must be a whole number within
// 17..56 or 66..76 in magnitude. On Ok the value holds the negative whole
// degrees.
CellStatus CheckDegreesCell(CellValue& value, AngleKind kind, const NumberText::Separators& separators);
// Whole minutes within 0 <= m < 60. On Ok the value holds the number.
CellStatus CheckMinutesCell(CellValue& value, const NumberText::Separators& separators);
// Seconds within 0 <= s < 60, decimals allowed. On Ok the value holds the number.
CellStatus CheckSecondsCell(CellValue& value, const NumberText::Separators& separators);

// One coordinate's degrees, minutes and seconds cells, read: its magnitude
// in decimal degrees, or the first cell that failed its check and how. An
// empty minutes or seconds cell is no failure: it counts as 0, and the
// reading says so (the run tells the user).
struct DmsReading {
    double value = 0.0;
    CellStatus status = CellStatus::Ok;  // of the cell that failed
    std::uint8_t cell = 0;               // which: 0 degrees, 1 minutes, 2 seconds
    bool zeroMinutes = false;
    bool zeroSeconds = false;
    bool Ok() const { return status == CellStatus::Ok; }
};

DmsReading ReadDmsCells(CellValue degrees, CellValue minutes, CellValue seconds, AngleKind kind,
                        const NumberText::Separators& separators);

}  // namespace trevalco::Util
