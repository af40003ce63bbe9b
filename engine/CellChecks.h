// The checks of the degree, minute and second cells of a sheet row (and of
// the same fields of a command-line line).
#pragma once

#include <cstdint>

#include "CellValue.h"
#include "NumberText.h"

namespace trevalco::cells {

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

// Degrees of a latitude or a longitude: a whole number within the latitudes
// or the longitudes of the transformation range (limits::kLatitude,
// limits::kLongitude) in magnitude. On Ok the value holds the negative whole
// degrees.
CellStatus CheckDegreesCell(CellValue& value, AngleKind kind, const number_text::Separators& separators);
// Whole minutes within 0 <= m < 60. On Ok the value holds the number.
CellStatus CheckMinutesCell(CellValue& value, const number_text::Separators& separators);
// Seconds within 0 <= s < 60, decimals allowed. On Ok the value holds the number.
CellStatus CheckSecondsCell(CellValue& value, const number_text::Separators& separators);

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
                        const number_text::Separators& separators);

}  // namespace trevalco::cells
