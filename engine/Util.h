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

#include "NumberText.h"
#include "Types.h"

namespace trevalco::Util {

// Degrees to radians with the decimal constant 3.14159265358979.
constexpr double DegToRad(double degrees) { return (degrees * 3.14159265358979) / 180; }

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

// Status codes of the cell checks.
inline constexpr std::string_view kCellEmpty = "CV";
inline constexpr std::string_view kCellOk = "OK";
inline constexpr std::string_view kCellHasDecimals = "ND";
inline constexpr std::string_view kCellOutOfLimits = "FL";
inline constexpr std::string_view kCellNotNumeric = "NN";
inline constexpr std::string_view kCellOutOfRange = "FR";

// Degrees of a latitude (kind "lat") or a longitude (any other kind): must be
// a whole number within 17..56 or 66..76 in magnitude. On "OK" the value holds
// the negative whole degrees.
std::string_view CheckDegreesCell(CellValue& value, std::string_view kind,
                                  const NumberText::Separators& separators);
// Whole minutes within 0 <= m < 60. On "OK" the value holds the number.
std::string_view CheckMinutesCell(CellValue& value, const NumberText::Separators& separators);
// Seconds within 0 <= s < 60, decimals allowed. On "OK" the value holds the number.
std::string_view CheckSecondsCell(CellValue& value, const NumberText::Separators& separators);

}  // namespace trevalco::Util

namespace trevalco::Util {

// The cell prompt texts of each status code, as the degree-minute-second run
// shows them after the cell's name, and the notice for an empty minutes or
// seconds cell.
std::string_view CellPromptText(std::string_view code);
inline constexpr std::string_view kZeroNoticeText = "  Vacía !.  ¡ Se Asumirá cero !";

// "¡ Celda  " " C,5 " followed by the text: how messages name a cell.
std::string CellMessage(std::string_view cellName, std::string_view text);

// Outcomes of ReadDmsCells.
inline constexpr std::string_view kReadOk = "OK";
inline constexpr std::string_view kReadSkip = "Omite";
inline constexpr std::string_view kReadAbort = "Aborta";

// How ReadDmsCells talks to the user.
struct DmsPrompts {
    // Asks about a bad cell (title "Advertencia", OK and Cancel, no icon):
    // true for OK (skip the row), false for Cancel (stop the run).
    std::function<bool(const std::string& message)> askCell;
    // Tells that an empty minutes or seconds cell is taken as zero (title
    // "Advertencia", exclamation icon, OK).
    std::function<void(const std::string& message)> noticeZero;
};

// Validates the three cells of one coordinate (kind "lat" or "lon") and
// returns its magnitude in decimal degrees with outcome "OK"; after a bad cell
// it asks, and returns 0 with "Omite" (the skip counter grows) or "Aborta".
double ReadDmsCells(CellValue degrees, CellValue minutes, CellValue seconds,
                    std::int16_t& skipCounter, std::string& outcome, std::string_view kind,
                    std::string_view degreesName, std::string_view minutesName,
                    std::string_view secondsName, const NumberText::Separators& separators,
                    const DmsPrompts& prompts);

}  // namespace trevalco::Util
