#include "CellChecks.h"

#include <cmath>

#include "Int16.h"
#include "Limits.h"

namespace trevalco::cells {

namespace {

// A whole number in 16 bits: equal to its conversion to a 16-bit integer.
std::optional<std::int16_t> AsWhole16(double value) {
    const auto whole = WholeNumber16(value);
    if (whole && static_cast<double>(*whole) == value) return whole;
    return std::nullopt;
}

bool IsMinutesOrSeconds(double value) { return value >= 0 && value < 60; }

}  // namespace

CellStatus CheckDegreesCell(CellValue& value, AngleKind kind, const number_text::Separators& separators) {
    if (IsEmptyCell(value)) return CellStatus::Empty;
    auto number = NumberIn(value, separators);
    if (!number) return CellStatus::NotNumeric;
    const double negative = -std::fabs(*number);
    value = negative;
    const limits::Range& range = kind == AngleKind::Latitude ? limits::kLatitude : limits::kLongitude;
    if (!range.Holds(-negative)) return CellStatus::OutOfLimits;
    const auto whole = AsWhole16(negative);
    if (!whole) return CellStatus::HasDecimals;
    value = static_cast<double>(*whole);
    return CellStatus::Ok;
}

CellStatus CheckMinutesCell(CellValue& value, const number_text::Separators& separators) {
    if (IsEmptyCell(value)) return CellStatus::Empty;
    auto number = NumberIn(value, separators);
    if (!number) return CellStatus::NotNumeric;
    if (!IsMinutesOrSeconds(*number)) return CellStatus::OutOfRange;
    const auto whole = AsWhole16(*number);
    if (!whole) return CellStatus::HasDecimals;
    value = static_cast<double>(*whole);
    return CellStatus::Ok;
}

CellStatus CheckSecondsCell(CellValue& value, const number_text::Separators& separators) {
    if (IsEmptyCell(value)) return CellStatus::Empty;
    auto number = NumberIn(value, separators);
    if (!number) return CellStatus::NotNumeric;
    if (!IsMinutesOrSeconds(*number)) return CellStatus::OutOfRange;
    value = *number;
    return CellStatus::Ok;
}

DmsReading ReadDmsCells(CellValue degrees, CellValue minutes, CellValue seconds, AngleKind kind,
                        const number_text::Separators& separators) {
    DmsReading reading;
    const auto failed = [&reading](std::uint8_t cell, CellStatus status) {
        reading.cell = cell;
        reading.status = status;
        return reading;
    };
    CellStatus status = CheckDegreesCell(degrees, kind, separators);
    if (status != CellStatus::Ok) return failed(0, status);
    const double d = std::fabs(std::get<double>(degrees));

    double m = 0.0;
    status = CheckMinutesCell(minutes, separators);
    if (status == CellStatus::Empty)
        reading.zeroMinutes = true;
    else if (status != CellStatus::Ok)
        return failed(1, status);
    else
        m = std::get<double>(minutes);

    double s = 0.0;
    status = CheckSecondsCell(seconds, separators);
    if (status == CellStatus::Empty)
        reading.zeroSeconds = true;
    else if (status != CellStatus::Ok)
        return failed(2, status);
    else
        s = std::get<double>(seconds);

    reading.value = d + m / 60 + s / 3600;
    return reading;
}

}  // namespace trevalco::cells
