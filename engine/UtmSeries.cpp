#include "UtmSeries.h"

#include <cmath>

#include "Angles.h"
#include "Constants.h"

namespace trevalco::utm {

namespace {

using angles::DegToRad;
using std::pow;

// The forward series' terms that depend only on the ellipsoid: e^2, e'^2,
// e'^4 and the meridian arc's coefficients A to F.
struct ForwardTerms {
    double e2, ep2, ep4;
    double A, B, C, D, E, F;
};

ForwardTerms ForwardTermsFor(double a, double b) {
    ForwardTerms s{};
    // e squared here, not datums::EccentricitySquared: the two round apart.
    const double e = pow(pow(a, 2) - pow(b, 2), 0.5) / a;
    const double e2 = pow(e, 2);
    const double e4 = pow(e, 4);
    const double e6 = pow(e, 6);
    const double e8 = pow(e, 8);
    const double e10 = pow(e, 10);
    s.e2 = e2;
    s.ep2 = (pow(a, 2) - pow(b, 2)) / pow(b, 2);
    s.ep4 = pow(s.ep2, 2);
    s.A = 45.0 / 64 * e4 + (0.75 * e2 + 1) + 175.0 / 256 * e6 + 11025.0 / 16384 * e8 + 43659.0 / 65536 * e10;
    s.B = 15.0 / 16 * e4 + 0.75 * e2 + 525.0 / 512 * e6 + 2205.0 / 2048 * e8 + 72765.0 / 65536 * e10;
    s.C = 105.0 / 256 * e6 + 15.0 / 64 * e4 + 2205.0 / 4096 * e8 + 10395.0 / 16384 * e10;
    s.D = 315.0 / 2048 * e8 + 35.0 / 512 * e6 + 31185.0 / 131072 * e10;
    s.E = 3465.0 / 65536 * e10 + 315.0 / 16384 * e8;
    s.F = 693.0 / 131072 * e10;
    return s;
}

// sin(1") with the decimal degree constant of one second, and the powers of
// it the terms II to B5 use: the same for every point.
struct SecondOfArc {
    double s1, s1p2, s1p3, s1p4, s1p5, s1p6;
};

const SecondOfArc& SineOfOneSecond() {
    static const SecondOfArc second = [] {
        const double s1 = std::sin(DegToRad(0.000277777777777778));
        return SecondOfArc{s1, pow(s1, 2), pow(s1, 3), pow(s1, 4), pow(s1, 5), pow(s1, 6)};
    }();
    return second;
}

// The inverse series' terms that depend only on the ellipsoid.
struct InverseTerms {
    double e2;
    double meridianFactor;  // a (1 - e2/4 - 3 e4/64 - 5 e6/256): divides M to give mu (7-19)
    double c2, c4, c6;      // the terms of sin(2 mu), sin(4 mu) and sin(6 mu) in (3-26)
    double ep2;             // e'^2 (8-12)
};

InverseTerms InverseTermsFor(double a, double b) {
    InverseTerms s{};
    const double e2 = datums::EccentricitySquared({a, b});
    s.e2 = e2;
    s.meridianFactor = (((1 - e2 / 4) - (pow(e2, 2) * 3) / 64) - (pow(e2, 3) * 5) / 256) * a;
    const double root = pow(1 - e2, 0.5);
    const double e1 = (1 - root) / (root + 1);  // (3-24)
    const double e1cubed = pow(e1, 3);
    s.c6 = (e1cubed * 151) / 96;
    s.c2 = (e1 * 3) / 2 - (e1cubed * 27) / 32;
    s.c4 = (pow(e1, 2) * 21) / 16 - (pow(e1, 4) * 55) / 32;
    s.ep2 = e2 / (1 - e2);
    return s;
}

}  // namespace

GridPoint GeoToUtm(double latitude, double longitude, const EllipsoidAxes& axes, zones::ForcedZone forced,
                   std::int16_t zoneOutside) {
    const zones::ZoneChoice zone = zones::UtmZoneFor(longitude, forced, zoneOutside);
    const double a = axes.a;
    const double phi = latitude;
    const double lambda = longitude;
    const ForwardTerms s = datums::ForEllipsoid<ForwardTermsFor>(axes.a, axes.b);
    const double e2 = s.e2;
    const double ep2 = s.ep2;
    const double ep4 = s.ep4;

    // The meridian arc S from the equator to phi.
    const double T0 = ((s.A * phi) * constants::kDecimalPi) / 180;
    const double T2 = (s.B / 2) * std::sin(DegToRad(phi + phi));
    const double T4 = (s.C / 4) * std::sin(DegToRad(phi * 4));
    const double T6 = (s.D / 6) * std::sin(DegToRad(phi * 6));
    const double T8 = (s.E / 8) * std::sin(DegToRad(phi * 8));
    const double T10 = (s.F / 10) * std::sin(DegToRad(phi * 10));
    const double S = ((((((T0 - T2) + T4) - T6) + T8) - T10) * a) * (1 - e2);

    const double sphi = std::sin(DegToRad(phi));
    const double cphi = std::cos(DegToRad(phi));
    const double tphi = std::tan(DegToRad(phi));
    const double N = a / pow(1 - pow(sphi, 2) * e2, 0.5);
    // The difference of longitude in units of 10^4 seconds of arc.
    const double p = std::fabs(((static_cast<double>(zone.centralMeridian) - lambda) * 0.0001) * 3600);
    const SecondOfArc& second = SineOfOneSecond();
    const double s1 = second.s1;
    const double k0 = constants::kUtmScale;

    // Each power the series uses more than once is taken once: the same call
    // with the same argument, so the same value.
    const double cphi2 = pow(cphi, 2);
    const double cphi3 = pow(cphi, 3);
    const double cphi5 = pow(cphi, 5);
    const double tphi2 = pow(tphi, 2);
    const double tphi4 = pow(tphi, 4);
    const double sphi2 = pow(sphi, 2);

    const double I = S * k0;
    const double II = (pow(10, 8) * ((second.s1p2 * ((sphi * N) * cphi)) * k0)) / 2;
    const double III = pow(10, 16) * ((((second.s1p4 * (cphi3 * (sphi * N))) / 24) *
                                       ((pow(cphi, 4) * (ep4 * 4)) + ((cphi2 * (ep2 * 9)) + (5 - tphi2)))) *
                                      k0);
    const double IV = pow(10, 4) * (((cphi * N) * s1) * k0);
    const double V = pow(10, 12) * ((((cphi2 * ep2) + (1 - tphi2)) * ((second.s1p3 * (cphi3 * N)) / 6)) * k0);
    const double A6 = pow(10, 24) * ((((second.s1p6 * (cphi5 * ((pow(p, 6) * N) * sphi))) / 720) *
                                      (((cphi2 * (ep2 * 270)) + (tphi4 + (61 - tphi2 * 58))) - sphi2 * (ep2 * 330))) *
                                     k0);
    const double B5 = pow(10, 20) * ((((second.s1p5 * (cphi5 * (pow(p, 5) * N))) / 120) *
                                      (((cphi2 * (ep2 * 14)) + (tphi4 + (5 - tphi2 * 18))) - sphi2 * (ep2 * 58))) *
                                     k0);

    const double K = ((pow(p, 4) * III) + ((pow(p, 2) * II) + I)) + A6;
    const double deltaE = ((pow(p, 3) * V) + (IV * p)) + B5;
    GridPoint point;
    point.zone = zone.zone;
    point.centralMeridian = zone.centralMeridian;
    point.northing = constants::kFalseNorthing - K;
    point.easting = lambda < static_cast<double>(zone.centralMeridian) ? constants::kFalseEasting + deltaE
                                                                      : constants::kFalseEasting - deltaE;
    return point;
}

datums::LatLon UtmToGeo(std::int16_t zone, double northing, double easting, const EllipsoidAxes& axes) {
    const double a = axes.a;
    const InverseTerms s = datums::ForEllipsoid<InverseTermsFor>(axes.a, axes.b);
    const double e2 = s.e2;
    const double d2r = angles::kRadiansPerDegree;
    const double r2d = angles::kDegreesPerRadian;
    const std::int16_t lambda0 = zones::SignedCentralMeridian(zone);

    const double x = easting - constants::kFalseEasting;
    const double y = northing - constants::kFalseNorthing;
    const double M = y / constants::kUtmScale;                                          // (8-20)
    const double mu = M / s.meridianFactor;                                             // (7-19)
    const double phi1 =                                                                 // (3-26)
        ((s.c6 * std::sin(mu * 6)) + (((s.c2 * std::sin(mu + mu)) + mu) + (s.c4 * std::sin(mu * 4)))) * r2d;
    const double ep2 = s.ep2;
    const double footpoint = phi1 * d2r;
    const double C1 = pow(std::cos(footpoint), 2) * ep2;                                // (8-21)
    const double sinSquared = pow(std::sin(footpoint), 2);
    const double N1 = a / pow(1 - sinSquared * e2, 0.5);                                // (8-23)
    const double T1 = pow(std::tan(footpoint), 2);                                      // (8-22)
    const double R1 = ((1 - e2) * a) / pow(1 - sinSquared * e2, 1.5);                   // (8-24)
    const double D = x / (N1 * constants::kUtmScale);                                   // (8-25)
    const double Q =
        (pow(D, 2) / 2 - (pow(D, 4) * (((((T1 * 3) + 5) + (C1 * 10)) - pow(C1, 2) * 4) - ep2 * 9)) / 24) +
        (pow(D, 6) * (((((pow(T1, 2) * 45) + (((T1 * 90) + 61) + (C1 * 298))) - ep2 * 252) - pow(C1, 2) * 3))) /
            720;
    const double phi = phi1 - (((std::tan(footpoint) * N1) / R1) * Q) * r2d;            // (8-17)
    const double L =
        ((pow(D, 5) * ((pow(T1, 2) * 24) + ((((5 - (C1 + C1)) + (T1 * 28)) - pow(C1, 2) * 3) + (ep2 * 8)))) /
         120) +
        (D - (pow(D, 3) * (((T1 + T1) + 1) + C1)) / 6);
    const double lambda = ((L / std::cos(footpoint)) * r2d) + static_cast<double>(lambda0);  // (8-18)
    return {std::fabs(phi), std::fabs(lambda)};
}

}  // namespace trevalco::utm
