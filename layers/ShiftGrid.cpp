#include "ShiftGrid.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "EpsgShifts.h"
#include "Gdal.h"
#include "PointChain.h"

namespace trevalco::layers {

namespace {

// A run of latitudes with one shift, degrees south.
struct Band {
    double north = 0.0, south = 0.0;
    datums::Shift shift;
};

// The fewest even steps that span `span` with none longer than `step`.
int StepsIn(double span, double step) { return std::max(1, static_cast<int>(std::ceil(span / step - 1e-9))); }

std::string Degrees(double latitude) {
    std::ostringstream text;
    text << latitude;
    return text.str();
}

// The bands of the asked latitudes, north to south, neighbours with the
// same shift joined.
std::vector<Band> BandsOf(const GridRequest& request, const bands::ShiftSource& source) {
    std::vector<double> edges{request.latitudes.low, request.latitudes.high};
    for (const double limit : ShiftLimits(request.shifts, request.direction))
        if (limit > request.latitudes.low && limit < request.latitudes.high) edges.push_back(limit);
    std::ranges::sort(edges);
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    std::vector<Band> found;
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        const std::optional<datums::Shift> shift = source.Lookup(request.direction, -(edges[i] + edges[i + 1]) / 2);
        if (!shift) continue;
        if (!found.empty() && found.back().south == edges[i] && found.back().shift == *shift)
            found.back().south = edges[i + 1];
        else
            found.push_back({edges[i], edges[i + 1], *shift});
    }
    return found;
}

class Layout {
public:
    Layout(const GridRequest& request, const bands::ShiftSource& source) : request_(request), source_(source) {}

    std::vector<GridPiece> Pieces(const std::vector<Band>& bands) {
        std::vector<GridPiece> strips, bodies;
        for (std::size_t b = 0; b < bands.size(); ++b) {
            const Band& band = bands[b];
            const Band* above = b > 0 && bands[b - 1].south == band.north ? &bands[b - 1] : nullptr;
            const Band* below = b + 1 < bands.size() && bands[b + 1].north == band.south ? &bands[b + 1] : nullptr;
            double north = band.north, south = band.south;
            if (const auto held = Strip(band, band.north, above, -1)) {
                if (held->shift == band.shift) north += kLimitDepth;
                strips.push_back(*held);
            }
            if (const auto held = Strip(band, band.south, below, +1)) {
                if (held->shift == band.shift) south -= kLimitDepth;
                strips.push_back(*held);
            }
            // A band the asked latitudes cut thinner than its strip is the strip alone.
            if (south > north)
                bodies.push_back(Piece("BANDA" + std::to_string(b + 1), band.shift, north, south,
                                       StepsIn(south - north, request_.step), request_.step));
        }
        strips.insert(strips.end(), bodies.begin(), bodies.end());
        return strips;
    }

private:
    // The strip a limit of `band` needs ("side" -1: its north limit, +1: its
    // south limit): inside the band when the band holds the limit against a
    // neighbour; outside the covered latitudes when the limit's own shift is
    // neither the band's nor a neighbour's. Nothing when the limit's own
    // shift is the band's with no neighbour, when it has none, or when the
    // neighbour holds it.
    std::optional<GridPiece> Strip(const Band& band, double limit, const Band* neighbour, int side) const {
        const std::optional<datums::Shift> own = source_.Lookup(request_.direction, -limit);
        if (!own) return std::nullopt;
        std::string name = "LIM" + Degrees(limit) + "S";
        std::erase(name, '.');
        if (*own == band.shift) {
            if (!neighbour) return std::nullopt;
            const double inner = limit - side * kLimitDepth;
            return Piece(name, band.shift, std::min(limit, inner), std::max(limit, inner), 1, kLimitStep);
        }
        if (neighbour) return std::nullopt;
        const double outer = limit + side * kLimitDepth;
        return Piece(name, *own, std::min(limit, outer), std::max(limit, outer), 1, kLimitStep);
    }

    GridPiece Piece(std::string name, const datums::Shift& shift, double north, double south, int rowSteps,
                    double longitudeStep) const {
        GridPiece piece;
        piece.name = std::move(name);
        piece.shift = shift;
        piece.north = north;
        piece.south = south;
        piece.east = limits::kLongitude.low;
        piece.west = limits::kLongitude.high;
        piece.rows = rowSteps + 1;
        piece.columns = static_cast<int>(std::lround((piece.west - piece.east) / longitudeStep)) + 1;
        const datums::Ellipsoids ellipsoids = datums::EllipsoidsFor(request_.direction);
        const std::size_t nodes = static_cast<std::size_t>(piece.rows) * static_cast<std::size_t>(piece.columns);
        piece.latitudeOffsets.reserve(nodes);
        piece.longitudeOffsets.reserve(nodes);
        for (int row = 0; row < piece.rows; ++row) {
            // The last row lands on the south edge itself, not a sum of steps.
            const double latitude = row + 1 == piece.rows ? south : north + row * (south - north) / rowSteps;
            for (int column = 0; column < piece.columns; ++column) {
                const double longitude =
                    column + 1 == piece.columns ? piece.east : piece.west - column * longitudeStep;
                const chain::Target target =
                    chain::CarryToTarget(-latitude, -longitude, ellipsoids, shift, zones::ForcedZone::Off());
                piece.latitudeOffsets.push_back(static_cast<float>((latitude - target.latitude) * 3600));
                piece.longitudeOffsets.push_back(static_cast<float>((longitude - target.longitude) * 3600));
            }
        }
        return piece;
    }

    const GridRequest& request_;
    const bands::ShiftSource& source_;
};

}  // namespace

std::vector<double> ShiftLimits(ShiftSet shifts, DirectionKey key) {
    if (shifts == ShiftSet::Seed) return {bands::kLimits.begin(), bands::kLimits.end()};
    const EpsgShifts& epsg = EpsgShifts::FromDatabase();
    std::vector<double> limits;
    for (const EpsgBand& band : datums::LocalDatumOf(key) == Datum::Psad56 ? epsg.Psad56() : epsg.Sad69()) {
        limits.push_back(-band.north);
        limits.push_back(-band.south);
    }
    return limits;
}

std::optional<std::string> GridRefusal(const GridRequest& request) {
    if (request.step < kFinestStep - 1e-12 || request.step > kCoarsestStep + 1e-12)
        return "el paso de la grilla va de " + Degrees(kFinestStep) + " a " + Degrees(kCoarsestStep) + " grados";
    const limits::Range& asked = request.latitudes;
    if (!(asked.low + request.step <= asked.high) || !limits::kLatitude.Holds(asked.low) ||
        !limits::kLatitude.Holds(asked.high))
        return "las latitudes van de " + Degrees(limits::kLatitude.low) + " a " + Degrees(limits::kLatitude.high) +
               " S, la primera al norte de la segunda por un paso al menos";
    if (BandsOf(request, *ShiftsFor(request.shifts)).empty())
        return "la dirección " + std::string(NameOf(request.direction)) + " no tiene parámetros (" +
               ShiftSetName(request.shifts) + ") entre " + Degrees(asked.low) + " y " + Degrees(asked.high) + " S";
    return std::nullopt;
}

ShiftGrid BuildGrid(const GridRequest& request) {
    if (const auto refusal = GridRefusal(request)) throw LayerUsageError(*refusal);
    const bands::ShiftSource& source = *ShiftsFor(request.shifts);
    ShiftGrid grid;
    grid.direction = request.direction;
    grid.shifts = request.shifts;
    const std::vector<Band> bands = BandsOf(request, source);
    for (const Band& band : bands) grid.bands.push_back({band.north, band.south});
    grid.pieces = Layout(request, source).Pieces(bands);
    return grid;
}

}  // namespace trevalco::layers
