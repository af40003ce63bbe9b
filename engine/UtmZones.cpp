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

}  // namespace

std::optional<ForcedZone> ForceableZone(long long zone) {
    if (std::find(kForceableZones.begin(), kForceableZones.end(), zone) == kForceableZones.end()) return std::nullopt;
    return ForcedZone::To(static_cast<std::int16_t>(zone));
}

ZoneChoice UtmZoneFor(double longitude, ForcedZone forced, std::int16_t zoneOutside) {
    std::int16_t zone = zoneOutside;
    if (forced.zone) {
        zone = *forced.zone;
    } else {
        for (std::int16_t z = kEasternZone; z >= kWesternZone; --z) {
            const double east = kEasternLimit + (kEasternZone - z) * kZoneWidth;
            const double west = east + kZoneWidth;
            if (longitude >= east && (longitude < west || (z == kWesternZone && longitude <= west))) {
                zone = z;
                break;
            }
        }
    }
    return {zone, CentralMeridianOf(zone)};
}

std::int16_t SignedCentralMeridian(std::int16_t zone) {
    return Checked16(-Checked16(Checked16(Checked16(30 - zone) * 6) + 3));
}

std::int16_t CentralMeridianOf(std::int16_t zone) { return Checked16(std::abs(SignedCentralMeridian(zone))); }

}  // namespace trevalco::zones
