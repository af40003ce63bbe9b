// The ellipsoid of each datum, and the choice of source and target ellipsoid
// for a transformation direction.
#pragma once

#include "Types.h"

namespace trevalco::Parametros {

inline constexpr EllipsoidAxes kSirgas{6378137.0, 6356752.3141};  // GRS80
inline constexpr EllipsoidAxes kPsad56{6378388.0, 6356911.946};   // International 1924
inline constexpr EllipsoidAxes kSad69{6378160.0, 6356774.719};    // South American 1969

// What `Make(a, b)` works out from an ellipsoid alone (a projection's series
// terms), worked out once for each of the three datums' ellipsoids, where
// it is the same number on every call, and anew for any other.
template <auto Make>
auto ForEllipsoid(double a, double b) {
    static const auto sirgas = Make(kSirgas.a, kSirgas.b);
    static const auto psad56 = Make(kPsad56.a, kPsad56.b);
    static const auto sad69 = Make(kSad69.a, kSad69.b);
    const EllipsoidAxes axes{a, b};
    if (axes == kSirgas) return sirgas;
    if (axes == kPsad56) return psad56;
    if (axes == kSad69) return sad69;
    return Make(a, b);
}

// Writes the axes of the source datum's ellipsoid, then those of the target
// datum's. Every key selects a direction; unknown keys mean SAD69 to SIRGAS.
void SelectEllipsoids(DirectionKey key, double& sourceA, double& sourceB, double& targetA,
                      double& targetB);

}  // namespace trevalco::Parametros
