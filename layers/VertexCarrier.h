// Every vertex of a layer through the point core, as GDAL's geometries hand
// their coordinates to a coordinate transformation: points, lines, rings of
// polygons with their holes, and the parts of multi-geometries alike. Z and
// M are left as they are. Each vertex gets the shift of its own latitude;
// what the feature met on the way (a vertex the core did not carry, vertices
// in two bands) is kept until the next feature starts.
//
// Layer coordinates are signed: a vertex north of the equator or east of
// Greenwich lies outside the range and is refused before the core, which
// takes magnitudes and would fold it into Chile.
#pragma once

#include <ogr_spatialref.h>

#include <optional>
#include <vector>

#include "PointChain.h"
#include "PointCore.h"

namespace trevalco::layers {

struct CarrySetup {
    DirectionKey direction = DirectionKey::SirgasToPsad56;
    std::optional<int> sourceZone;  // UTM input in that zone; none: longitude, latitude
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
};

class VertexCarrier final : public OGRCoordinateTransformation {
public:
    explicit VertexCarrier(CarrySetup setup);

    // Forgets what the previous feature met.
    void StartFeature();
    // The first vertex of the feature that was not carried.
    const std::optional<VertexRefusal>& Refused() const { return refused_; }
    // The limit latitudes (signed) between the bands of the feature's
    // vertices, in the order they were met.
    const std::vector<double>& Limits() const { return limits_; }

    int Transform(int count, double* x, double* y, double* z, double* t, int* success) override;
    OGRSpatialReference* GetSourceCS() override { return nullptr; }
    OGRSpatialReference* GetTargetCS() override { return nullptr; }
    OGRCoordinateTransformation* Clone() const override { return new VertexCarrier(setup_); }
    OGRCoordinateTransformation* GetInverse() const override { return nullptr; }

    // One vertex: the target, or the refusal.
    bool Carry(double& x, double& y, VertexRefusal& refusal, double& sourceLatitude,
               datums::Shift& shift) const;

private:
    std::optional<datums::Shift> LookupAt(double signedLatitude) const;
    double LimitBetween(double northLatitude, double southLatitude) const;
    void NoteBand(double signedLatitude, const datums::Shift& shift);

    CarrySetup setup_;
    core::Settings settings_;
    std::optional<VertexRefusal> refused_;
    std::vector<double> limits_;
    bool hasBand_ = false;
    double bandLatitude_ = 0.0;
    datums::Shift band_;
};

}  // namespace trevalco::layers
