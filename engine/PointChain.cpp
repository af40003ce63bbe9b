#include "PointChain.h"

#include <cmath>

#include "Geocentric.h"
#include "Limits.h"

namespace trevalco::chain {

GeographicStart StartGeographic(const bands::ShiftSource& shifts, DirectionKey key, double latitude,
                                double longitude, zones::ForcedZone forced) {
    GeographicStart start;
    start.latitude = -std::fabs(latitude);
    start.longitude = -std::fabs(longitude);
    start.shift = shifts.Lookup(key, start.latitude);
    start.ellipsoids = datums::EllipsoidsFor(key);
    start.sourceUtm =
        utm::GeoToUtm(std::fabs(start.latitude), std::fabs(start.longitude), start.ellipsoids.source, forced);
    return start;
}

UtmStart StartUtm(DirectionKey key, std::int16_t zone, double northing, double easting) {
    UtmStart start;
    start.ellipsoids = datums::EllipsoidsFor(key);
    const datums::LatLon position = utm::UtmToGeo(zone, northing, easting, start.ellipsoids.source);
    start.latitude = position.latitude;
    start.longitude = position.longitude;
    return start;
}

Target CarryToTarget(double signedLatitude, double signedLongitude, const datums::Ellipsoids& ellipsoids,
                     const datums::Shift& shift, zones::ForcedZone forced, std::int16_t zone) {
    const geocentric::Cartesian source = geocentric::GeoToXyz(signedLatitude, signedLongitude, ellipsoids.source);
    const geocentric::Cartesian shifted = geocentric::ShiftXyz(source, shift);
    const datums::LatLon position = geocentric::XyzToGeo(shifted, ellipsoids.target);
    return {position.latitude, position.longitude,
            utm::GeoToUtm(position.latitude, position.longitude, ellipsoids.target, forced, zone)};
}

Target CarryToTarget(double signedLatitude, double signedLongitude, const datums::Ellipsoids& ellipsoids,
                     const datums::Shift& shift, zones::ForcedZone forced) {
    const std::int16_t zone = zones::UtmZoneFor(std::fabs(signedLongitude), forced, 0).zone;
    return CarryToTarget(signedLatitude, signedLongitude, ellipsoids, shift, forced, zone);
}

utm::GridPoint TargetInZone(DirectionKey key, double latitude, double longitude, std::int16_t zone) {
    return utm::GeoToUtm(latitude, longitude, datums::EllipsoidsFor(key).target, zones::ForcedZone::To(zone));
}

bool InTransformationRange(double signedLatitude, double signedLongitude) {
    return limits::kLongitude.Holds(-signedLongitude) && limits::kLatitude.Holds(-signedLatitude);
}

bool InBatchInputRange(double latitude, double longitude) {
    return limits::kLatitude.Holds(latitude) && limits::kInputLongitude.Holds(longitude);
}

}  // namespace trevalco::chain
