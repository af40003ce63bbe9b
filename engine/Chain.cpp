#include "Chain.h"

#include <cmath>

#include "DELTAS.h"
#include "GEO_XYZ_GEO.h"
#include "Limits.h"
#include "Parametros.h"
#include "modGEO_UTM.h"
#include "modUTM_GEO.h"

namespace trevalco::chain {

Ellipsoids EllipsoidsFor(DirectionKey key) {
    Ellipsoids e;
    Parametros::SelectEllipsoids(key, e.source.a, e.source.b, e.target.a, e.target.b);
    return e;
}

ShiftLookup LookupShift(DirectionKey key, double signedLatitude) {
    ShiftLookup lookup;
    lookup.found =
        DELTAS::BandShifts(key, signedLatitude, lookup.shift.dX, lookup.shift.dY, lookup.shift.dZ);
    return lookup;
}

GeographicStart StartGeographic(DirectionKey key, double latitude, double longitude,
                                Util::ForcedZone forced) {
    GeographicStart start;
    start.latitude = -std::fabs(latitude);
    start.longitude = -std::fabs(longitude);
    start.shift = LookupShift(key, start.latitude);
    start.ellipsoids = EllipsoidsFor(key);
    UtmPosition& utm = start.sourceUtm;
    modGEO_UTM::GeoToUtm(std::fabs(start.latitude), std::fabs(start.longitude),
                         start.ellipsoids.source.a, start.ellipsoids.source.b, utm.northing,
                         utm.easting, utm.zone, utm.centralMeridian, forced);
    return start;
}

UtmStart StartUtm(DirectionKey key, std::int16_t zone, double northing, double easting) {
    UtmStart start;
    start.ellipsoids = EllipsoidsFor(key);
    modUTM_GEO::UtmToGeo(zone, northing, easting, start.ellipsoids.source.a,
                         start.ellipsoids.source.b, start.latitude, start.longitude);
    return start;
}

Target CarryToTarget(double signedLatitude, double signedLongitude, const Ellipsoids& ellipsoids,
                     const Shift& shift, Util::ForcedZone forced, std::int16_t zone) {
    double X = 0.0, Y = 0.0, Z = 0.0;
    GEO_XYZ_GEO::GeoToXyz(signedLatitude, signedLongitude, ellipsoids.source.a,
                          ellipsoids.source.b, X, Y, Z);
    GEO_XYZ_GEO::ShiftXyz(X, Y, Z, shift.dX, shift.dY, shift.dZ);
    Target target;
    target.utm.zone = zone;
    GEO_XYZ_GEO::XyzToGeo(X, Y, Z, target.latitude, target.longitude, ellipsoids.target.a,
                          ellipsoids.target.b);
    modGEO_UTM::GeoToUtm(target.latitude, target.longitude, ellipsoids.target.a,
                         ellipsoids.target.b, target.utm.northing, target.utm.easting,
                         target.utm.zone, target.utm.centralMeridian, forced);
    return target;
}

Target CarryToTarget(double signedLatitude, double signedLongitude, const Ellipsoids& ellipsoids,
                     const Shift& shift, Util::ForcedZone forced) {
    std::int16_t zone = 0;
    std::int16_t centralMeridian = 0;
    Util::UtmZoneFor(std::fabs(signedLongitude), zone, centralMeridian, forced);
    return CarryToTarget(signedLatitude, signedLongitude, ellipsoids, shift, forced, zone);
}

bool InTransformationRange(double signedLatitude, double signedLongitude) {
    return limits::kLongitude.Holds(-signedLongitude) && limits::kLatitude.Holds(-signedLatitude);
}

bool InBatchInputRange(double latitude, double longitude) {
    return limits::kLatitude.Holds(latitude) && limits::kInputLongitude.Holds(longitude);
}

}  // namespace trevalco::chain
