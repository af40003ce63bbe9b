#include "Geocentric.h"

#include <cmath>

#include "Angles.h"
#include "Constants.h"
#include "NumberText.h"

namespace trevalco::geocentric {

using angles::DegToRad;

Cartesian GeoToXyz(double latitude, double longitude, const EllipsoidAxes& axes) {
    const double e2 = datums::EccentricitySquared(axes);
    const double sinLat = std::sin(DegToRad(latitude));
    const double N = axes.a / std::pow(1 - std::pow(sinLat, 2) * e2, 0.5);
    const double t = std::cos(DegToRad(latitude)) * N;
    return {std::cos(DegToRad(longitude)) * t, std::sin(DegToRad(longitude)) * t, ((1 - e2) * N) * sinLat};
}

Cartesian ShiftXyz(const Cartesian& xyz, const datums::Shift& shift) {
    return {xyz.X + static_cast<double>(shift.dX), xyz.Y + static_cast<double>(shift.dY),
            xyz.Z + static_cast<double>(shift.dZ)};
}

datums::LatLon XyzToGeo(const Cartesian& xyz, const EllipsoidAxes& axes, int maxPasses) {
    const auto [X, Y, Z] = xyz;
    const double a = axes.a;
    // This conversion turns radians to degrees with pi computed as 4 atan(1),
    // while its N takes DegToRad's decimal pi: both as documented, and the
    // results depend on each (constants::kComputedPi).
    const double pi = constants::kComputedPi;
    const double e2 = datums::EccentricitySquared(axes);
    const double p = std::pow(std::pow(Y, 2) + std::pow(X, 2), 0.5);
    double phi = (std::atan(std::pow(1 - e2, -1) * (Z / p)) / pi) * 180;
    double phiNext = phi;
    // The estimates are compared as ten-decimal texts ("##0.0000000000").
    number_text::RoundedValue phiText(phi, 10);
    for (int pass = 0; pass < maxPasses; ++pass) {
        const double N = a / std::pow(1 - std::pow(std::sin(DegToRad(phi)), 2) * e2, 0.5);
        const double c = std::cos((pi * phi) / 180);
        const double h = p / c - N;
        phiNext = (std::atan(std::pow(1 - (N * e2) / (h + N), -1) * (Z / p)) / pi) * 180;
        const number_text::RoundedValue phiNextText(phiNext, 10);
        if (phiNextText == phiText) break;
        phi = phiNext;
        phiText = phiNextText;
    }
    return {std::fabs(phiNext), std::fabs((std::atan(Y / X) / pi) * 180)};
}

}  // namespace trevalco::geocentric
