// The coordinate reference systems a layer can be in and written with:
// PSAD56, SAD69 and the SIRGAS side (WGS 84, SIRGAS 2000, the SIRGAS-Chile
// realisations), each geographic or in a UTM zone south; a layer may also
// be in any other projection of these datums (Web Mercator, UTM north, a
// transverse Mercator or Lambert), which PROJ takes back to geographic. Layers are
// identified through GDAL's matching against PROJ's database, and the codes
// of the output come from that database too.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <ogr_spatialref.h>

#include "SirgasCodes.h"
#include "Datums.h"

namespace trevalco::layers {

struct LayerCrs {
    Datum datum = Datum::Sirgas;
    int code = 0;             // EPSG code of the CRS
    int geographicCode = 0;   // EPSG code of its geographic CRS
    std::optional<int> zone;  // UTM zone south; none: geographic, or `projection`
    // Another projection of the datum, as proj_create reads it ("EPSG:3857");
    // empty for geographic and UTM south, which the point core reads itself.
    std::string projection{};
    std::string name{};  // a CRS without an EPSG code (code 0) is named by its own name
};

// "EPSG:3857", or the name of a CRS without an EPSG code.
std::string CrsLabel(const LayerCrs& crs);

// A CRS, or why it cannot be used (Spanish).
struct CrsReading {
    std::optional<LayerCrs> crs;
    std::string error;
};

// The layer's CRS: the best EPSG match of PROJ's database; a projection
// without one is taken when its geographic CRS has one.
CrsReading IdentifyCrs(const OGRSpatialReference& srs);

// The CRS of `--source-crs` ("EPSG:24879", also "24879").
CrsReading CrsFromArgument(std::string_view text);

// The geographic code of a datum (`sirgas` for the SIRGAS side).
int GeographicCode(Datum datum, int sirgas);

// The datum's CRS in UTM zone `zone` south, from the names of PROJ's
// database ("SIRGAS-Chile 2021 / UTM zone 19S"); none when it has none.
std::optional<int> UtmCode(int geographicCode, int zone);

// The CRS of a code, with easting or longitude first as layers store them.
OGRSpatialReference SpatialReference(int code);

}  // namespace trevalco::layers
