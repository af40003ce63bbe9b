// The datum shifts of the program: one three-parameter geocentric shift per
// latitude band of continental Chile, each band's shift defined once (from
// SIRGAS to PSAD56 and to SAD69), the directions back taking its negation.
//
//   band       latitudes south               SIRGAS to PSAD56     SIRGAS to SAD69
//   1          17 < lat < 26                 302, -272, 360       59, 11, 52
//   2          26 <= lat < 36                328, -340, 329       64, 0, 32
//   3          36 <= lat < 44                352, -403, 287       72, -10, 32
//   elsewhere  lat <= 17, lat >= 44          none                 79, -13, 14
//
// PSAD56 has no parameters outside its three bands; a point there gets no
// shift, and the front ends say so.
#pragma once

#include <array>
#include <optional>

#include "Datums.h"

namespace trevalco::bands {

// The latitudes that bound the bands, degrees south, north to south.
inline constexpr std::array<double, 4> kLimits{17, 26, 36, 44};

// The shift for the signed latitude (south negative); nothing when the
// direction has no parameters there (the PSAD56 directions outside 17..44 S,
// both limits excluded).
std::optional<datums::Shift> BandShifts(DirectionKey key, double latitude);

// Where the shift of a latitude comes from: the program's bands unless a
// front end hands another set (EPSG's published transformations).
class ShiftSource {
public:
    virtual ~ShiftSource() = default;
    virtual std::optional<datums::Shift> Lookup(DirectionKey key, double signedLatitude) const = 0;

protected:
    ShiftSource() = default;
    ShiftSource(const ShiftSource&) = default;
    ShiftSource& operator=(const ShiftSource&) = default;
};

// The program's bands as a shift source: the default of every front end.
const ShiftSource& ProgramBands();

}  // namespace trevalco::bands
