#include "LineConverter.h"

#include <array>
#include <cmath>
#include <optional>

#include "Chain.h"
#include "DELTAS.h"
#include "RowMessages.h"

namespace trevalco::cli {

namespace {

constexpr std::size_t kMaxFields = 7;  // one more than any notation takes
constexpr std::string_view kStars = "*\t*\t*\t*\t*\t*\t*\t*\t*\t*";
constexpr std::string_view kTargetStars = "*\t*\t*\t*\t*";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Splits on runs of blanks; counts fields beyond the array without keeping them.
std::size_t SplitFields(std::string_view line, std::array<std::string_view, kMaxFields>& fields) {
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i == line.size()) break;
        const std::size_t start = i;
        while (i < line.size() && !IsBlank(line[i])) ++i;
        if (count < kMaxFields) fields[count] = line.substr(start, i - start);
        ++count;
    }
    return count;
}

std::optional<double> Number(std::string_view field) {
    return NumberText::ReadNumber(field, NumberText::Invariant());
}

LineResult Rejected(std::string reason) { return {LineOutcome::Rejected, std::move(reason)}; }

}  // namespace

// The source position of a line, once known.
struct LineConverter::Source {
    double latitude = 0.0;   // magnitude
    double longitude = 0.0;  // magnitude
    chain::UtmPosition utm;
    chain::ShiftLookup shift;
    chain::Ellipsoids ellipsoids;
};

LineConverter::LineConverter(ConvertSettings settings) : settings_(std::move(settings)) {}

LineResult LineConverter::Convert(std::string_view line, std::string& out) const {
    std::array<std::string_view, kMaxFields> fields;
    const std::size_t count = SplitFields(line, fields);
    if (count == 0) return {};
    switch (settings_.from) {
        case InputNotation::DecimalDegrees:
            return ConvertDecimal(fields.data(), count, out);
        case InputNotation::DegreesMinutesSeconds:
            return ConvertDms(fields.data(), count, out);
        case InputNotation::Utm:
            return ConvertUtm(fields.data(), count, out);
    }
    return {};
}

LineResult LineConverter::ConvertDecimal(const std::string_view* fields, std::size_t count,
                                         std::string& out) const {
    const auto reject = [&out](std::string_view reason) {
        out += kStars;
        return Rejected(std::string(reason));
    };
    if (count < 2) return reject(kEmptyRow);
    if (count > 2) return reject(kInvalidRow);
    const auto lat = Number(fields[0]);
    const auto lon = Number(fields[1]);
    if (!lat || !lon) return reject(kInvalidRow);
    const double latitude = std::fabs(*lat);
    const double longitude = std::fabs(*lon);
    if (!chain::InBatchInputRange(latitude, longitude)) return reject(kOutOfLimits);

    const auto start =
        chain::StartGeographic(settings_.key, latitude, longitude, settings_.forced);
    return Finish({latitude, longitude, start.sourceUtm, start.shift, start.ellipsoids}, out);
}

LineResult LineConverter::ConvertDms(const std::string_view* fields, std::size_t count,
                                     std::string& out) const {
    const auto reject = [&out](std::string reason) {
        out += kStars;
        return Rejected(std::move(reason));
    };
    if (count < 6) return reject(std::string(kEmptyRow));
    if (count > 6) return reject(std::string(kInvalidRow));
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
            std::string(fields[i]), std::string(fields[i + 1]), std::string(fields[i + 2]),
            skipped, outcome, c == 0 ? "lat" : "lon", kNames[i], kNames[i + 1], kNames[i + 2],
            NumberText::Invariant(), prompts);
        if (outcome != Util::kReadOk) return reject(std::move(problem));
    }
    const auto start =
        chain::StartGeographic(settings_.key, magnitudes[0], magnitudes[1], settings_.forced);
    return Finish({magnitudes[0], magnitudes[1], start.sourceUtm, start.shift, start.ellipsoids},
                  out);
}

LineResult LineConverter::ConvertUtm(const std::string_view* fields, std::size_t count,
                                     std::string& out) const {
    const auto reject = [&out](std::string_view reason) {
        out += kStars;
        return Rejected(std::string(reason));
    };
    if (count < 2 || (count == 2 && !settings_.zone)) return reject(kEmptyRow);
    if (count > 3) return reject(kInvalidRow);
    const auto northing = Number(fields[0]);
    const auto easting = Number(fields[1]);
    const auto zoneNumber = count == 3 ? Number(fields[2]) : std::optional<double>(*settings_.zone);
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
    out += NumberText::PlainText(utm.zone);
}

}  // namespace trevalco::cli
