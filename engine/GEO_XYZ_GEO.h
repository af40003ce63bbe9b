// Geographic to geocentric coordinates, the geocentric shift, and back.
#pragma once

#include <cstdint>

namespace trevalco::GEO_XYZ_GEO {

// Passes XyzToGeo makes at most; ordinary points need two to five.
inline constexpr int kMaxPasses = 100;

// Signed latitude and longitude (degrees, south and west negative) on the
// ellipsoid (a, b), at height 0, to geocentric X, Y, Z in metres.
void GeoToXyz(double latitude, double longitude, double a, double b, double& X, double& Y,
              double& Z);

// Adds the shift (whole metres) to X, Y and Z.
void ShiftXyz(double& X, double& Y, double& Z, std::int16_t dX, std::int16_t dY,
              std::int16_t dZ);

// Geocentric X, Y, Z to latitude and longitude magnitudes on the ellipsoid
// (a, b). Iterates until two successive latitudes agree to ten decimals, or
// maxPasses passes have been made (then the last estimate is returned).
void XyzToGeo(double X, double Y, double Z, double& latitude, double& longitude, double a,
              double b, int maxPasses = kMaxPasses);

}  // namespace trevalco::GEO_XYZ_GEO
