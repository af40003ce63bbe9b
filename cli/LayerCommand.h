// `trevalco-cli layer`: converts a whole vector layer (GeoPackage, shapefile,
// KML, GeoJSON, FlatGeobuf, DXF, GML, CSV) between SIRGAS and PSAD56 or SAD69.
#pragma once

#include <cstdio>

namespace trevalco::cli {

// Runs the command with the arguments that follow "layer".
int RunLayer(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace trevalco::cli
