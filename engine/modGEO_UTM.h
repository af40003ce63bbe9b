// Geographic coordinates to UTM, southern hemisphere, west longitudes.
// Accuracy, measured against PROJ's exact transverse Mercator on the three
// ellipsoids at 18 to 55 degrees south (docs/accuracy.md): within 1 mm up to
// 4 degrees from the central meridian (a zone reaches 3), 2 mm at 5, 6 mm at
// 6, 4 cm at 8 and 0.21 m of easting (0.034 m of northing) at 10.
#pragma once

#include <cstdint>

#include "Util.h"

namespace trevalco::modGEO_UTM {

// Projects the latitude and longitude magnitudes (degrees south and west) on
// the ellipsoid (a, b). The zone comes from UtmZoneFor with the forced-zone
// setting; the central meridian is written as a magnitude in degrees west.
void GeoToUtm(double latitude, double longitude, double a, double b, double& northing,
              double& easting, std::int16_t& zone, std::int16_t& centralMeridian,
              Util::ForcedZone forced);

}  // namespace trevalco::modGEO_UTM
