#include "LineConverter.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

#include "Chain.h"
#include "DELTAS.h"
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

LineResult Rejected(std::string reason) { return {LineOutcome::Rejected, std::move(reason)}; }

}  // namespace

// The coordinate fields of a line and how their numbers are read.
struct LineConverter::Fields {
    const LineFields& split;
    const NumberText::Separators& separators;
    bool delimited;

    std::size_t Count() const { return split.count; }
    // The field's text, quotes taken off; valid until the next call.
    std::string_view Text(std::size_t index) const { return FieldText(split.fields[index], delimited, scratch); }
    bool Empty(std::size_t index) const { return index >= split.count || IsBlankText(Text(index)); }
    std::optional<double> Number(std::size_t index) const {
        return NumberText::ReadNumber(Text(index), separators);
    }
    // A sheet cell holding the field: empty, or its text.
    Util::CellValue Cell(std::size_t index) const {
        if (index >= split.count || split.fields[index].empty()) return std::monostate{};
        return std::string(Text(index));
    }

    mutable std::string scratch;
};

// The source position of a line, once known.
struct LineConverter::Source {
    double latitude = 0.0;   // magnitude
    double longitude = 0.0;  // magnitude
    chain::UtmPosition utm;
    chain::ShiftLookup shift;
    chain::Ellipsoids ellipsoids;
};

LineConverter::LineConverter(ConvertSettings settings)
    : settings_(std::move(settings)),
      separators_{settings_.decimalComma ? "," : ".", ""} {}

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
    const Fields fields{split, separators_, settings_.layout.delimiter.has_value(), {}};
    if (settings_.from == InputNotation::Utm && settings_.zone && split.count == 3 && !IsZoneText(fields.Text(2)))
        split.PassFrom(2, line);
    LineResult result;
    switch (settings_.from) {
        case InputNotation::DecimalDegrees: result = ConvertDecimal(fields, out); break;
        case InputNotation::DegreesMinutesSeconds: result = ConvertDms(fields, out); break;
        case InputNotation::Utm: result = ConvertUtm(fields, out); break;
    }
    if (!split.rest.empty()) {
        out += '\t';
        out += split.rest;
    }
    return result;
}

LineResult LineConverter::ConvertDecimal(const Fields& fields, std::string& out) const {
    const auto reject = [&out](std::string_view reason) {
        out += kStars;
        return Rejected(std::string(reason));
    };
    if (fields.Empty(0) || fields.Empty(1)) return reject(kEmptyRow);
    const auto lat = fields.Number(0);
    const auto lon = fields.Number(1);
    if (!lat || !lon) return reject(kInvalidRow);
    const double latitude = std::fabs(*lat);
    const double longitude = std::fabs(*lon);
    if (!chain::InBatchInputRange(latitude, longitude)) return reject(kOutOfLimits);

    const auto start =
        chain::StartGeographic(settings_.key, latitude, longitude, settings_.forced);
    return Finish({latitude, longitude, start.sourceUtm, start.shift, start.ellipsoids}, out);
}

LineResult LineConverter::ConvertDms(const Fields& fields, std::string& out) const {
    const auto reject = [&out](std::string reason) {
        out += kStars;
        return Rejected(std::move(reason));
    };
    if (fields.Count() < 6) return reject(std::string(kEmptyRow));
    static constexpr std::array<std::string_view, 6> kNames{"LATD", "LATM", "LATS",
                                                            "LOND", "LONM", "LONS"};
    std::string problem;
    const Util::DmsPrompts prompts{
        [&problem](const std::string& message) {
            problem = CellStatement(message);
            return true;  // skip the line
        },
        [](const std::string&) {}};
    double magnitudes[2] = {0.0, 0.0};
    std::int16_t skipped = 0;
    std::string outcome;
    for (std::size_t c = 0; c < 2; ++c) {
        const std::size_t i = c * 3;
        magnitudes[c] = Util::ReadDmsCells(
            fields.Cell(i), fields.Cell(i + 1), fields.Cell(i + 2),
            skipped, outcome, c == 0 ? "lat" : "lon", kNames[i], kNames[i + 1], kNames[i + 2],
            fields.separators, prompts);
        if (outcome != Util::kReadOk) return reject(std::move(problem));
    }
    const auto start =
        chain::StartGeographic(settings_.key, magnitudes[0], magnitudes[1], settings_.forced);
    return Finish({magnitudes[0], magnitudes[1], start.sourceUtm, start.shift, start.ellipsoids},
                  out);
}

LineResult LineConverter::ConvertUtm(const Fields& fields, std::string& out) const {
    const auto reject = [&out](std::string_view reason) {
        out += kStars;
        return Rejected(std::string(reason));
    };
    const bool ownZone = !fields.Empty(2);
    if (fields.Empty(0) || fields.Empty(1) || (!ownZone && !settings_.zone)) return reject(kEmptyRow);
    const auto northing = fields.Number(0);
    const auto easting = fields.Number(1);
    const auto zoneNumber = ownZone ? fields.Number(2) : std::optional<double>(*settings_.zone);
    if (!northing || !easting || !zoneNumber) return reject(kInvalidRow);
    const auto zone = NumberText::WholeNumber16(*zoneNumber);
    if (!zone) return reject(kCoordinatesOutOfLimits);

    Source source;
    try {
        const auto start = chain::StartUtm(settings_.key, *zone, *northing, *easting);
        source.latitude = start.latitude;
        source.longitude = start.longitude;
        source.ellipsoids = start.ellipsoids;
    } catch (const Overflow&) {
        return reject(kCoordinatesOutOfLimits);
    }
    // Typed UTM values far outside any zone give no place on the earth.
    if (!(source.latitude <= 90 && source.longitude <= 360)) return reject(kCoordinatesOutOfLimits);
    source.utm = {*northing, *easting, *zone, 0};

    if (!chain::InBatchInputRange(source.latitude, source.longitude)) {
        AppendSource(source, out);
        out += '\t';
        out += kTargetStars;
        return Rejected(std::string(kOutOfLimits));
    }
    source.shift = chain::LookupShift(settings_.key, -source.latitude);
    return Finish(source, out);
}

LineResult LineConverter::Finish(const Source& source, std::string& out) const {
    AppendSource(source, out);
    out += '\t';
    const double latitude = -source.latitude;
    const double longitude = -source.longitude;
    if (!source.shift.found) {
        out += kTargetStars;
        return Rejected(std::string(DELTAS::kNoParametersText));
    }
    if (!chain::InTransformationRange(latitude, longitude)) {
        out += kTargetStars;
        return Rejected(std::string(kOutOfLimits));
    }
    const auto target = chain::CarryToTarget(latitude, longitude, source.ellipsoids,
                                             source.shift.shift, settings_.forced);
    AppendPosition(target.latitude, target.longitude, target.utm, out);
    return {LineOutcome::Converted, {}};
}

void LineConverter::AppendSource(const Source& source, std::string& out) const {
    AppendPosition(source.latitude, source.longitude, source.utm, out);
}

void LineConverter::AppendPosition(double latitude, double longitude,
                                   const chain::UtmPosition& utm, std::string& out) const {
    const auto& invariant = NumberText::Invariant();
    degrees_.AppendTo(out, latitude, invariant);
    out += '\t';
    degrees_.AppendTo(out, longitude, invariant);
    out += '\t';
    metres_.AppendTo(out, utm.northing, invariant);
    out += '\t';
    metres_.AppendTo(out, utm.easting, invariant);
    out += '\t';
    std::array<char, 8> zone;
    out.append(zone.data(), std::to_chars(zone.data(), zone.data() + zone.size(), utm.zone).ptr);
}

}  // namespace trevalco::cli
