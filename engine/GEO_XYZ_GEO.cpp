#include "GEO_XYZ_GEO.h"

#include <cmath>

#include "Constants.h"
#include "NumberText.h"
#include "Util.h"

namespace trevalco::GEO_XYZ_GEO {

using Util::DegToRad;

void GeoToXyz(double latitude, double longitude, double a, double b, double& X, double& Y,
              double& Z) {
    const double e2 = (std::pow(a, 2) - std::pow(b, 2)) / std::pow(a, 2);
    const double sinLat = std::sin(DegToRad(latitude));
    const double N = a / std::pow(1 - std::pow(sinLat, 2) * e2, 0.5);
    const double t = std::cos(DegToRad(latitude)) * N;
    X = std::cos(DegToRad(longitude)) * t;
    Y = std::sin(DegToRad(longitude)) * t;
    Z = ((1 - e2) * N) * sinLat;
}

void ShiftXyz(double& X, double& Y, double& Z, std::int16_t dX, std::int16_t dY,
              std::int16_t dZ) {
    X = X + static_cast<double>(dX);
    Y = Y + static_cast<double>(dY);
    Z = Z + static_cast<double>(dZ);
}

void XyzToGeo(double X, double Y, double Z, double& latitude, double& longitude, double a,
              double b, int maxPasses) {
    const double pi = constants::kComputedPi;
    const double e2 = (std::pow(a, 2) - std::pow(b, 2)) / std::pow(a, 2);
    const double p = std::pow(std::pow(Y, 2) + std::pow(X, 2), 0.5);
    double phi = (std::atan(std::pow(1 - e2, -1) * (Z / p)) / pi) * 180;
    double phiNext = phi;
    // The estimates are compared as ten-decimal texts ("##0.0000000000").
    NumberText::RoundedValue phiText(phi, 10);
    for (int pass = 0; pass < maxPasses; ++pass) {
        const double N = a / std::pow(1 - std::pow(std::sin(DegToRad(phi)), 2) * e2, 0.5);
        const double c = std::cos((pi * phi) / 180);
        const double h = p / c - N;
        phiNext = (std::atan(std::pow(1 - (N * e2) / (h + N), -1) * (Z / p)) / pi) * 180;
        const NumberText::RoundedValue phiNextText(phiNext, 10);
        if (phiNextText == phiText) break;
        phi = phiNext;
        phiText = phiNextText;
    }
    latitude = std::fabs(phiNext);
    longitude = std::fabs((std::atan(Y / X) / pi) * 180);
}

}  // namespace trevalco::GEO_XYZ_GEO
