#include "PointConversion.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "Limits.h"

namespace trevalco::core {

namespace {

// The window's masks: decimal degrees of the source, the source UTM as the
// decimal-degree and the degree notations show it, the seconds of the
// degree fields, and the results' metres.
constexpr const char* kWindowDegreesMask = "#0.000000";
constexpr const char* kDecimalModeUtmMask = "#########.##0";
constexpr const char* kDegreeModeUtmMask = "###,###,###.##0";
constexpr const char* kWindowSecondsMask = "####0.0000";
constexpr const char* kOutputMetresMask = "###,###,###.##0.  m.";
constexpr const char* kAccuracyText = "+/- 5.0 m.";

// The point tab's own input limits: decimal degrees take longitudes above
// 66 up to 77; degrees, minutes and seconds those of the transformation range.
bool InWindowDecimalLimits(double latitude, double longitude) {
    return limits::kLatitude.Holds(latitude) && longitude > limits::kInputLongitude.low &&
           longitude <= limits::kInputLongitude.high;
}

bool InWindowDegreeLimits(double latitude, double longitude) {
    return limits::kLatitude.Holds(latitude) && limits::kLongitude.Holds(longitude);
}

// One point's way through its checks and the chain, building its outcome.
class PointRun {
public:
    // Builds its outcome in `out`: the caller's return value, never moved.
    PointRun(const Values& values, const Settings& settings, Outcome& out) : v_(values), s_(settings), out_(out) {}

    Outcome& Decimal();
    Outcome& Dms();
    Outcome& Utm();
    Outcome& WindowDecimal();
    Outcome& WindowDms();
    Outcome& WindowUtm();
    // The outcome so far, ended by a failed check.
    Outcome& Failed(Check check) { return Fail(check); }

private:
    Outcome& Fail(Check check, std::size_t value = 0) {
        out_.failed = check;
        out_.value = static_cast<std::uint8_t>(value);
        return out_;
    }
    void Report(Notice notice, std::size_t value = 0) {
        out_.reports[out_.reportCount++] = {notice, static_cast<std::uint8_t>(value)};
    }
    chain::ShiftLookup Lookup(double signedLatitude) const {
        return s_.shifts ? s_.shifts->Lookup(s_.direction, signedLatitude)
                         : chain::LookupShift(s_.direction, signedLatitude);
    }
    chain::GeographicStart Start(double latitude, double longitude) const {
        chain::GeographicStart start = chain::StartGeographic(s_.direction, latitude, longitude, s_.forced);
        if (s_.shifts) start.shift = Lookup(start.latitude);
        return start;
    }
    // From the source position (magnitudes) on: the transformation range,
    // the shift, and the target.
    Outcome& Carry(const chain::Ellipsoids& ellipsoids, const chain::ShiftLookup& shift);
    void Text(std::string& text, double value, const NumberText::Mask& mask) const {
        if (s_.texts) mask.AppendTo(text, value, NumberText::Invariant());
    }
    Outcome::Texts& Texts() {
        if (!out_.texts) out_.texts.emplace();
        return *out_.texts;
    }
    void SourceTexts(bool position, bool utm);

    // The window's fields.
    void Write(core::Field field, std::string text) { out_.fields.push_back({field, std::move(text)}); }
    std::string TextOf(std::size_t value) const {
        const auto* text = std::get_if<std::string>(&v_[value]);
        return text ? *text : std::string();
    }
    double NumberOf(const std::string& text) const {
        return NumberText::ReadNumber(text, s_.separators).value_or(0.0);
    }
    // The field's text rewritten as the plain text of its magnitude; the
    // number it holds from then on.
    double Normalise(core::Field field, const std::string& text) {
        std::string plain = NumberText::PlainText(std::fabs(NumberOf(text)), s_.separators);
        const double number = NumberOf(plain);
        Write(field, std::move(plain));
        return number;
    }
    // The texts of the six degree, minute and second fields for a source
    // position (Overflow when its whole degrees do not fit 16 bits).
    std::array<std::string, 6> DmsTexts(double latitude, double longitude) const;
    void WriteDms(std::array<std::string, 6> texts);
    Outcome& WindowChain(double latitude, double longitude, const char* sourceUtmMask);
    Outcome& WindowResults(const chain::Target& target);

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

Outcome& PointRun::Carry(const chain::Ellipsoids& ellipsoids, const chain::ShiftLookup& shift) {
    const double latitude = -out_.source.latitude;
    const double longitude = -out_.source.longitude;
    if (!chain::InTransformationRange(latitude, longitude)) return Fail(Check::TransformationRange);
    // Without a shift of its own the point gets no target.
    if (!shift.found) return Fail(Check::NoParameters);
    const chain::Target target = chain::CarryToTarget(latitude, longitude, ellipsoids, shift.shift, s_.forced);
    out_.hasTarget = true;
    out_.target = {target.latitude, target.longitude, target.utm};
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
    if (Util::IsEmptyCell(v_[0]) || Util::IsEmptyCell(v_[1])) return Fail(Check::Empty, Util::IsEmptyCell(v_[0]) ? 0 : 1);
    const auto lat = Util::NumberIn(v_[0], s_.separators);
    const auto lon = Util::NumberIn(v_[1], s_.separators);
    if (!lat || !lon) return Fail(Check::NotNumeric, lat ? 1 : 0);
    const double latitude = std::fabs(*lat);
    const double longitude = std::fabs(*lon);
    if (!chain::InBatchInputRange(latitude, longitude))
        return Fail(Check::OutOfLimits, limits::kLatitude.Holds(latitude) ? 1 : 0);

    const chain::GeographicStart start = Start(latitude, longitude);
    if (!start.shift.found) Report(Notice::NoParameters);
    out_.hasSource = true;
    out_.source = {latitude, longitude, start.sourceUtm};
    SourceTexts(s_.limits == Limits::CommandLine, true);
    return Carry(start.ellipsoids, start.shift);
}

Outcome& PointRun::Dms() {
    double magnitudes[2] = {0.0, 0.0};
    for (std::size_t c = 0; c < 2; ++c) {
        const std::size_t first = c * 3;
        const Util::DmsReading reading =
            Util::ReadDmsCells(v_[first], v_[first + 1], v_[first + 2],
                               c == 0 ? Util::AngleKind::Latitude : Util::AngleKind::Longitude, s_.separators);
        if (reading.zeroMinutes) Report(Notice::ZeroAssumed, first + 1);
        if (reading.zeroSeconds) Report(Notice::ZeroAssumed, first + 2);
        if (!reading.Ok()) {
            out_.cell = reading.status;
            return Fail(Check::Cell, first + reading.cell);
        }
        magnitudes[c] = reading.value;
    }
    const chain::GeographicStart start = Start(magnitudes[0], magnitudes[1]);
    if (!start.shift.found) Report(Notice::NoParameters);
    out_.hasSource = true;
    out_.source = {std::fabs(start.latitude), std::fabs(start.longitude), start.sourceUtm};
    SourceTexts(true, true);
    return Carry(start.ellipsoids, start.shift);
}

Outcome& PointRun::Utm() {
    const bool ownZone = !Util::IsEmptyCell(v_[2]);
    if (Util::IsEmptyCell(v_[0]) || Util::IsEmptyCell(v_[1]) || (!ownZone && !s_.zone))
        return Fail(Check::Empty, Util::IsEmptyCell(v_[0]) ? 0 : Util::IsEmptyCell(v_[1]) ? 1 : 2);
    const auto northing = Util::NumberIn(v_[0], s_.separators);
    const auto easting = Util::NumberIn(v_[1], s_.separators);
    const auto zoneNumber = ownZone ? Util::NumberIn(v_[2], s_.separators) : std::optional<double>(*s_.zone);
    if (!northing || !easting || !zoneNumber) return Fail(Check::NotNumeric, !northing ? 0 : !easting ? 1 : 2);
    const auto zone = NumberText::WholeNumber16(*zoneNumber);
    if (!zone) return Fail(Check::Zone, 2);

    chain::UtmStart start;
    try {
        start = chain::StartUtm(s_.direction, *zone, *northing, *easting);
    } catch (const Overflow&) {
        return Fail(Check::NoPosition);
    }
    // UTM values far outside any zone give no place on the earth.
    const bool placed = s_.limits == Limits::CommandLine
                            ? start.latitude <= 90 && start.longitude <= 360
                            : std::isfinite(start.latitude) && std::isfinite(start.longitude);
    if (!placed) return Fail(Check::NoPosition);
    out_.hasSource = true;
    out_.source = {start.latitude, start.longitude, {*northing, *easting, *zone, 0}};
    SourceTexts(true, s_.limits == Limits::CommandLine);
    if (!chain::InBatchInputRange(start.latitude, start.longitude))
        return Fail(Check::OutOfLimits, limits::kLatitude.Holds(start.latitude) ? 1 : 0);

    const chain::ShiftLookup shift = Lookup(-std::fabs(start.latitude));
    if (!shift.found) Report(Notice::NoParameters);
    return Carry(start.ellipsoids, shift);
}

// The point tab. Its values are the texts of its input fields; every field
// it rewrites is listed in the outcome in the order the tab writes it.

std::array<std::string, 6> PointRun::DmsTexts(double latitude, double longitude) const {
    std::int16_t latDegrees = 0, lonDegrees = 0;
    double latMinutes = 0, lonMinutes = 0, latSeconds = 0, lonSeconds = 0;
    Util::DecimalToDms(latitude, longitude, latDegrees, lonDegrees, latMinutes, lonMinutes, latSeconds,
                       lonSeconds);
    const auto degrees = [](std::int16_t d) { return std::to_string(std::abs(static_cast<int>(d))); };
    const auto minutes = [this](double m) { return NumberText::PlainText(std::fabs(m), s_.separators); };
    const auto seconds = [this](double sec) {
        return NumberText::Format(std::fabs(sec), kWindowSecondsMask, s_.separators);
    };
    return {degrees(latDegrees), minutes(latMinutes), seconds(latSeconds),
            degrees(lonDegrees), minutes(lonMinutes), seconds(lonSeconds)};
}

void PointRun::WriteDms(std::array<std::string, 6> texts) {
    static constexpr std::array<core::Field, 6> kFields{Field::LatDegrees, Field::LatMinutes, Field::LatSeconds,
                                                        Field::LonDegrees, Field::LonMinutes, Field::LonSeconds};
    for (std::size_t i = 0; i < kFields.size(); ++i) Write(kFields[i], std::move(texts[i]));
}

Outcome& PointRun::WindowResults(const chain::Target& target) {
    // Every text is made before any field is written, so a failure leaves
    // the results of the last run as they were.
    std::string latitude = Util::FormatDms(target.latitude, s_.separators);
    std::string longitude = Util::FormatDms(target.longitude, s_.separators);
    std::string northing = NumberText::Format(target.utm.northing, kOutputMetresMask, s_.separators);
    std::string easting = NumberText::Format(target.utm.easting, kOutputMetresMask, s_.separators);
    Write(Field::OutLatitude, std::move(latitude));
    Write(Field::OutLongitude, std::move(longitude));
    Write(Field::OutNorthing, std::move(northing));
    Write(Field::OutEasting, std::move(easting));
    Write(Field::Accuracy, kAccuracyText);
    Write(Field::OutZone, NumberText::PlainText(target.utm.zone));
    out_.hasTarget = true;
    out_.target = {target.latitude, target.longitude, target.utm};
    return out_;
}

Outcome& PointRun::WindowChain(double latitude, double longitude, const char* sourceUtmMask) {
    const chain::GeographicStart start = Start(latitude, longitude);
    if (!start.shift.found) {
        // The source UTM fields still hold an earlier point: no stale figure
        // may stand beside the new input.
        Write(Field::Northing, "");
        Write(Field::Easting, "");
        Write(Field::Zone, "");
        return Fail(Check::NoParameters);
    }
    out_.hasSource = true;
    out_.source = {std::fabs(start.latitude), std::fabs(start.longitude), start.sourceUtm};
    Write(Field::Northing, NumberText::Format(start.sourceUtm.northing, sourceUtmMask, s_.separators));
    Write(Field::Easting, NumberText::Format(start.sourceUtm.easting, sourceUtmMask, s_.separators));
    Write(Field::Zone, NumberText::PlainText(start.sourceUtm.zone));
    const chain::Target target = chain::CarryToTarget(start.latitude, start.longitude, start.ellipsoids,
                                                      start.shift.shift, s_.forced, start.sourceUtm.zone);
    return WindowResults(target);
}

Outcome& PointRun::WindowDecimal() {
    const std::string latText = TextOf(0);
    const std::string lonText = TextOf(1);
    if (latText.empty() || lonText.empty()) return Fail(Check::Empty, latText.empty() ? 0 : 1);
    if (!NumberText::IsNumericText(latText, s_.separators)) return Fail(Check::NotNumeric, 0);
    if (!NumberText::IsNumericText(lonText, s_.separators)) return Fail(Check::NotNumeric, 1);
    const double latitude = -Normalise(Field::Latitude, latText);
    const double longitude = -Normalise(Field::Longitude, lonText);
    if (!InWindowDecimalLimits(-latitude, -longitude)) return Fail(Check::OutOfLimits);
    WriteDms(DmsTexts(latitude, longitude));
    return WindowChain(latitude, longitude, kDecimalModeUtmMask);
}

Outcome& PointRun::WindowDms() {
    // Values: latitude degrees, minutes, seconds, then longitude's.
    std::array<std::string, 6> texts;
    for (std::size_t i = 0; i < 6; ++i) texts[i] = TextOf(i);
    if (texts[0].empty() || texts[3].empty()) return Fail(Check::Empty, texts[0].empty() ? 0 : 3);
    static constexpr std::array<std::pair<std::size_t, core::Field>, 4> kMinutesAndSeconds{
        {{1, Field::LatMinutes}, {4, Field::LonMinutes}, {2, Field::LatSeconds}, {5, Field::LonSeconds}}};
    for (const auto& [i, field] : kMinutesAndSeconds) {
        if (!texts[i].empty()) continue;
        texts[i].assign(1, '0');
        Write(field, texts[i]);
    }
    // The order the tab checks and rewrites its fields in.
    static constexpr std::array<std::pair<std::size_t, core::Field>, 6> kInOrder{
        {{0, Field::LatDegrees}, {3, Field::LonDegrees}, {1, Field::LatMinutes},
         {4, Field::LonMinutes}, {2, Field::LatSeconds}, {5, Field::LonSeconds}}};
    for (const auto& [i, field] : kInOrder)
        if (!NumberText::IsNumericText(texts[i], s_.separators)) return Fail(Check::NotNumeric, i);
    for (const std::size_t i : {1, 2, 4, 5}) {
        const double value = NumberOf(texts[i]);
        if (!(value >= 0 && value < 60)) return Fail(Check::OutOfRange, i);
    }
    std::array<double, 6> numbers{};
    for (const auto& [i, field] : kInOrder) numbers[i] = Normalise(field, texts[i]);

    double latitude = 0.0;
    double longitude = 0.0;
    Util::DmsToDecimal(latitude, numbers[0], numbers[1], numbers[2]);
    Util::DmsToDecimal(longitude, numbers[3], numbers[4], numbers[5]);
    Write(Field::Latitude, NumberText::Format(std::fabs(latitude), kWindowDegreesMask, s_.separators));
    Write(Field::Longitude, NumberText::Format(std::fabs(longitude), kWindowDegreesMask, s_.separators));
    latitude = -std::fabs(latitude);
    longitude = -std::fabs(longitude);
    if (!InWindowDegreeLimits(-latitude, -longitude)) return Fail(Check::OutOfLimits);
    return WindowChain(latitude, longitude, kDegreeModeUtmMask);
}

Outcome& PointRun::WindowUtm() {
    static constexpr std::array<core::Field, 3> kFields{Field::Northing, Field::Easting, Field::Zone};
    std::array<std::string, 3> texts{TextOf(0), TextOf(1), TextOf(2)};
    for (std::size_t i = 0; i < 3; ++i)
        if (texts[i].empty()) return Fail(Check::Empty, i);
    for (std::size_t i = 0; i < 3; ++i)
        if (!NumberText::IsNumericText(texts[i], s_.separators)) return Fail(Check::NotNumeric, i);
    std::array<double, 3> numbers{};
    for (std::size_t i = 0; i < 3; ++i) numbers[i] = Normalise(kFields[i], texts[i]);

    const auto zone = NumberText::WholeNumber16(numbers[2]);
    if (!zone) return Fail(Check::OutOfLimits, 2);
    const chain::UtmStart start = chain::StartUtm(s_.direction, *zone, numbers[0], numbers[1]);

    // The position continues as the six-decimal texts the fields show. All
    // texts are made first: a position that is no number, or whose whole
    // degrees do not fit 16 bits, is refused before any field is written.
    std::string latitudeText = NumberText::Format(start.latitude, kWindowDegreesMask, s_.separators);
    std::string longitudeText = NumberText::Format(start.longitude, kWindowDegreesMask, s_.separators);
    const auto shownLatitude = NumberText::ReadNumber(latitudeText, s_.separators);
    const auto shownLongitude = NumberText::ReadNumber(longitudeText, s_.separators);
    if (!shownLatitude || !shownLongitude) return Fail(Check::OutOfLimits);
    std::array<std::string, 6> dms = DmsTexts(*shownLatitude, *shownLongitude);
    Write(Field::Latitude, std::move(latitudeText));
    Write(Field::Longitude, std::move(longitudeText));
    WriteDms(std::move(dms));
    const double latitude = -*shownLatitude;
    const double longitude = -*shownLongitude;
    out_.hasSource = true;
    out_.source = {*shownLatitude, *shownLongitude, {numbers[0], numbers[1], *zone, 0}};

    const chain::ShiftLookup shift = Lookup(latitude);
    if (!shift.found) return Fail(Check::NoParameters);
    const chain::Target target =
        chain::CarryToTarget(latitude, longitude, start.ellipsoids, shift.shift, s_.forced, *zone);
    if (!std::isfinite(target.latitude) || !std::isfinite(target.longitude) ||
        !std::isfinite(target.utm.northing) || !std::isfinite(target.utm.easting))
        return Fail(Check::OutOfLimits);
    return WindowResults(target);
}

}  // namespace

const NumberText::Mask& DegreesMask() {
    static const NumberText::Mask mask("##0.0000000000");
    return mask;
}

const NumberText::Mask& MetresMask() {
    static const NumberText::Mask mask("########0.000");
    return mask;
}

bool Outcome::Reported(Notice notice) const {
    for (std::uint8_t i = 0; i < reportCount; ++i)
        if (reports[i].notice == notice) return true;
    return false;
}

void ConvertPointInto(Notation notation, const Values& values, const Settings& settings, Outcome& out) {
    PointRun run(values, settings, out);
    if (settings.limits == Limits::Window) {
        try {
            switch (notation) {
                case Notation::DecimalDegrees: run.WindowDecimal(); break;
                case Notation::DegreesMinutesSeconds: run.WindowDms(); break;
                case Notation::Utm: run.WindowUtm(); break;
            }
        } catch (const Overflow&) {
            // Whole degrees or a zone that 16 bits cannot hold: only typed
            // UTM values far outside any zone get here. The fields written
            // so far stay written.
            run.Failed(Check::OutOfLimits);
        }
        return;
    }
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
