#include "modUTM_GEO.h"

#include <cmath>

#include "Constants.h"
#include "Types.h"

namespace trevalco::modUTM_GEO {

using std::pow;

void UtmToGeo(std::int16_t zone, double northing, double easting, double a, double b,
              double& latitude, double& longitude) {
    const double e2 = (pow(a, 2) - pow(b, 2)) / pow(a, 2);
    const double d2r = constants::kDecimalPi / 180;
    const double r2d = 180 / constants::kDecimalPi;
    const std::int16_t lambda0 =
        Checked16(-Checked16(Checked16(Checked16(30 - zone) * 6) + 3));

    const double x = easting - constants::kFalseEasting;
    const double y = northing - constants::kFalseNorthing;
    const double M = y / constants::kUtmScale;
    const double mu =
        M / ((((1 - e2 / 4) - (pow(e2, 2) * 3) / 64) - (pow(e2, 3) * 5) / 256) * a);
    // Powers used twice are taken once: the same call, the same value.
    const double root = pow(1 - e2, 0.5);
    const double e1 = (1 - root) / (root + 1);
    const double e1cubed = pow(e1, 3);
    const double phi1 =
        ((((e1cubed * 151) / 96) * std::sin(mu * 6)) +
         (((((e1 * 3) / 2 - (e1cubed * 27) / 32) * std::sin(mu + mu)) + mu) +
          (((pow(e1, 2) * 21) / 16 - (pow(e1, 4) * 55) / 32) * std::sin(mu * 4)))) *
        r2d;
    const double ep2 = e2 / (1 - e2);
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
