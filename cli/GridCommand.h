// `trevalco-cli grid`: writes the horizontal shift grid of a direction, NTv2
// (.gsb) or PROJ's GeoTIFF (.tif), that carries the program's bands into
// PROJ, QGIS, GDAL, PostGIS and ArcGIS.
#pragma once

#include <cstdio>

namespace trevalco::cli {

// Runs the command with the arguments that follow "grid".
int RunGrid(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace trevalco::cli
