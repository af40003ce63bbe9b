#include "PointCore.h"

#include <cmath>

#include "Int16.h"
#include "Limits.h"

namespace trevalco::core {

namespace {

// One point's way through its checks and the chain, building its outcome.
class PointRun {
public:
    // Builds its outcome in `out`: the caller's return value, never moved.
    PointRun(const Values& values, const Settings& settings, Outcome& out) : v_(values), s_(settings), out_(out) {}

    Outcome& Decimal();
    Outcome& Dms();
    Outcome& Utm();

private:
    Outcome& Fail(Check check, std::size_t value = 0) {
        out_.failed = check;
        out_.value = static_cast<std::uint8_t>(value);
        return out_;
    }
    void Report(Notice notice, std::size_t value = 0) {
        out_.reports[out_.reportCount++] = {notice, static_cast<std::uint8_t>(value)};
    }
    bool CommandLine() const { return s_.rules == InputRules::CommandLine; }
    // From the source position (magnitudes) on: the transformation range,
    // the shift, and the target.
    Outcome& Carry(const datums::Ellipsoids& ellipsoids, const std::optional<datums::Shift>& shift);
    void Text(std::string& text, double value, const number_text::Mask& mask) const {
        if (s_.texts) mask.AppendTo(text, value, number_text::Invariant());
    }
    Outcome::Texts& Texts() {
        if (!out_.texts) out_.texts.emplace();
        return *out_.texts;
    }
    void SourceTexts(bool position, bool utm);

    const Values& v_;
    const Settings& s_;
    Outcome& out_;
};

void PointRun::SourceTexts(bool position, bool utm) {
    if (!s_.texts) return;
    if (position) {
        Text(Texts().source.latitude, out_.source.latitude, DegreesMask());
        Text(Texts().source.longitude, out_.source.longitude, DegreesMask());
    }
    if (utm) {
        Text(Texts().source.northing, out_.source.utm.northing, MetresMask());
        Text(Texts().source.easting, out_.source.utm.easting, MetresMask());
    }
}

Outcome& PointRun::Carry(const datums::Ellipsoids& ellipsoids, const std::optional<datums::Shift>& shift) {
    const double latitude = -out_.source.latitude;
    const double longitude = -out_.source.longitude;
    if (!chain::InTransformationRange(latitude, longitude)) return Fail(Check::TransformationRange);
    // Without a shift of its own the point gets no target.
    if (!shift) return Fail(Check::NoParameters);
    const chain::Target target = chain::CarryToTarget(latitude, longitude, ellipsoids, *shift, s_.forced);
    out_.hasTarget = true;
    out_.target = {target.latitude, target.longitude, target.utm};
    out_.shift = shift;
    if (s_.texts) {
        PositionTexts& texts = Texts().target;
        Text(texts.latitude, target.latitude, DegreesMask());
        Text(texts.longitude, target.longitude, DegreesMask());
        Text(texts.northing, target.utm.northing, MetresMask());
        Text(texts.easting, target.utm.easting, MetresMask());
    }
    return out_;
}

Outcome& PointRun::Decimal() {
    if (cells::IsEmptyCell(v_[0]) || cells::IsEmptyCell(v_[1]))
        return Fail(Check::Empty, cells::IsEmptyCell(v_[0]) ? 0 : 1);
    const auto lat = cells::NumberIn(v_[0], s_.separators);
    const auto lon = cells::NumberIn(v_[1], s_.separators);
    if (!lat || !lon) return Fail(Check::NotNumeric, lat ? 1 : 0);
    const double latitude = std::fabs(*lat);
    const double longitude = std::fabs(*lon);
    if (!chain::InBatchInputRange(latitude, longitude))
        return Fail(Check::OutOfLimits, limits::kLatitude.Holds(latitude) ? 1 : 0);

    const chain::GeographicStart start =
        chain::StartGeographic(*s_.shifts, s_.direction, latitude, longitude, s_.forced);
    if (!start.shift) Report(Notice::NoParameters);
    out_.hasSource = true;
    out_.source = {latitude, longitude, start.sourceUtm};
    SourceTexts(CommandLine(), true);
    return Carry(start.ellipsoids, start.shift);
}

Outcome& PointRun::Dms() {
    double magnitudes[2] = {0.0, 0.0};
    for (std::size_t c = 0; c < 2; ++c) {
        const std::size_t first = c * 3;
        const cells::DmsReading reading =
            cells::ReadDmsCells(v_[first], v_[first + 1], v_[first + 2],
                                c == 0 ? cells::AngleKind::Latitude : cells::AngleKind::Longitude, s_.separators);
        if (reading.zeroMinutes) Report(Notice::ZeroAssumed, first + 1);
        if (reading.zeroSeconds) Report(Notice::ZeroAssumed, first + 2);
        if (!reading.Ok()) {
            out_.cell = reading.status;
            return Fail(Check::Cell, first + reading.cell);
        }
        magnitudes[c] = reading.value;
    }
    const chain::GeographicStart start =
        chain::StartGeographic(*s_.shifts, s_.direction, magnitudes[0], magnitudes[1], s_.forced);
    if (!start.shift) Report(Notice::NoParameters);
    out_.hasSource = true;
    out_.source = {std::fabs(start.latitude), std::fabs(start.longitude), start.sourceUtm};
    SourceTexts(true, true);
    return Carry(start.ellipsoids, start.shift);
}

Outcome& PointRun::Utm() {
    // A line's zone that no UTM projection has is refused before anything
    // else, not carried to a longitude beyond the meridian.
    if (const auto zone = cells::NumberIn(v_[2], s_.separators); CommandLine() && zone && !zones::kZones.Holds(*zone))
        return Fail(Check::Zone, 2);
    const bool ownZone = !cells::IsEmptyCell(v_[2]);
    if (cells::IsEmptyCell(v_[0]) || cells::IsEmptyCell(v_[1]) || (!ownZone && !s_.zone))
        return Fail(Check::Empty, cells::IsEmptyCell(v_[0]) ? 0 : cells::IsEmptyCell(v_[1]) ? 1 : 2);
    const auto northing = cells::NumberIn(v_[0], s_.separators);
    const auto easting = cells::NumberIn(v_[1], s_.separators);
    const auto zoneNumber = ownZone ? cells::NumberIn(v_[2], s_.separators) : std::optional<double>(*s_.zone);
    if (!northing || !easting || !zoneNumber) return Fail(Check::NotNumeric, !northing ? 0 : !easting ? 1 : 2);
    const auto zone = WholeNumber16(*zoneNumber);
    if (!zone) return Fail(Check::Zone, 2);

    chain::UtmStart start;
    try {
        start = chain::StartUtm(s_.direction, *zone, *northing, *easting);
    } catch (const Overflow&) {
        return Fail(Check::NoPosition);
    }
    // UTM values far outside any zone give no place on the earth.
    const bool placed = CommandLine() ? start.latitude <= 90 && start.longitude <= 360
                                      : std::isfinite(start.latitude) && std::isfinite(start.longitude);
    if (!placed) return Fail(Check::NoPosition);
    out_.hasSource = true;
    out_.source = {start.latitude, start.longitude, {*northing, *easting, *zone, 0}};
    SourceTexts(true, CommandLine());
    if (!chain::InBatchInputRange(start.latitude, start.longitude))
        return Fail(Check::OutOfLimits, limits::kLatitude.Holds(start.latitude) ? 1 : 0);

    const std::optional<datums::Shift> shift = s_.shifts->Lookup(s_.direction, -std::fabs(start.latitude));
    if (!shift) Report(Notice::NoParameters);
    return Carry(start.ellipsoids, shift);
}

}  // namespace

const number_text::Mask& DegreesMask() {
    static const number_text::Mask mask("##0.0000000000");
    return mask;
}

const number_text::Mask& MetresMask() {
    static const number_text::Mask mask("########0.000");
    return mask;
}

bool Outcome::Reported(Notice notice) const {
    for (std::uint8_t i = 0; i < reportCount; ++i)
        if (reports[i].notice == notice) return true;
    return false;
}

void ConvertPointInto(Notation notation, const Values& values, const Settings& settings, Outcome& out) {
    PointRun run(values, settings, out);
    switch (notation) {
        case Notation::DecimalDegrees: run.Decimal(); break;
        case Notation::DegreesMinutesSeconds: run.Dms(); break;
        case Notation::Utm: run.Utm(); break;
    }
}

Outcome ConvertPoint(Notation notation, const Values& values, const Settings& settings) {
    Outcome outcome;
    ConvertPointInto(notation, values, settings, outcome);
    return outcome;
}

}  // namespace trevalco::core
