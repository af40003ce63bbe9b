// The ellipsoid of each datum, and the choice of source and target ellipsoid
// for a transformation direction.
#pragma once

#include "Types.h"

namespace trevalco::Parametros {

inline constexpr EllipsoidAxes kSirgas{6378137.0, 6356752.3141};  // GRS80
inline constexpr EllipsoidAxes kPsad56{6378388.0, 6356911.946};   // International 1924
inline constexpr EllipsoidAxes kSad69{6378160.0, 6356774.719};    // South American 1969

// Writes the axes of the source datum's ellipsoid, then those of the target
// datum's. Every key selects a direction; unknown keys mean SAD69 to SIRGAS.
void SelectEllipsoids(DirectionKey key, double& sourceA, double& sourceB, double& targetA,
                      double& targetB);

}  // namespace trevalco::Parametros
