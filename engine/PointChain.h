// The one sequence of engine calls that carries a point from the source
// datum to the target datum: the source position, its shift, the source
// UTM, the geocentric translation, the target position and its UTM. The
// point core and the window's point tab both go through these functions;
// they differ only in where the source position comes from and what they
// check between the steps.
#pragma once

#include <cstdint>
#include <optional>

#include "BandShifts.h"
#include "Datums.h"
#include "UtmSeries.h"
#include "UtmZones.h"

namespace trevalco::chain {

// Geographic input, up to the source UTM: the position made signed (every
// point is south and west, whatever sign it was given with), the shift
// looked up by that latitude, the ellipsoids, and the source UTM projected
// with the forced-zone setting in force now.
struct GeographicStart {
    double latitude = 0.0;   // signed, south negative
    double longitude = 0.0;  // signed, west negative
    std::optional<datums::Shift> shift;
    datums::Ellipsoids ellipsoids;
    utm::GridPoint sourceUtm;
};

GeographicStart StartGeographic(const bands::ShiftSource& shifts, DirectionKey key, double latitude,
                                double longitude, zones::ForcedZone forced);

// UTM input: the ellipsoids, then the source position (magnitudes) from the
// inverse projection on the source ellipsoid, at full precision.
struct UtmStart {
    datums::Ellipsoids ellipsoids;
    double latitude = 0.0;   // magnitude, degrees south
    double longitude = 0.0;  // magnitude, degrees west
};

UtmStart StartUtm(DirectionKey key, std::int16_t zone, double northing, double easting);

// The point on the target datum.
struct Target {
    double latitude = 0.0;   // magnitude
    double longitude = 0.0;  // magnitude
    utm::GridPoint utm;
};

// Carries the signed source position through the geocentric shift to the
// target ellipsoid and projects it with the forced-zone setting in force now.
// `zone` is the zone the command works with (the typed zone of UTM input,
// the source point's own zone otherwise): the target keeps it when its
// longitude lies outside every zone band and no zone is forced.
Target CarryToTarget(double signedLatitude, double signedLongitude, const datums::Ellipsoids& ellipsoids,
                     const datums::Shift& shift, zones::ForcedZone forced, std::int16_t zone);

// The same for a position whose zone is its own: the zone the source
// longitude gives (every geographic input, and any source inside the
// transformation range, whose target always lies inside a zone band).
Target CarryToTarget(double signedLatitude, double signedLongitude, const datums::Ellipsoids& ellipsoids,
                     const datums::Shift& shift, zones::ForcedZone forced);

// A target position (magnitudes) projected in a given zone, whatever its
// own: a point layer is written in one zone.
utm::GridPoint TargetInZone(DirectionKey key, double latitude, double longitude, std::int16_t zone);

// The transformation range every batch row must lie in (signed degrees).
bool InTransformationRange(double signedLatitude, double signedLongitude);

// The input range of the batch runs and the command line (magnitudes).
bool InBatchInputRange(double latitude, double longitude);

}  // namespace trevalco::chain
