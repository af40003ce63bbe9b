#include "Util.h"

#include <cmath>
#include <cstdlib>

#include "Limits.h"

namespace trevalco::Util {

ForcedZone ReadForcedZone(int checkValue, const std::array<bool, 8>& zoneButtons) {
    if (checkValue != 1) return ForcedZone::Off();
    for (std::size_t i = 0; i < zoneButtons.size(); ++i)
        if (zoneButtons[i]) return ForcedZone::To(kForceableZones[i]);
    return ForcedZone::To(22);
}

std::int16_t CentralMeridianOf(std::int16_t zone) {
    const std::int16_t fromThirty = Checked16(30 - zone);
    const std::int16_t times6 = Checked16(fromThirty * 6);
    const std::int16_t plus3 = Checked16(times6 + 3);
    const std::int16_t negated = Checked16(-plus3);
    return Checked16(std::abs(negated));
}

void UtmZoneFor(double longitude, std::int16_t& zone, std::int16_t& centralMeridian,
                ForcedZone forced) {
    const double l = longitude;
    if (forced.zone)
        zone = *forced.zone;
    else if (l >= 48 && l < 54)
        zone = 22;
    else if (l >= 54 && l < 60)
        zone = 21;
    else if (l >= 60 && l < 66)
        zone = 20;
    else if (l >= 66 && l < 72)
        zone = 19;
    else if (l >= 72 && l < 78)
        zone = 18;
    else if (l >= 78 && l < 84)
        zone = 17;
    else if (l >= 84 && l < 90)
        zone = 16;
    else if (l >= 90 && l < 96)
        zone = 15;
    else if (l >= 96 && l < 102)
        zone = 14;
    else if (l >= 102 && l < 108)
        zone = 13;
    else if (l >= 108 && l <= 114)
        zone = 12;
    centralMeridian = CentralMeridianOf(zone);
}

void DmsToDecimal(double& result, double degrees, double minutes, double seconds) {
    result = ((seconds / 60) + minutes) / 60 + degrees;
}

namespace {

void SplitAngle(double x, std::int16_t degrees, double& minutes, double& seconds) {
    minutes = std::trunc((x - degrees) * 60);
    seconds = ((x - degrees) * 60 - minutes) * 60;
}

}  // namespace

void DecimalToDms(double latitude, double longitude, std::int16_t& latDegrees,
                  std::int16_t& lonDegrees, double& latMinutes, double& lonMinutes,
                  double& latSeconds, double& lonSeconds) {
    latDegrees = Truncate16(latitude);
    lonDegrees = Truncate16(longitude);
    SplitAngle(latitude, latDegrees, latMinutes, latSeconds);
    SplitAngle(longitude, lonDegrees, lonMinutes, lonSeconds);
    if (latSeconds == 60.0) {
        latMinutes = latMinutes + 1;
        latSeconds = 0;
    }
    if (lonSeconds == 60.0) {
        lonMinutes = lonMinutes + 1;
        lonSeconds = 0;
    }
}

std::string FormatDms(double angle, const NumberText::Separators& separators) {
    std::int16_t degrees = Truncate16(angle);
    const double fraction = std::fabs(angle - degrees);
    double minutes = std::trunc(fraction * 60);
    double seconds = (fraction * 60 - minutes) * 60;
    if (std::nearbyint(seconds * 100) >= 6000) {  // two decimals, halves to even
        minutes = minutes + 1;
        seconds = 0;
    }
    if (std::nearbyint(minutes) >= 60) {
        degrees = Checked16(degrees >= 0 ? degrees + 1 : degrees - 1);
        minutes = 0;
    }
    static const NumberText::Mask kSeconds("##.###0");
    std::string text = NumberText::BlankPrefixedText(degrees);
    text += "° ";
    text += NumberText::BlankPrefixedText(std::fabs(minutes));
    text += "'  ";
    kSeconds.AppendTo(text, std::fabs(seconds), separators);
    text += '"';
    return text;
}

bool IsEmptyCell(const CellValue& value) {
    if (std::holds_alternative<std::monostate>(value)) return true;
    const auto* text = std::get_if<std::string>(&value);
    return text != nullptr && text->empty();
}

std::optional<double> NumberIn(const CellValue& value, const NumberText::Separators& separators) {
    if (const auto* number = std::get_if<double>(&value))
        return std::isfinite(*number) ? std::optional<double>(*number) : std::nullopt;
    if (const auto* text = std::get_if<std::string>(&value))
        return NumberText::ReadNumber(*text, separators);
    return std::nullopt;
}

namespace {

// A whole number in 16 bits: equal to its conversion to a 16-bit integer.
std::optional<std::int16_t> AsWhole16(double value) {
    const auto whole = NumberText::WholeNumber16(value);
    if (whole && static_cast<double>(*whole) == value) return whole;
    return std::nullopt;
}

}  // namespace

CellStatus CheckDegreesCell(CellValue& value, AngleKind kind, const NumberText::Separators& separators) {
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

namespace {

bool IsMinutesOrSeconds(double value) { return value >= 0 && value < 60; }

}  // namespace

CellStatus CheckMinutesCell(CellValue& value, const NumberText::Separators& separators) {
    if (IsEmptyCell(value)) return CellStatus::Empty;
    auto number = NumberIn(value, separators);
    if (!number) return CellStatus::NotNumeric;
    if (!IsMinutesOrSeconds(*number)) return CellStatus::OutOfRange;
    const auto whole = AsWhole16(*number);
    if (!whole) return CellStatus::HasDecimals;
    value = static_cast<double>(*whole);
    return CellStatus::Ok;
}

CellStatus CheckSecondsCell(CellValue& value, const NumberText::Separators& separators) {
    if (IsEmptyCell(value)) return CellStatus::Empty;
    auto number = NumberIn(value, separators);
    if (!number) return CellStatus::NotNumeric;
    if (!IsMinutesOrSeconds(*number)) return CellStatus::OutOfRange;
    value = *number;
    return CellStatus::Ok;
}

DmsReading ReadDmsCells(CellValue degrees, CellValue minutes, CellValue seconds, AngleKind kind,
                        const NumberText::Separators& separators) {
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

}  // namespace trevalco::Util
