#include "PointTabRules.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "Angles.h"
#include "Int16.h"
#include "Limits.h"
#include "PointChain.h"

namespace trevalco::point {

namespace {

// The tab's masks: decimal degrees of the source, the source UTM as the
// decimal-degree and the degree notations show it, the seconds of the
// degree fields, and the results' metres; and the accuracy it states.
constexpr const char* kDegreesMask = "#0.000000";
constexpr const char* kDecimalModeUtmMask = "#########.##0";
constexpr const char* kDegreeModeUtmMask = "###,###,###.##0";
constexpr const char* kSecondsMask = "####0.0000";
constexpr const char* kOutputMetresMask = "###,###,###.##0.  m.";
constexpr const char* kAccuracyText = "+/- 5.0 m.";

// The tab's input limits: decimal degrees take longitudes above 66 up to
// 77; degrees, minutes and seconds those of the transformation range.
bool InDecimalLimits(double latitude, double longitude) {
    return limits::kLatitude.Holds(latitude) && longitude > limits::kInputLongitude.low &&
           longitude <= limits::kInputLongitude.high;
}

bool InDegreeLimits(double latitude, double longitude) {
    return limits::kLatitude.Holds(latitude) && limits::kLongitude.Holds(longitude);
}

using core::Check;

// One run of the tab: its checks in order, the chain, and the fields it
// rewrites on the way.
class TabRun {
public:
    TabRun(const TabTexts& texts, const TabSettings& settings) : t_(texts), s_(settings) {}

    TabOutcome& Decimal();
    TabOutcome& Dms();
    TabOutcome& Utm();
    TabOutcome& Fail(Check check) {
        out_.failed = check;
        return out_;
    }
    TabOutcome Take() { return std::move(out_); }

private:
    void Write(Field field, std::string text) { out_.fields.push_back({field, std::move(text)}); }
    double NumberOf(const std::string& text) const {
        return number_text::ReadNumber(text, s_.separators).value_or(0.0);
    }
    bool Numeric(const std::string& text) const { return number_text::IsNumericText(text, s_.separators); }
    std::string Format(double value, const char* mask) const {
        return number_text::Format(value, mask, s_.separators);
    }
    // The field's text rewritten as the plain text of its magnitude; the
    // number it holds from then on.
    double Normalise(Field field, const std::string& text) {
        std::string plain = number_text::PlainText(std::fabs(NumberOf(text)), s_.separators);
        const double number = NumberOf(plain);
        Write(field, std::move(plain));
        return number;
    }
    // The texts of the six degree, minute and second fields for a source
    // position (Overflow when its whole degrees do not fit 16 bits).
    std::array<std::string, 6> DmsTexts(double latitude, double longitude) const;
    void WriteDms(std::array<std::string, 6> texts);
    TabOutcome& Chain(double latitude, double longitude, const char* sourceUtmMask);
    TabOutcome& Results(const chain::Target& target);

    const TabTexts& t_;
    const TabSettings& s_;
    TabOutcome out_;
};

std::array<std::string, 6> TabRun::DmsTexts(double latitude, double longitude) const {
    const angles::Dms lat = angles::DecimalToDms(latitude);
    const angles::Dms lon = angles::DecimalToDms(longitude);
    const auto degrees = [](std::int16_t d) { return std::to_string(std::abs(static_cast<int>(d))); };
    const auto minutes = [this](double m) { return number_text::PlainText(std::fabs(m), s_.separators); };
    const auto seconds = [this](double sec) { return Format(std::fabs(sec), kSecondsMask); };
    return {degrees(lat.degrees), minutes(lat.minutes), seconds(lat.seconds),
            degrees(lon.degrees), minutes(lon.minutes), seconds(lon.seconds)};
}

void TabRun::WriteDms(std::array<std::string, 6> texts) {
    static constexpr std::array<Field, 6> kFields{Field::LatDegrees, Field::LatMinutes, Field::LatSeconds,
                                                  Field::LonDegrees, Field::LonMinutes, Field::LonSeconds};
    for (std::size_t i = 0; i < kFields.size(); ++i) Write(kFields[i], std::move(texts[i]));
}

TabOutcome& TabRun::Results(const chain::Target& target) {
    // Every text is made before any field is written, so a failure leaves
    // the results of the last run as they were.
    std::string latitude = angles::FormatDms(target.latitude, s_.separators);
    std::string longitude = angles::FormatDms(target.longitude, s_.separators);
    std::string northing = Format(target.utm.northing, kOutputMetresMask);
    std::string easting = Format(target.utm.easting, kOutputMetresMask);
    Write(Field::OutLatitude, std::move(latitude));
    Write(Field::OutLongitude, std::move(longitude));
    Write(Field::OutNorthing, std::move(northing));
    Write(Field::OutEasting, std::move(easting));
    Write(Field::Accuracy, kAccuracyText);
    Write(Field::OutZone, number_text::PlainText(target.utm.zone));
    return out_;
}

TabOutcome& TabRun::Chain(double latitude, double longitude, const char* sourceUtmMask) {
    const chain::GeographicStart start =
        chain::StartGeographic(bands::ProgramBands(), s_.direction, latitude, longitude, s_.forced);
    if (!start.shift) {
        // The source UTM fields still hold an earlier point: no stale figure
        // may stand beside the new input.
        Write(Field::Northing, "");
        Write(Field::Easting, "");
        Write(Field::Zone, "");
        return Fail(Check::NoParameters);
    }
    Write(Field::Northing, Format(start.sourceUtm.northing, sourceUtmMask));
    Write(Field::Easting, Format(start.sourceUtm.easting, sourceUtmMask));
    Write(Field::Zone, number_text::PlainText(start.sourceUtm.zone));
    return Results(chain::CarryToTarget(start.latitude, start.longitude, start.ellipsoids, *start.shift, s_.forced,
                                        start.sourceUtm.zone));
}

TabOutcome& TabRun::Decimal() {
    const std::string& latText = t_[0];
    const std::string& lonText = t_[1];
    if (latText.empty() || lonText.empty()) return Fail(Check::Empty);
    if (!Numeric(latText) || !Numeric(lonText)) return Fail(Check::NotNumeric);
    const double latitude = -Normalise(Field::Latitude, latText);
    const double longitude = -Normalise(Field::Longitude, lonText);
    if (!InDecimalLimits(-latitude, -longitude)) return Fail(Check::OutOfLimits);
    WriteDms(DmsTexts(latitude, longitude));
    return Chain(latitude, longitude, kDecimalModeUtmMask);
}

TabOutcome& TabRun::Dms() {
    // Texts: latitude degrees, minutes, seconds, then longitude's.
    std::array<std::string, 6> texts = t_;
    if (texts[0].empty() || texts[3].empty()) return Fail(Check::Empty);
    static constexpr std::array<std::pair<std::size_t, Field>, 4> kMinutesAndSeconds{
        {{1, Field::LatMinutes}, {4, Field::LonMinutes}, {2, Field::LatSeconds}, {5, Field::LonSeconds}}};
    for (const auto& [i, field] : kMinutesAndSeconds) {
        if (!texts[i].empty()) continue;
        texts[i].assign(1, '0');
        Write(field, texts[i]);
    }
    // The order the tab checks and rewrites its fields in.
    static constexpr std::array<std::pair<std::size_t, Field>, 6> kInOrder{
        {{0, Field::LatDegrees}, {3, Field::LonDegrees}, {1, Field::LatMinutes},
         {4, Field::LonMinutes}, {2, Field::LatSeconds}, {5, Field::LonSeconds}}};
    for (const auto& [i, field] : kInOrder)
        if (!Numeric(texts[i])) return Fail(Check::NotNumeric);
    for (const std::size_t i : {1, 2, 4, 5}) {
        const double value = NumberOf(texts[i]);
        if (!(value >= 0 && value < 60)) return Fail(Check::OutOfRange);
    }
    std::array<double, 6> numbers{};
    for (const auto& [i, field] : kInOrder) numbers[i] = Normalise(field, texts[i]);

    double latitude = angles::DmsToDecimal(numbers[0], numbers[1], numbers[2]);
    double longitude = angles::DmsToDecimal(numbers[3], numbers[4], numbers[5]);
    Write(Field::Latitude, Format(std::fabs(latitude), kDegreesMask));
    Write(Field::Longitude, Format(std::fabs(longitude), kDegreesMask));
    latitude = -std::fabs(latitude);
    longitude = -std::fabs(longitude);
    if (!InDegreeLimits(-latitude, -longitude)) return Fail(Check::OutOfLimits);
    return Chain(latitude, longitude, kDegreeModeUtmMask);
}

TabOutcome& TabRun::Utm() {
    static constexpr std::array<Field, 3> kFields{Field::Northing, Field::Easting, Field::Zone};
    for (std::size_t i = 0; i < 3; ++i)
        if (t_[i].empty()) return Fail(Check::Empty);
    for (std::size_t i = 0; i < 3; ++i)
        if (!Numeric(t_[i])) return Fail(Check::NotNumeric);
    std::array<double, 3> numbers{};
    for (std::size_t i = 0; i < 3; ++i) numbers[i] = Normalise(kFields[i], t_[i]);

    const auto zone = WholeNumber16(numbers[2]);
    if (!zone) return Fail(Check::OutOfLimits);
    const chain::UtmStart start = chain::StartUtm(s_.direction, *zone, numbers[0], numbers[1]);

    // The position continues as the six-decimal texts the fields show. All
    // texts are made first: a position that is no number, or whose whole
    // degrees do not fit 16 bits, is refused before any field is written.
    std::string latitudeText = Format(start.latitude, kDegreesMask);
    std::string longitudeText = Format(start.longitude, kDegreesMask);
    const auto shownLatitude = number_text::ReadNumber(latitudeText, s_.separators);
    const auto shownLongitude = number_text::ReadNumber(longitudeText, s_.separators);
    if (!shownLatitude || !shownLongitude) return Fail(Check::OutOfLimits);
    std::array<std::string, 6> dms = DmsTexts(*shownLatitude, *shownLongitude);
    Write(Field::Latitude, std::move(latitudeText));
    Write(Field::Longitude, std::move(longitudeText));
    WriteDms(std::move(dms));
    const double latitude = -*shownLatitude;
    const double longitude = -*shownLongitude;

    const std::optional<datums::Shift> shift = bands::BandShifts(s_.direction, latitude);
    if (!shift) return Fail(Check::NoParameters);
    const chain::Target target =
        chain::CarryToTarget(latitude, longitude, start.ellipsoids, *shift, s_.forced, *zone);
    if (!std::isfinite(target.latitude) || !std::isfinite(target.longitude) ||
        !std::isfinite(target.utm.northing) || !std::isfinite(target.utm.easting))
        return Fail(Check::OutOfLimits);
    return Results(target);
}

}  // namespace

TabOutcome ConvertTabPoint(core::Notation notation, const TabTexts& texts, const TabSettings& settings) {
    TabRun run(texts, settings);
    try {
        switch (notation) {
            case core::Notation::DecimalDegrees: run.Decimal(); break;
            case core::Notation::DegreesMinutesSeconds: run.Dms(); break;
            case core::Notation::Utm: run.Utm(); break;
        }
    } catch (const Overflow&) {
        // Whole degrees or a zone that 16 bits cannot hold: only typed UTM
        // values far outside any zone get here. The fields written so far
        // stay written.
        run.Fail(Check::OutOfLimits);
    }
    return run.Take();
}

zones::ForcedZone ReadForcedZone(int checkValue, const std::array<bool, zones::kForceableZones.size() - 1>& zoneButtons) {
    if (checkValue != 1) return zones::ForcedZone::Off();
    for (std::size_t i = 0; i < zoneButtons.size(); ++i)
        if (zoneButtons[i]) return zones::ForcedZone::To(zones::kForceableZones[i]);
    return zones::ForcedZone::To(zones::kFallbackZone);
}

}  // namespace trevalco::point
