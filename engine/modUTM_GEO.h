// UTM to geographic coordinates, southern hemisphere.
#pragma once

#include <cstdint>

namespace trevalco::modUTM_GEO {

// Northing and easting (metres) of the zone on the ellipsoid (a, b) to
// latitude and longitude magnitudes (degrees south and west). Throws Overflow
// when the zone's central meridian does not fit 16-bit arithmetic.
void UtmToGeo(std::int16_t zone, double northing, double easting, double a, double b,
              double& latitude, double& longitude);

}  // namespace trevalco::modUTM_GEO
