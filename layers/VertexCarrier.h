// Every vertex of a layer through the point core, as GDAL's geometries hand
// their coordinates to a coordinate transformation: points, lines, rings of
// polygons with their holes, and the parts of multi-geometries alike. Z and
// M are left as they are. Each vertex gets the shift of its own latitude;
// what the feature met on the way (a vertex the core did not carry, vertices
// in two bands) is kept until the next feature starts.
//
// A layer in another projection of the datum (Web Mercator, UTM north, …)
// is first taken back to longitude and latitude by PROJ.
//
// Layer coordinates are signed: a vertex north of the equator or east of
// Greenwich lies outside the range and is refused before the core, which
// takes magnitudes and would fold it into Chile.
#pragma once

#include <ogr_spatialref.h>

#include <optional>
#include <string>
#include <vector>

#include "PointChain.h"
#include "PointCore.h"
#include "Unprojection.h"

namespace trevalco::layers {

struct CarrySetup {
    DirectionKey direction = DirectionKey::SirgasToPsad56;
    std::optional<int> sourceZone;  // UTM input in that zone; none: longitude, latitude
    // A projection PROJ takes back to longitude and latitude first (Unprojection.h):
    // its CRS as proj_create reads it; empty: none.
    std::string projection{};
    std::optional<int> targetZone;  // UTM output in that zone; none: longitude, latitude
    const bands::ShiftSource* shifts = &bands::ProgramBands();
};

// Why a vertex was not carried.
enum class Refusal : std::uint8_t {
    None,
    NotFinite,     // a coordinate is NaN or infinite
    OutsideRange,  // north of the equator or east of Greenwich
    Core,          // the point core's check (`check`)
};

struct VertexRefusal {
    Refusal refusal = Refusal::None;
    core::Check check = core::Check::None;
    // Where the vertex lies on the source datum, signed degrees (south and
    // west negative), when it is known: not for a coordinate that is not a
    // number, nor for UTM values that give no position.
    std::optional<datums::LatLon> where{};
};

// A band limit met between two vertices of a feature: its signed latitude,
// and the source longitude where the segment between them crosses it.
struct BandCrossing {
    double latitude = 0.0;
    double longitude = 0.0;
};

class VertexCarrier final : public OGRCoordinateTransformation {
public:
    explicit VertexCarrier(CarrySetup setup);

    // Forgets what the previous feature met.
    void StartFeature();
    // The first vertex of the feature that was not carried.
    const std::optional<VertexRefusal>& Refused() const { return refused_; }
    // The limits between the bands of the feature's vertices, each once, in
    // the order they were met.
    const std::vector<BandCrossing>& Crossings() const { return crossings_; }

    int Transform(int count, double* x, double* y, double* z, double* t, int* success) override;
    OGRSpatialReference* GetSourceCS() override { return nullptr; }
    OGRSpatialReference* GetTargetCS() override { return nullptr; }
    OGRCoordinateTransformation* Clone() const override { return new VertexCarrier(setup_); }
    OGRCoordinateTransformation* GetInverse() const override { return nullptr; }

    // One vertex: the target, or the refusal. `source` is the vertex's
    // position on the source datum (signed degrees).
    bool Carry(double& x, double& y, VertexRefusal& refusal, datums::LatLon& source, datums::Shift& shift) const;

private:
    std::optional<datums::Shift> LookupAt(double signedLatitude) const;
    double LimitBetween(double northLatitude, double southLatitude) const;
    void NoteBand(const datums::LatLon& source, const datums::Shift& shift);

    CarrySetup setup_;
    core::Settings settings_;
    std::optional<Unprojection> unprojection_;
    std::optional<VertexRefusal> refused_;
    std::vector<BandCrossing> crossings_;
    bool hasBand_ = false;
    datums::LatLon bandVertex_;
    datums::Shift band_;
};

}  // namespace trevalco::layers
