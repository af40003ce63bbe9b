#include "BandShifts.h"

#include <cstddef>

namespace trevalco::bands {

namespace {

// From SIRGAS to one local datum: the three bands, then the rest (absent for
// PSAD56).
struct LocalShifts {
    std::array<datums::Shift, 3> bands;
    std::optional<datums::Shift> elsewhere;
};

constexpr LocalShifts kToPsad56{{{{302, -272, 360}, {328, -340, 329}, {352, -403, 287}}}, std::nullopt};
constexpr LocalShifts kToSad69{{{{59, 11, 52}, {64, 0, 32}, {72, -10, 32}}}, datums::Shift{79, -13, 14}};

// The band of a signed latitude: the first excludes its north limit, 17 S;
// the other two hold theirs, 26 S and 36 S; none holds its south limit.
std::optional<std::size_t> BandOf(double latitude) {
    if (latitude < -kLimits[0] && latitude > -kLimits[1]) return 0;
    for (std::size_t band = 1; band < 3; ++band)
        if (latitude <= -kLimits[band] && latitude > -kLimits[band + 1]) return band;
    return std::nullopt;
}

class Bands final : public ShiftSource {
public:
    std::optional<datums::Shift> Lookup(DirectionKey key, double signedLatitude) const override {
        return BandShifts(key, signedLatitude);
    }
};

}  // namespace

std::optional<datums::Shift> BandShifts(DirectionKey key, double latitude) {
    const LocalShifts& shifts = datums::LocalDatumOf(key) == Datum::Psad56 ? kToPsad56 : kToSad69;
    const std::optional<std::size_t> band = BandOf(latitude);
    const std::optional<datums::Shift> toLocal = band ? shifts.bands[*band] : shifts.elsewhere;
    if (toLocal && datums::SourceOf(key) != Datum::Sirgas) return toLocal->Inverse();
    return toLocal;
}

const ShiftSource& ProgramBands() {
    static const Bands bands;
    return bands;
}

}  // namespace trevalco::bands
