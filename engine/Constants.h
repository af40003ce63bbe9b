// The constants of the engine, each defined once with its meaning.
#pragma once

namespace trevalco::constants {

// Two values of pi are in use and must stay apart, as the documented
// results depend on both: the decimal constant the angle conversions and
// the projections write out, and the one the geocentric-to-geographic
// conversion computes as 4 * atan(1). They differ in the 15th digit, which
// moves a longitude such as 72 to 71.99999999999993.
inline constexpr double kDecimalPi = 3.14159265358979;
// 4 * atan(1) as the geocentric conversion computes it (the double nearest pi).
inline constexpr double kComputedPi = 3.141592653589793;

// UTM: the scale on the central meridian and the false origin of the
// southern hemisphere, in metres.
inline constexpr double kUtmScale = 0.9996;           // k0
inline constexpr double kFalseEasting = 500000;
inline constexpr double kFalseNorthing = 10000000;

}  // namespace trevalco::constants
