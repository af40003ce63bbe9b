// UTM to geographic coordinates, southern hemisphere.
// Accuracy, measured on PROJ's exact transverse Mercator coordinates at 18 to
// 55 degrees south (docs/accuracy.md): within 0.4 mm on the ground up to 3
// degrees from the central meridian (a zone), 3 mm at 4, 5 cm at 6 and 1.7 m
// at 10; the error grows east-west much faster than north-south.
#pragma once

#include <cstdint>

namespace trevalco::modUTM_GEO {

// Northing and easting (metres) of the zone on the ellipsoid (a, b) to
// latitude and longitude magnitudes (degrees south and west). Throws Overflow
// when the zone's central meridian does not fit 16-bit arithmetic.
void UtmToGeo(std::int16_t zone, double northing, double easting, double a, double b,
              double& latitude, double& longitude);

}  // namespace trevalco::modUTM_GEO
