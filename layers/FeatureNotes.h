// What a layer's conversion says about single features: each feature left
// out with its cause, each band limit a written feature crosses, and the
// same gathered by cause for a summary that stays a few lines long however
// many features share a cause.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "BandShifts.h"
#include "Limits.h"
#include "ShiftSet.h"
#include "VertexCarrier.h"

namespace trevalco::layers {

// Why a feature is named: the causes of leaving it out, in the order a
// summary lists them, then a band limit crossed by a feature written.
enum class Cause : std::uint8_t {
    NotFinite,            // a coordinate is not a finite number
    OutsideRange,         // a vertex north of the equator or east of Greenwich
    NoPosition,           // coordinates that give no position (UTM, or the layer's projection)
    OutOfLimits,          // outside the input limits of continental Chile
    TransformationRange,  // outside the range of the transformation
    NoParameters,         // no shift for the latitude
    Other,                // any other check of the point core
    Crossing,             // written; its vertices lie in two bands
};

inline constexpr std::size_t kCauseCount = static_cast<std::size_t>(Cause::Crossing) + 1;

// The cause of a refused vertex.
Cause CauseOf(const VertexRefusal& refusal);

// A short Spanish name of the cause, as a report's column holds it:
// "sin parámetros para la latitud".
std::string_view CauseName(Cause cause);

// Signed decimal degrees as a report writes them: "-36.25".
std::string DegreesText(double degrees);

struct FeatureNote {
    std::int64_t fid = 0;
    Cause cause = Cause::Other;
    // Signed degrees on the source datum: the refused vertex; for a
    // crossing, the limit's latitude and the longitude where the feature's
    // outline meets it. None where the vertex gives no position.
    std::optional<datums::LatLon> where;
};

// The features of one cause.
struct CauseGroup {
    static constexpr std::size_t kShownIds = 10;

    Cause cause = Cause::Other;
    std::uint64_t count = 0;
    std::vector<std::int64_t> firstIds;  // the first kShownIds, in the layer's order
    // The northmost and southmost signed latitudes concerned (none when no
    // feature of the group gave a position).
    std::optional<double> north, south;
    // NoParameters only: how many of the group the other set of shifts (the
    // program's bands or EPSG's) has a shift for, and how many SAD69 has
    // one for in the same set, when the target is PSAD56.
    std::uint64_t otherShiftsCover = 0;
    std::uint64_t sad69Covers = 0;
};

// Gathers notes into groups as a run goes; memory does not grow with the
// layer.
class CauseTally {
public:
    CauseTally(DirectionKey direction, ShiftSet shifts) : direction_(direction), shifts_(shifts) {}

    // `sameFeature`: a further note of the feature just added (another band
    // limit it crosses), which does not count it again.
    void Add(const FeatureNote& note, bool sameFeature = false);
    // The groups that have features, in the order of Cause.
    std::vector<CauseGroup> Groups() const;

private:
    DirectionKey direction_;
    ShiftSet shifts_;
    std::vector<CauseGroup> groups_{kCauseCount};
};

// The latitudes (magnitudes, degrees south) between which the local datum
// of `direction` has shifts in `shifts`; none when it has them everywhere
// (SAD69 with the program's bands).
std::optional<limits::Range> ShiftedLatitudes(DirectionKey direction, ShiftSet shifts);

}  // namespace trevalco::layers
