// A projected CRS's coordinates taken back to the geographic CRS it is
// built on, by PROJ: the inverse of its projection (Web Mercator, UTM north,
// a transverse Mercator or Lambert of SIRGAS), exact to PROJ's projections,
// and never a change of datum, as both CRSs share the datum. The program's
// bands then do the datum change.
#pragma once

#include <string>

#include "Proj.h"

namespace trevalco::layers {

class Unprojection {
public:
    // `definition`: what proj_create reads ("EPSG:3857", WKT). Throws
    // LayerError when PROJ cannot build the inverse.
    explicit Unprojection(const std::string& definition);

    // Easting and northing (the CRS's units) to longitude and latitude in
    // degrees, in place. False when a point has no inverse (PROJ sets it to
    // infinity).
    bool Inverse(int count, double* x, double* y) const;

private:
    proj::Context context_;
    proj::Object operation_;
};

}  // namespace trevalco::layers
