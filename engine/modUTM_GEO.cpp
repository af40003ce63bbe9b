#include "modUTM_GEO.h"

#include <cmath>

#include "Constants.h"
#include "Parametros.h"
#include "Types.h"

namespace trevalco::modUTM_GEO {

using std::pow;

namespace {

// Everything of the inverse series that depends only on the ellipsoid,
// written as the series writes it.
struct FootpointSeries {
    double e2;
    double meridianFactor;  // divides M to give mu
    double c2, c4, c6;      // the terms of sin(2 mu), sin(4 mu) and sin(6 mu)
    double ep2;
};

FootpointSeries SeriesFor(double a, double b) {
    FootpointSeries s{};
    const double e2 = (pow(a, 2) - pow(b, 2)) / pow(a, 2);
    s.e2 = e2;
    s.meridianFactor = (((1 - e2 / 4) - (pow(e2, 2) * 3) / 64) - (pow(e2, 3) * 5) / 256) * a;
    const double root = pow(1 - e2, 0.5);
    const double e1 = (1 - root) / (root + 1);
    const double e1cubed = pow(e1, 3);
    s.c6 = (e1cubed * 151) / 96;
    s.c2 = (e1 * 3) / 2 - (e1cubed * 27) / 32;
    s.c4 = (pow(e1, 2) * 21) / 16 - (pow(e1, 4) * 55) / 32;
    s.ep2 = e2 / (1 - e2);
    return s;
}

}  // namespace

void UtmToGeo(std::int16_t zone, double northing, double easting, double a, double b,
              double& latitude, double& longitude) {
    const FootpointSeries s = Parametros::ForEllipsoid<SeriesFor>(a, b);
    const double e2 = s.e2;
    const double d2r = constants::kDecimalPi / 180;
    const double r2d = 180 / constants::kDecimalPi;
    const std::int16_t lambda0 =
        Checked16(-Checked16(Checked16(Checked16(30 - zone) * 6) + 3));

    const double x = easting - constants::kFalseEasting;
    const double y = northing - constants::kFalseNorthing;
    const double M = y / constants::kUtmScale;
    const double mu = M / s.meridianFactor;
    const double phi1 =
        ((s.c6 * std::sin(mu * 6)) + (((s.c2 * std::sin(mu + mu)) + mu) + (s.c4 * std::sin(mu * 4)))) * r2d;
    const double ep2 = s.ep2;
    const double footpoint = phi1 * d2r;
    const double C1 = pow(std::cos(footpoint), 2) * ep2;
    const double sinSquared = pow(std::sin(footpoint), 2);
    const double N1 = a / pow(1 - sinSquared * e2, 0.5);
    const double T1 = pow(std::tan(footpoint), 2);
    const double R1 = ((1 - e2) * a) / pow(1 - sinSquared * e2, 1.5);
    const double D = x / (N1 * constants::kUtmScale);
    const double Q =
        (pow(D, 2) / 2 -
         (pow(D, 4) * (((((T1 * 3) + 5) + (C1 * 10)) - pow(C1, 2) * 4) - ep2 * 9)) / 24) +
        (pow(D, 6) *
         (((((pow(T1, 2) * 45) + (((T1 * 90) + 61) + (C1 * 298))) - ep2 * 252) - pow(C1, 2) * 3))) /
            720;
    const double phi = phi1 - (((std::tan(footpoint) * N1) / R1) * Q) * r2d;
    const double L =
        ((pow(D, 5) *
          ((pow(T1, 2) * 24) + ((((5 - (C1 + C1)) + (T1 * 28)) - pow(C1, 2) * 3) + (ep2 * 8)))) /
         120) +
        (D - (pow(D, 3) * (((T1 + T1) + 1) + C1)) / 6);
    const double lambda = ((L / std::cos(footpoint)) * r2d) + static_cast<double>(lambda0);
    latitude = std::fabs(phi);
    longitude = std::fabs(lambda);
}

}  // namespace trevalco::modUTM_GEO
