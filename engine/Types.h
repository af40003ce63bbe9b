// Shared value types of the geodetic engine.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace trevalco {

// A transformation direction. The window reads it from its option buttons
// (DirectionOfButtons), the command line from its four names.
enum class DirectionKey : std::uint8_t { SirgasToPsad56, SirgasToSad69, Psad56ToSirgas, Sad69ToSirgas };

inline constexpr DirectionKey kSirgasToPsad56 = DirectionKey::SirgasToPsad56;
inline constexpr DirectionKey kSirgasToSad69 = DirectionKey::SirgasToSad69;
inline constexpr DirectionKey kPsad56ToSirgas = DirectionKey::Psad56ToSirgas;
inline constexpr DirectionKey kSad69ToSirgas = DirectionKey::Sad69ToSirgas;

// The direction's name on the command line: "SIRGAS_PSAD56", "SIRGAS_SAD69",
// "PSAD56_SIRGAS" or "SAD69_SIRGAS".
constexpr std::string_view NameOf(DirectionKey key) {
    switch (key) {
        case DirectionKey::SirgasToPsad56: return "SIRGAS_PSAD56";
        case DirectionKey::SirgasToSad69: return "SIRGAS_SAD69";
        case DirectionKey::Psad56ToSirgas: return "PSAD56_SIRGAS";
        case DirectionKey::Sad69ToSirgas: break;
    }
    return "SAD69_SIRGAS";
}

// The window's rule: the first of its three direction buttons that is on,
// in this order, else SAD69 to SIRGAS.
constexpr DirectionKey DirectionOfButtons(bool sirgasToPsad56, bool sirgasToSad69, bool psad56ToSirgas) {
    if (sirgasToPsad56) return kSirgasToPsad56;
    if (sirgasToSad69) return kSirgasToSad69;
    if (psad56ToSirgas) return kPsad56ToSirgas;
    return kSad69ToSirgas;
}

// Semi-major and semi-minor axis of an ellipsoid, in metres.
struct EllipsoidAxes {
    double a = 0.0;
    double b = 0.0;
    friend bool operator==(const EllipsoidAxes&, const EllipsoidAxes&) = default;
};

// A value that must be held as a signed 16-bit integer does not fit: the
// engine's equivalent of an arithmetic overflow. Commands catch it and turn it
// into a message; it never escapes to the user as a crash.
class Overflow : public std::overflow_error {
public:
    using std::overflow_error::overflow_error;
};

// Converts an intermediate result of 16-bit integer arithmetic, throwing
// Overflow when it leaves the range -32768..32767.
std::int16_t Checked16(long long value);

// Truncates toward zero and holds the result as a 16-bit integer (Overflow
// when it does not fit, also for NaN).
std::int16_t Truncate16(double value);

}  // namespace trevalco
