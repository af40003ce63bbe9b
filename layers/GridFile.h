// A shift grid written for PROJ, GDAL, QGIS and ArcGIS, through GDAL's
// drivers:
//   .gsb  NTv2: one subgrid a piece, none with a parent; four Float32
//         bands (latitude and longitude offsets in arc seconds, longitude
//         positive west, then the accuracies GDAL leaves at -1, unknown).
//         The file header names the producer (VERSION TREVALCO), the
//         datums (SYSTEM_F, SYSTEM_T) and their ellipsoids' axes; each
//         subgrid the program's version (CREATED) and the shifts' source
//         (UPDATED: SEED or EPSG).
//   .tif  PROJ's GeoTIFF grid: one IFD a piece, TYPE=HORIZONTAL_OFFSET,
//         latitude_offset and longitude_offset in arc seconds (positive
//         east), nodes as points, each IFD named (grid_name) and without a
//         parent, the source datum's CRS in the GeoKeys; the first IFD's
//         description says what the grid is.
// The file appears only whole, as every output of the program does
// (LayerOutput.h).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "ShiftGrid.h"

namespace trevalco::layers {

enum class GridFormat : std::uint8_t { Ntv2, GeoTiff };

// The format of a file name's extension (.gsb; .tif or .tiff), in any case.
std::optional<GridFormat> GridFormatOf(const std::filesystem::path& path);

// What the header says besides the grid itself.
struct GridLabel {
    std::string version;  // the program's
};

// Writes `grid` to `output` in the format of its extension. Throws
// LayerUsageError for an extension it does not write, LayerError when the
// file cannot be written (or is there already and `overwrite` is false).
void WriteGrid(const ShiftGrid& grid, const GridLabel& label, const std::filesystem::path& output, bool overwrite);

// "Trevalco 1.1: PSAD56 a SIRGAS, bandas del programa (seed)": the grid in words.
std::string GridDescription(const ShiftGrid& grid, const GridLabel& label);

}  // namespace trevalco::layers
