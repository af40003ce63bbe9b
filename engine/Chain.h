// The one sequence of engine calls that carries a point from the source datum
// to the target datum. Every command (the point tab, the batch runs, the
// command line) goes through these functions; they differ only in where the
// source position comes from and what they check between the steps.
#pragma once

#include <cstdint>

#include "Types.h"
#include "Util.h"

namespace trevalco::chain {

struct UtmPosition {
    double northing = 0.0;
    double easting = 0.0;
    std::int16_t zone = 0;
    std::int16_t centralMeridian = 0;  // degrees west
};

struct Shift {
    std::int16_t dX = 0;
    std::int16_t dY = 0;
    std::int16_t dZ = 0;
};

// The band lookup of one point: the shift, or that there is none.
struct ShiftLookup {
    Shift shift;
    bool found = false;
};

// The source and target ellipsoids of a direction.
struct Ellipsoids {
    EllipsoidAxes source;
    EllipsoidAxes target;
};

Ellipsoids EllipsoidsFor(DirectionKey key);

// Shift for the signed source latitude (south negative).
ShiftLookup LookupShift(DirectionKey key, double signedLatitude);

// Geographic input, up to the source UTM: the position made signed (every
// point is south and west, whatever sign it was given with), the shift
// looked up by that latitude, the ellipsoids, and the source UTM projected
// with the forced-zone setting in force now.
struct GeographicStart {
    double latitude = 0.0;   // signed, south negative
    double longitude = 0.0;  // signed, west negative
    ShiftLookup shift;
    Ellipsoids ellipsoids;
    UtmPosition sourceUtm;
};

GeographicStart StartGeographic(DirectionKey key, double latitude, double longitude,
                                Util::ForcedZone forced);

// UTM input: the ellipsoids, then the source position (magnitudes) from the
// inverse projection on the source ellipsoid, at full precision.
struct UtmStart {
    Ellipsoids ellipsoids;
    double latitude = 0.0;   // magnitude, degrees south
    double longitude = 0.0;  // magnitude, degrees west
};

UtmStart StartUtm(DirectionKey key, std::int16_t zone, double northing, double easting);

// The point on the target datum.
struct Target {
    double latitude = 0.0;   // magnitude
    double longitude = 0.0;  // magnitude
    UtmPosition utm;
};

// Carries the signed source position through the geocentric shift to the
// target ellipsoid and projects it with the forced-zone setting in force now.
// `zone` is the zone the command works with (the typed zone of UTM input,
// the source point's own zone otherwise): the target keeps it when its
// longitude lies outside every zone band and no zone is forced, as the
// projection leaves the caller's zone as it was. Only called with a shift
// that was found.
Target CarryToTarget(double signedLatitude, double signedLongitude, const Ellipsoids& ellipsoids,
                     const Shift& shift, Util::ForcedZone forced, std::int16_t zone);

// The same for a position whose zone is its own: the zone the source
// longitude gives (every geographic input, and any source inside the
// transformation range, whose target always lies inside a zone band).
Target CarryToTarget(double signedLatitude, double signedLongitude, const Ellipsoids& ellipsoids,
                     const Shift& shift, Util::ForcedZone forced);

// The transformation range every batch row must lie in (signed degrees).
bool InTransformationRange(double signedLatitude, double signedLongitude);

// The input range of the batch runs and the command line (magnitudes).
bool InBatchInputRange(double latitude, double longitude);

}  // namespace trevalco::chain
