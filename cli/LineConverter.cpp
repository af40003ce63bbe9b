#include "LineConverter.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

#include "PointMessages.h"
#include "RowMessages.h"

namespace trevalco::cli {

namespace {

constexpr std::string_view kStars = "*\t*\t*\t*\t*\t*\t*\t*\t*\t*";
constexpr std::string_view kTargetStars = "*\t*\t*\t*\t*";

bool IsBlankText(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

// A zone written as a whole number from 1 to 60, digits only.
bool IsZoneText(std::string_view text) {
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    const int zone = text.size() == 1 ? text[0] - '0' : (text[0] - '0') * 10 + (text[1] - '0');
    return zone >= 1 && zone <= 60;
}

std::size_t FieldsOf(InputNotation from) {
    switch (from) {
        case InputNotation::DecimalDegrees: return 2;
        case InputNotation::DegreesMinutesSeconds: return 6;
        case InputNotation::Utm: return 3;
    }
    return 2;
}

// How each degree, minute and second field is named in a line's reason.
constexpr std::array<std::string_view, 6> kDmsNames{"LATD", "LATM", "LATS", "LOND", "LONM", "LONS"};

core::Notation NotationOf(InputNotation from) {
    switch (from) {
        case InputNotation::DecimalDegrees: return core::Notation::DecimalDegrees;
        case InputNotation::DegreesMinutesSeconds: return core::Notation::DegreesMinutesSeconds;
        case InputNotation::Utm: break;
    }
    return core::Notation::Utm;
}

// Latitude, longitude, northing, easting and zone of a position.
void AppendPosition(const core::PositionTexts& texts, std::int16_t zone, std::string& out) {
    for (const std::string* text : {&texts.latitude, &texts.longitude, &texts.northing, &texts.easting}) {
        out += *text;
        out += '\t';
    }
    std::array<char, 8> digits;
    out.append(digits.data(), std::to_chars(digits.data(), digits.data() + digits.size(), zone).ptr);
}

}  // namespace

// The coordinate fields of a line and how their cells are read.
struct LineConverter::Fields {
    const LineFields& split;
    bool delimited;

    // The field's text, quotes taken off; valid until the next call.
    std::string_view Text(std::size_t index) const { return FieldText(split.fields[index], delimited, scratch); }
    bool Blank(std::size_t index) const { return index >= split.count || IsBlankText(Text(index)); }
    // A sheet cell holding the field: empty when the field is missing (or,
    // with `blankIsEmpty`, blank), else its text.
    Util::CellValue Cell(std::size_t index, bool blankIsEmpty) const {
        if (index >= split.count || split.fields[index].empty()) return std::monostate{};
        if (blankIsEmpty && Blank(index)) return std::monostate{};
        return std::string(Text(index));
    }

    mutable std::string scratch;
};

LineConverter::LineConverter(ConvertSettings settings) : settings_(std::move(settings)) {
    core_.direction = settings_.key;
    core_.forced = settings_.forced;
    core_.zone = settings_.zone;
    core_.limits = core::Limits::CommandLine;
    core_.separators = {settings_.decimalComma ? "," : ".", ""};
}

LineResult LineConverter::Convert(std::string_view line, std::string& out) const {
    if (line.ends_with('\r')) line.remove_suffix(1);
    LineFields split = SplitLine(line, settings_.layout, FieldsOf(settings_.from));
    if (split.blank) return {};
    if (settings_.layout.skipFields > 0) {
        out += split.leading;
        out += '\t';
    }
    // With a zone for every line, a third field is the line's own zone only
    // when it reads as one; anything else belongs to the rest of the line.
    const Fields fields{split, settings_.layout.delimiter.has_value(), {}};
    if (settings_.from == InputNotation::Utm && settings_.zone && split.count == 3 && !IsZoneText(fields.Text(2)))
        split.PassFrom(2, line);

    LineResult result{LineOutcome::Converted, {}};
    const core::Outcome outcome = ConvertFields(fields, result);
    if (!outcome.hasSource) {
        out += kStars;
    } else {
        AppendPosition(outcome.sourceTexts, outcome.source.utm.zone, out);
        out += '\t';
        if (outcome.Converted())
            AppendPosition(outcome.targetTexts, outcome.target.utm.zone, out);
        else
            out += kTargetStars;
    }
    if (result.outcome == LineOutcome::Converted && !outcome.Converted())
        result = {LineOutcome::Rejected, ReasonFor(outcome)};
    if (!split.rest.empty()) {
        out += '\t';
        out += split.rest;
    }
    return result;
}

core::Outcome LineConverter::ConvertFields(const Fields& fields, LineResult& result) const {
    core::Values values;
    switch (settings_.from) {
        case InputNotation::DecimalDegrees:
            values = {fields.Cell(0, true), fields.Cell(1, true)};
            break;
        case InputNotation::DegreesMinutesSeconds:
            // A line of fewer than six fields is an empty row, not one with empty cells.
            if (fields.split.count < 6) {
                result = {LineOutcome::Rejected, std::string(kEmptyRow)};
                return {};
            }
            for (std::size_t i = 0; i < 6; ++i) values[i] = fields.Cell(i, false);
            break;
        case InputNotation::Utm:
            values = {fields.Cell(0, true), fields.Cell(1, true), fields.Cell(2, true)};
            break;
    }
    return core::ConvertPoint(NotationOf(settings_.from), values, core_);
}

std::string LineConverter::ReasonFor(const core::Outcome& outcome) {
    if (outcome.Reported(core::Notice::NoParameters)) return std::string(dialogs::kNoParametersText);
    switch (outcome.failed) {
        case core::Check::Empty: return std::string(kEmptyRow);
        case core::Check::NotNumeric: return std::string(kInvalidRow);
        case core::Check::Cell:
            return CellStatement(dialogs::CellMessage(kDmsNames[outcome.value], dialogs::CellPromptText(outcome.cell)));
        case core::Check::Zone:
        case core::Check::NoPosition: return std::string(kCoordinatesOutOfLimits);
        default: break;
    }
    return std::string(kOutOfLimits);
}

}  // namespace trevalco::cli
