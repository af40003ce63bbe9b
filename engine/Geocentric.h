// Geographic to geocentric coordinates, the geocentric translation, and back.
//
// Forward: the closed form of EPSG method 9602 (IOGP Guidance Note 7-2,
// geographic/geocentric conversions) at ellipsoidal height 0:
//   X = N cos(lat) cos(lon),  Y = N cos(lat) sin(lon),  Z = (1 - e2) N sin(lat),
//   N = a / sqrt(1 - e2 sin^2(lat)),  e2 = (a^2 - b^2) / a^2.
// Translation: EPSG method 9603, X + dX, Y + dY, Z + dZ.
// Reverse: the classical fixed-point iteration on the latitude (Heiskanen and
// Moritz, Physical Geodesy, 1967, section 5-3), started from the latitude of
// a point at height 0 on the axis direction:
//   p = sqrt(X^2 + Y^2),  lat0 = atan(Z / (p (1 - e2))),
//   h = p / cos(lat) - N,  lat = atan(Z / (p (1 - e2 N / (N + h)))),
// and lon = atan(Y / X), valid for the west longitudes of Chile (X > 0).
// Angles are in degrees, lengths in metres.
#pragma once

#include "Datums.h"

namespace trevalco::geocentric {

struct Cartesian {
    double X = 0.0;
    double Y = 0.0;
    double Z = 0.0;
};

// Passes XyzToGeo makes at most; ordinary points need two to five.
inline constexpr int kMaxPasses = 100;

// Signed latitude and longitude (south and west negative) on the ellipsoid,
// at height 0, to geocentric X, Y, Z.
Cartesian GeoToXyz(double latitude, double longitude, const EllipsoidAxes& axes);

// Adds the shift to X, Y and Z.
Cartesian ShiftXyz(const Cartesian& xyz, const datums::Shift& shift);

// Geocentric X, Y, Z to latitude and longitude magnitudes on the ellipsoid.
// Iterates until two successive latitudes agree to ten decimals, or
// maxPasses passes have been made (then the last estimate is returned).
datums::LatLon XyzToGeo(const Cartesian& xyz, const EllipsoidAxes& axes, int maxPasses = kMaxPasses);

}  // namespace trevalco::geocentric
