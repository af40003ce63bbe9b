// The horizontal shift grid of one direction: the latitude bands of a shift
// source (the program's, or EPSG's) laid out as subgrids that PROJ's
// hgridshift, GDAL, QGIS and ArcGIS read as NTv2 or GeoTIFF grids. Every
// node's offset is the point chain's own result at that node, carried with
// the shift of the subgrid's band.
//
// PROJ takes, for a point, the first subgrid in the file whose extent holds
// it, stretched by (longitude step + latitude step) / 100000 on every side.
// Two bands meet at a limit, which one of them holds; so on the holder's
// side of every limit lies a strip kLimitDepth deep with nodes kLimitStep
// apart, ahead of every other subgrid, and that band's body starts where
// the strip ends. The limit then gets the holder's band, and a point on the
// other side gets the holder's strip only within kSliver of the limit.
// Where a limit's own shift belongs to neither side (SAD69's "elsewhere"
// shift at exactly 17 S, the north edge of its bands), the strip lies
// outside the covered latitudes. Where the limit has no shift (PSAD56 at
// 17 S and 44 S), the band beside it runs to the limit.
//
// The subgrids tile the covered area without overlapping (edges are
// shared), as NTv2 requires of grids without a parent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "BandShifts.h"
#include "Datums.h"
#include "Limits.h"
#include "ShiftSet.h"

namespace trevalco::layers {

// The strips along the limits: their nodes' spacing along the limit and
// their depth (one step across), degrees. The depth exceeds the stretch of
// any body, so that no body reaches past a strip into the band beyond it;
// and it is a fifth of the spacing along, so that PROJ, which interpolates
// a point up to 1/10000 of a step past a subgrid's edge, interpolates every
// point its stretch takes, none of them refused.
inline constexpr double kLimitStep = 0.0005;
inline constexpr double kLimitDepth = kLimitStep / 5;
// How far past a limit a point still gets the holder's strip, degrees
// (about 0.7 mm).
inline constexpr double kSliver = (kLimitStep + kLimitDepth) / 100000;

// The body's spacing: a whole fraction of a degree, from kFinestStep (a
// grid of tens of megabytes) to kCoarsestStep (bilinear interpolation
// between the nodes strays up to a quarter of a millimetre from the chain;
// twice as coarse, up to a millimetre).
inline constexpr double kDefaultStep = 0.05;
inline constexpr double kCoarsestStep = 0.1;
inline constexpr double kFinestStep = 0.01;

struct GridRequest {
    DirectionKey direction = DirectionKey::SirgasToPsad56;
    ShiftSet shifts = ShiftSet::Seed;
    double step = kDefaultStep;
    // The latitudes asked for, degrees south; the grid covers those of them
    // where the direction has a shift.
    limits::Range latitudes = limits::kLatitude;
};

// One subgrid: nodes from north to south, each row from west to east, at
// even spacings; extents as magnitudes (degrees south and west).
struct GridPiece {
    std::string name;  // "BANDA2", "LIM26S": as NTv2 names a subgrid
    datums::Shift shift;
    double north = 0.0, south = 0.0;
    double east = 0.0, west = 0.0;
    int rows = 0, columns = 0;
    // Arc seconds, north and east positive, row after row.
    std::vector<float> latitudeOffsets, longitudeOffsets;

    double LatitudeStep() const { return (south - north) / (rows - 1); }
    double LongitudeStep() const { return (west - east) / (columns - 1); }
};

struct ShiftGrid {
    DirectionKey direction = DirectionKey::SirgasToPsad56;
    ShiftSet shifts = ShiftSet::Seed;
    // The latitudes of each band covered, degrees south, north to south.
    std::vector<limits::Range> bands;
    std::vector<GridPiece> pieces;  // in the order PROJ must try them
};

// Why a request gives no grid (Spanish); nothing when it does.
std::optional<std::string> GridRefusal(const GridRequest& request);

// Lays out the grid and works out every node. Throws LayerUsageError for a
// request GridRefusal refuses; LayerError when EPSG's shifts cannot be read.
ShiftGrid BuildGrid(const GridRequest& request);

// The latitudes (degrees south) where the shifts of a set may change: the
// program's band limits, or the limits of EPSG's areas of use.
std::vector<double> ShiftLimits(ShiftSet shifts, DirectionKey key);

}  // namespace trevalco::layers
