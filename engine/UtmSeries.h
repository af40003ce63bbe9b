// UTM in the southern hemisphere, west longitudes: the forward and inverse
// series of the transverse Mercator projection, each with its terms worked
// out once per ellipsoid.
//
// Forward, geographic to UTM: the series of the U.S. Army's UTM grid tables
// (TM 5-241-8, 1958; the same in DMA TM 8358.2, 1989):
//   northing = 10,000,000 - (I + II p^2 + III p^4 + A6),
//   easting  = 500,000 +/- (IV p + V p^3 + B5),
// where I = k0 S, S the meridian arc from the equator by the series in
// powers of e up to e^10 (coefficients A to F), and p the difference of
// longitude from the central meridian in units of 10^4 seconds of arc. That
// unit is why the terms carry sin(1") to the power of the term and 10^4 to
// the same power (10^8 for p^2, 10^16 for p^4, 10^24 for p^6).
// Accuracy, measured against PROJ's exact transverse Mercator on the three
// ellipsoids at 18 to 55 degrees south (docs/accuracy.md): within 1 mm up to
// 4 degrees from the central meridian (a zone reaches 3), 2 mm at 5, 6 mm at
// 6, 4 cm at 8 and 0.21 m of easting (0.034 m of northing) at 10.
//
// Inverse, UTM to geographic: the footpoint-latitude series of Snyder, Map
// Projections: A Working Manual (USGS Professional Paper 1395, 1987): M = y/k0
// (8-20), mu (7-19), e1 (3-24), the footpoint latitude (3-26), then C1, T1,
// N1, R1 and D (8-21 to 8-25), the latitude (8-17) and the longitude (8-18).
// Accuracy, measured on PROJ's exact coordinates at 18 to 55 degrees south:
// within 0.4 mm on the ground up to 3 degrees from the central meridian (a
// zone), 3 mm at 4, 5 cm at 6 and 1.7 m at 10; the error grows east-west much
// faster than north-south.
#pragma once

#include <cstdint>

#include "Datums.h"
#include "UtmZones.h"

namespace trevalco::utm {

// A UTM position: northing and easting in metres, its zone and the zone's
// central meridian (a magnitude, degrees west).
struct GridPoint {
    double northing = 0.0;
    double easting = 0.0;
    std::int16_t zone = 0;
    std::int16_t centralMeridian = 0;
};

// Projects the latitude and longitude magnitudes (degrees south and west) on
// the ellipsoid, in the zone UtmZoneFor gives with the forced-zone setting
// (`zoneOutside` where the longitude lies outside every zone it knows).
GridPoint GeoToUtm(double latitude, double longitude, const EllipsoidAxes& axes, zones::ForcedZone forced,
                   std::int16_t zoneOutside = 0);

// Northing and easting (metres) of the zone on the ellipsoid to latitude and
// longitude magnitudes (degrees south and west). Throws Overflow when the
// zone's central meridian does not fit 16-bit arithmetic.
datums::LatLon UtmToGeo(std::int16_t zone, double northing, double easting, const EllipsoidAxes& axes);

}  // namespace trevalco::utm
