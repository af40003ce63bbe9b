#include "UtmZones.h"

#include <algorithm>
#include <cstdlib>

#include "Int16.h"

namespace trevalco::zones {

namespace {

// The zones the rule finds from a longitude: 22 at 48..54 W, one zone every
// six degrees westwards, down to 12 at 108..114 W (its west limit included).
constexpr std::int16_t kEasternZone = 22;
constexpr std::int16_t kWesternZone = 12;
constexpr double kEasternLimit = 48;
constexpr double kZoneWidth = 6;
constexpr double kWesternLimit = kEasternLimit + (kEasternZone - kWesternZone + 1) * kZoneWidth;

// The eastern limit of the band'th zone counted westwards from zone 22.
constexpr double EastLimitOf(int band) { return kEasternLimit + band * kZoneWidth; }

}  // namespace

std::optional<ForcedZone> ForceableZone(long long zone) {
    if (std::find(kForceableZones.begin(), kForceableZones.end(), zone) == kForceableZones.end()) return std::nullopt;
    return ForcedZone::To(static_cast<std::int16_t>(zone));
}

ZoneChoice UtmZoneFor(double longitude, ForcedZone forced, std::int16_t zoneOutside) {
    std::int16_t zone = zoneOutside;
    if (forced.zone) {
        zone = *forced.zone;
    } else if (longitude >= kEasternLimit && longitude <= kWesternLimit) {
        // A product with the rounded sixth guesses the band; the limits,
        // whole numbers and so exact, decide it should the rounding put a
        // longitude beside a limit on its other side.
        const int last = kEasternZone - kWesternZone;
        int band = std::min(static_cast<int>((longitude - kEasternLimit) * (1 / kZoneWidth)), last);
        if (longitude < EastLimitOf(band)) --band;
        else if (band < last && longitude >= EastLimitOf(band + 1)) ++band;
        zone = static_cast<std::int16_t>(kEasternZone - band);
    }
    return {zone, CentralMeridianOf(zone)};
}

std::int16_t SignedCentralMeridian(std::int16_t zone) {
    return Checked16(-Checked16(Checked16(Checked16(30 - zone) * 6) + 3));
}

std::int16_t CentralMeridianOf(std::int16_t zone) { return Checked16(std::abs(SignedCentralMeridian(zone))); }

}  // namespace trevalco::zones
