// Geographic coordinates to UTM, southern hemisphere, west longitudes.
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
