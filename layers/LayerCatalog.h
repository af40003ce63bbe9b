// What a layer file holds before it is converted, for a front end that lets
// the user choose: its layers, each with its feature count and its CRS as
// PROJ's database names it, and the CRSs a layer without one may be given.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "LayerCrs.h"

namespace trevalco::layers {

struct LayerEntry {
    std::string name;
    std::int64_t features = 0;
    bool declaresCrs = false;      // the layer names a CRS (DXF and plain CSV do not)
    std::optional<LayerCrs> crs;   // the CRS, where the program can convert from it
    std::string crsText;           // "EPSG:24879 PSAD56 / UTM zone 19S", or why it cannot be used
};

// The layers of a file, in the file's order. Throws LayerError when the
// file is missing or is not a vector layer GDAL reads.
std::vector<LayerEntry> ListLayers(const std::filesystem::path& file);

// A CRS a layer without one can be given.
struct CrsChoice {
    LayerCrs crs;
    std::string text;  // "EPSG:24879 PSAD56 / UTM zone 19S"
};

// PSAD56, SAD69, WGS 84 and the default SIRGAS, each geographic and in UTM
// zones 18 and 19 south, as PROJ's database gives their codes and names.
std::vector<CrsChoice> CrsChoices();

// "EPSG:N" and the name PROJ's database gives the CRS.
std::string CrsText(int code);

}  // namespace trevalco::layers
