#include "Parametros.h"

namespace trevalco::Parametros {

void SelectEllipsoids(DirectionKey key, double& sourceA, double& sourceB, double& targetA,
                      double& targetB) {
    EllipsoidAxes source = kSad69;
    EllipsoidAxes target = kSirgas;
    if (key == kSirgasToPsad56) {
        source = kSirgas;
        target = kPsad56;
    } else if (key == kSirgasToSad69) {
        source = kSirgas;
        target = kSad69;
    } else if (key == kPsad56ToSirgas) {
        source = kPsad56;
        target = kSirgas;
    }
    sourceA = source.a;
    sourceB = source.b;
    targetA = target.a;
    targetB = target.b;
}

}  // namespace trevalco::Parametros
