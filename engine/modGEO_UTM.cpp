#include "modGEO_UTM.h"

#include <cmath>

#include "Constants.h"
#include "Parametros.h"

namespace trevalco::modGEO_UTM {

namespace {

using std::pow;
using Util::DegToRad;

// Everything of the series that depends only on the ellipsoid.
struct EllipsoidSeries {
    double e2, ep2, ep4;
    double A, B, C, D, E, F;
};

EllipsoidSeries SeriesFor(double a, double b) {
    EllipsoidSeries s{};
    const double e = pow(pow(a, 2) - pow(b, 2), 0.5) / a;
    const double e2 = pow(e, 2);
    const double e4 = pow(e, 4);
    const double e6 = pow(e, 6);
    const double e8 = pow(e, 8);
    const double e10 = pow(e, 10);
    s.e2 = e2;
    s.ep2 = (pow(a, 2) - pow(b, 2)) / pow(b, 2);
    s.ep4 = pow(s.ep2, 2);
    s.A = 45.0 / 64 * e4 + (0.75 * e2 + 1) + 175.0 / 256 * e6 + 11025.0 / 16384 * e8 +
          43659.0 / 65536 * e10;
    s.B = 15.0 / 16 * e4 + 0.75 * e2 + 525.0 / 512 * e6 + 2205.0 / 2048 * e8 +
          72765.0 / 65536 * e10;
    s.C = 105.0 / 256 * e6 + 15.0 / 64 * e4 + 2205.0 / 4096 * e8 + 10395.0 / 16384 * e10;
    s.D = 315.0 / 2048 * e8 + 35.0 / 512 * e6 + 31185.0 / 131072 * e10;
    s.E = 3465.0 / 65536 * e10 + 315.0 / 16384 * e8;
    s.F = 693.0 / 131072 * e10;
    return s;
}

// One second of arc as the decimal degree constant, its sine and the powers
// of that sine the series uses: the same for every point.
struct SecondOfArc {
    double s1, s1p2, s1p3, s1p4, s1p5, s1p6;
};

const SecondOfArc& SecondOfArcSine() {
    static const SecondOfArc second = [] {
        const double s1 = std::sin(DegToRad(0.000277777777777778));
        return SecondOfArc{s1, pow(s1, 2), pow(s1, 3), pow(s1, 4), pow(s1, 5), pow(s1, 6)};
    }();
    return second;
}

}  // namespace

void GeoToUtm(double latitude, double longitude, double a, double b, double& northing,
              double& easting, std::int16_t& zone, std::int16_t& centralMeridian,
              Util::ForcedZone forced) {
    Util::UtmZoneFor(longitude, zone, centralMeridian, forced);
    const double phi = latitude;
    const double lambda = longitude;
    const EllipsoidSeries s = Parametros::ForEllipsoid<SeriesFor>(a, b);
    const double e2 = s.e2;
    const double ep2 = s.ep2;
    const double ep4 = s.ep4;

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
    const double p = std::fabs(((static_cast<double>(centralMeridian) - lambda) * 0.0001) * 3600);
    const SecondOfArc& second = SecondOfArcSine();
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
    const double III =
        pow(10, 16) * ((((second.s1p4 * (cphi3 * (sphi * N))) / 24) *
                        ((pow(cphi, 4) * (ep4 * 4)) + ((cphi2 * (ep2 * 9)) + (5 - tphi2)))) *
                       k0);
    const double IV = pow(10, 4) * (((cphi * N) * s1) * k0);
    const double V = pow(10, 12) * ((((cphi2 * ep2) + (1 - tphi2)) *
                                     ((second.s1p3 * (cphi3 * N)) / 6)) *
                                    k0);
    const double A6 =
        pow(10, 24) *
        ((((second.s1p6 * (cphi5 * ((pow(p, 6) * N) * sphi))) / 720) *
          (((cphi2 * (ep2 * 270)) + (tphi4 + (61 - tphi2 * 58))) -
           sphi2 * (ep2 * 330))) *
         k0);
    const double B5 =
        pow(10, 20) *
        ((((second.s1p5 * (cphi5 * (pow(p, 5) * N))) / 120) *
          (((cphi2 * (ep2 * 14)) + (tphi4 + (5 - tphi2 * 18))) -
           sphi2 * (ep2 * 58))) *
         k0);

    const double K = ((pow(p, 4) * III) + ((pow(p, 2) * II) + I)) + A6;
    northing = constants::kFalseNorthing - K;
    const double deltaE = ((pow(p, 3) * V) + (IV * p)) + B5;
    easting = lambda < static_cast<double>(centralMeridian) ? constants::kFalseEasting + deltaE : constants::kFalseEasting - deltaE;
}

}  // namespace trevalco::modGEO_UTM
