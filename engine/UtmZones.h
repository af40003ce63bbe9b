// The UTM zone rule: which zone a longitude lies in, a zone's central
// meridian, the zones that exist and the zones a user may force.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "Limits.h"

namespace trevalco::zones {

// The zones of the UTM system.
inline constexpr limits::Range kZones{1, 60};

// The zones a user may force every projection into: those of the window's
// "Forzar Zonas" buttons OpZ12 to OpZ22, in their order. The last is also
// the fallback: the zone forced when the box is ticked and none of the
// others is chosen.
inline constexpr std::array<std::int16_t, 9> kForceableZones{12, 13, 16, 17, 18, 19, 20, 21, 22};
inline constexpr std::int16_t kFallbackZone = kForceableZones.back();

// The zones of continental Chile, the ones a UTM sheet may be read in.
inline constexpr std::array<std::int16_t, 2> kChileZones{18, 19};

// The "Forzar Zonas" setting as read at one projection: either off, or the
// zone every projection must use.
struct ForcedZone {
    std::optional<std::int16_t> zone;

    static constexpr ForcedZone Off() { return {}; }
    static constexpr ForcedZone To(std::int16_t forced) { return {forced}; }
    friend bool operator==(const ForcedZone&, const ForcedZone&) = default;
};

// The forced zone of a number, when it is one of the forceable zones.
std::optional<ForcedZone> ForceableZone(long long zone);

// A zone and its central meridian, as a magnitude in degrees west.
struct ZoneChoice {
    std::int16_t zone = 0;
    std::int16_t centralMeridian = 0;
};

// The zone of a longitude magnitude (degrees west): the forced zone when
// there is one, else the zone whose six degrees hold it, from 48 to 114 W;
// outside those, `zoneOutside` (the zone the caller works with). Throws
// Overflow when the zone's central meridian does not fit 16 bits.
ZoneChoice UtmZoneFor(double longitude, ForcedZone forced, std::int16_t zoneOutside);

// The central meridian of a zone, signed (west negative) and as a magnitude,
// in 16-bit arithmetic: -(((30 - zone) * 6) + 3).
std::int16_t SignedCentralMeridian(std::int16_t zone);
std::int16_t CentralMeridianOf(std::int16_t zone);

}  // namespace trevalco::zones
