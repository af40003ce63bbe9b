#include "LineConverter.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <charconv>
#include <cmath>
#include <optional>

#include "LayerLink.h"
#include "Limits.h"
#include "PointMessages.h"
#include "RangeTexts.h"
#include "RowMessages.h"

namespace trevalco::cli {

namespace {


bool IsBlankText(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

// A zone written as a whole number of the UTM zones, digits only.
bool IsZoneText(std::string_view text) {
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    const int zone = text.size() == 1 ? text[0] - '0' : (text[0] - '0') * 10 + (text[1] - '0');
    return zones::kZones.Holds(zone);
}

std::size_t FieldsOf(core::Notation from) {
    switch (from) {
        case core::Notation::DecimalDegrees: return 2;
        case core::Notation::DegreesMinutesSeconds: return 6;
        case core::Notation::Utm: return 3;
    }
    return 2;
}

// How each degree, minute and second field is named in a line's reason.
constexpr std::array<std::string_view, 6> kDmsNames{"LATD", "LATM", "LATS", "LOND", "LONM", "LONS"};

// A magnitude in degrees, as a reason shows it.
std::string Degrees(double value) {
    std::array<char, 32> digits;
    const int length = std::snprintf(digits.data(), digits.size(), "%.4f", value);
    return std::string(digits.data(), static_cast<std::size_t>(std::max(0, length)));
}

// Whether a text reads as a number once its decimal comma is a point.
bool ReadsWithComma(std::string_view text) {
    if (text.find(',') == std::string_view::npos) return false;
    std::string dotted(text);
    for (char& c : dotted)
        if (c == ',') c = '.';
    return number_text::ReadNumber(dotted, number_text::Invariant()).has_value();
}

}  // namespace

// The coordinate fields of a line and how their cells are read.
struct LineConverter::Fields {
    const LineFields& split;
    bool delimited;
    const number_text::Separators& separators;

    // The field's text, quotes taken off; valid until the next call.
    std::string_view Text(std::size_t index) const { return FieldText(split.fields[index], delimited, scratch); }
    bool Blank(std::size_t index) const { return index >= split.count || IsBlankText(Text(index)); }
    // A sheet cell holding the field: empty when the field is missing (or,
    // with `blankIsEmpty`, blank), its number when it reads as one (as a
    // sheet's number cell), else its text.
    cells::CellValue Cell(std::size_t index, bool blankIsEmpty) const {
        if (index >= split.count || split.fields[index].empty()) return std::monostate{};
        const std::string_view text = Text(index);
        if (blankIsEmpty && IsBlankText(text)) return std::monostate{};
        if (const auto number = number_text::ReadNumber(text, separators)) return *number;
        return std::string(text);
    }

    mutable std::string scratch;
};

void LineConverter::AppendPosition(const core::Position& position, std::string& out) const {
    degrees_.AppendTo(out, position.latitude, written_);
    out += separator_;
    degrees_.AppendTo(out, position.longitude, written_);
    out += separator_;
    metres_.AppendTo(out, position.utm.northing, written_);
    out += separator_;
    metres_.AppendTo(out, position.utm.easting, written_);
    out += separator_;
    std::array<char, 8> digits;
    const char* const end = std::to_chars(digits.data(), digits.data() + digits.size(), position.utm.zone).ptr;
    out.append(digits.data(), static_cast<std::size_t>(end - digits.data()));
}

void LineConverter::AppendStars(std::size_t count, std::string& out) const {
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) out += separator_;
        out += '*';
    }
}

LineConverter::LineConverter(ConvertSettings settings) : settings_(std::move(settings)) {
    separator_ = settings_.layout.delimiter.value_or('\t');
    core_.direction = settings_.key;
    core_.forced = settings_.forced;
    core_.zone = settings_.zone;
    core_.rules = core::InputRules::CommandLine;
    core_.separators = {settings_.decimalComma ? "," : ".", ""};
    core_.shifts = ShiftsFor(settings_.shifts);
    core_.texts = false;
    written_ = {settings_.decimalComma ? "," : ".", ""};
}

LineResult LineConverter::Convert(std::string_view line, std::string& out) const {
    if (line.ends_with('\r')) line.remove_suffix(1);
    LineFields split = SplitLine(line, settings_.layout, FieldsOf(settings_.from));
    if (split.blank) return {};
    if (settings_.layout.skipFields > 0) {
        out += split.leading;
        out += separator_;
    }
    // With a zone for every line, a third field is the line's own zone only
    // when it reads as one; anything else belongs to the rest of the line.
    const Fields fields{split, settings_.layout.delimiter.has_value(), core_.separators, {}};
    if (settings_.from == core::Notation::Utm && settings_.zone && split.count == 3 && !IsZoneText(fields.Text(2)))
        split.PassFrom(2, line);

    LineResult result{LineOutcome::Converted, {}};
    const core::Outcome outcome = ConvertFields(fields, result);
    if (!outcome.hasSource) {
        AppendStars(10, out);
    } else {
        AppendPosition(outcome.source, out);
        out += separator_;
        if (outcome.Converted())
            AppendPosition(outcome.target, out);
        else
            AppendStars(5, out);
    }
    if (result.outcome == LineOutcome::Converted && !outcome.Converted())
        result = {LineOutcome::Rejected, ReasonFor(outcome, fields)};
    else if (result.outcome == LineOutcome::Rejected)
        result.reason = WithAdvice(result.reason, "se esperan seis campos: LATD LATM LATS LOND LONM LONS");
    if (!split.rest.empty()) {
        out += separator_;
        out += split.rest;
    }
    return result;
}

// The cells go straight into the point's values, so the unused ones are
// all that is cleared.
core::Outcome LineConverter::ConvertFields(const Fields& fields, LineResult& result) const {
    switch (settings_.from) {
        case core::Notation::DecimalDegrees:
            return core::ConvertPoint(settings_.from, {fields.Cell(0, true), fields.Cell(1, true)}, core_);
        case core::Notation::DegreesMinutesSeconds:
            // A line of fewer than six fields is an empty row, not one with empty cells.
            if (fields.split.count < 6) {
                result = {LineOutcome::Rejected, std::string(kEmptyRow)};
                return {};
            }
            return core::ConvertPoint(settings_.from,
                                      {fields.Cell(0, false), fields.Cell(1, false), fields.Cell(2, false),
                                       fields.Cell(3, false), fields.Cell(4, false), fields.Cell(5, false)},
                                      core_);
        case core::Notation::Utm: break;
    }
    return core::ConvertPoint(settings_.from, {fields.Cell(0, true), fields.Cell(1, true), fields.Cell(2, true)}, core_);
}

std::string LineConverter::ReasonFor(const core::Outcome& outcome, const Fields& fields) const {
    std::string statement = std::string(kOutOfLimits);
    if (outcome.Reported(core::Notice::NoParameters)) {
        statement = dialogs::kNoParametersText;
    } else {
        switch (outcome.failed) {
            case core::Check::Empty: statement = kEmptyRow; break;
            case core::Check::NotNumeric: statement = kInvalidRow; break;
            case core::Check::Cell:
                statement = CellStatement(
                    dialogs::CellMessage(kDmsNames[outcome.value], dialogs::CellPromptText(outcome.cell)));
                break;
            case core::Check::Zone:
            case core::Check::NoPosition: statement = kCoordinatesOutOfLimits; break;
            default: break;
        }
    }
    return WithAdvice(statement, AdviceFor(outcome, fields));
}

std::string LineConverter::AdviceFor(const core::Outcome& outcome, const Fields& fields) const {
    const bool utm = settings_.from == core::Notation::Utm;
    const bool dms = settings_.from == core::Notation::DegreesMinutesSeconds;
    const std::size_t index = outcome.value;
    const std::string text = index < fields.split.count ? std::string(fields.Text(index)) : std::string();
    const auto notNumber = [&] {
        return "«" + text + "» no es un número" +
               (!settings_.decimalComma && ReadsWithComma(text) ? std::string(kDecimalCommaAdvice) : "");
    };
    static constexpr std::array<std::string_view, 3> kNames{"latitud", "longitud", "zona"};
    static constexpr std::array<std::string_view, 3> kUtmNames{"norte", "este", "zona"};
    if (outcome.Reported(core::Notice::NoParameters)) {
        const std::string latitude = "latitud " + Degrees(outcome.source.latitude);
        const Datum local = datums::LocalDatumOf(settings_.key);
        if (settings_.shifts == layers::ShiftSet::Seed)
            return latitude + "; " + std::string(NameOf(local)) + " tiene parámetros solo entre " +
                   dialogs::BandRangeText() + " sur";
        return latitude + "; ninguna transformación de EPSG de " + std::string(NameOf(local)) +
               " para Chile la cubre (--shifts epsg)";
    }
    switch (outcome.failed) {
        case core::Check::Empty:
            if (utm && index == 2) return std::string(kNoZoneAdvice);
            return "falta " + std::string(utm ? kUtmNames[index] : kNames[std::min<std::size_t>(index, 1)]);
        case core::Check::NotNumeric: return notNumber();
        case core::Check::Cell:
            switch (outcome.cell) {
                case cells::CellStatus::NotNumeric: return notNumber();
                case cells::CellStatus::OutOfLimits:
                    return RangeAdvice(kDmsNames[index], text,
                                       dialogs::RangeText(index < 3 ? limits::kLatitude : limits::kLongitude));
                case cells::CellStatus::OutOfRange: return RangeAdvice(kDmsNames[index], text, "0..59.999");
                case cells::CellStatus::HasDecimals: return "los grados y los minutos van sin decimales";
                default: return {};
            }
        case core::Check::Zone: return RangeAdvice("zona", text, dialogs::RangeText(zones::kZones));
        case core::Check::NoPosition: return "el norte y el este no dan un lugar en esa zona; revise la zona";
        case core::Check::OutOfLimits:
            if (utm) {
                const bool latitude = index == 0;
                return RangeAdvice(latitude ? "latitud" : "longitud",
                                   Degrees(latitude ? outcome.source.latitude : outcome.source.longitude),
                                   dialogs::RangeText(latitude ? limits::kLatitude : limits::kInputLongitude)) +
                       "; revise la zona";
            }
            if (!dms) {
                const auto lat = cells::NumberIn(fields.Cell(0, true), core_.separators);
                const auto lon = cells::NumberIn(fields.Cell(1, true), core_.separators);
                const bool swapped = lat && lon && limits::kLatitude.Holds(std::fabs(*lon)) &&
                                     limits::kInputLongitude.Holds(std::fabs(*lat));
                return RangeAdvice(index == 0 ? "latitud" : "longitud", text,
                                   dialogs::RangeText(index == 0 ? limits::kLatitude : limits::kInputLongitude)) +
                       (swapped ? std::string(kSwappedAdvice) : "");
            }
            return {};
        case core::Check::TransformationRange: {
            // The coordinate that left the range: a latitude past 56 S (degrees
            // of 56 and some minutes) or a longitude outside the range's.
            const bool latitude = !limits::kLatitude.Holds(outcome.source.latitude);
            return RangeAdvice(latitude ? "latitud" : "longitud",
                               Degrees(latitude ? outcome.source.latitude : outcome.source.longitude),
                               dialogs::RangeText(latitude ? limits::kLatitude : limits::kLongitude)) +
                   ", donde se aplica la transformación" + (utm ? "; revise la zona" : "");
        }
        default: return {};
    }
}

}  // namespace trevalco::cli
