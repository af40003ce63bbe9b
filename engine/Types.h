// Shared value types of the geodetic engine.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace trevalco {

// Names a transformation direction: "SIRGAS_PSAD56", "SIRGAS_SAD69",
// "PSAD56_SIRGAS", and any other text (callers pass "") for SAD69 to SIRGAS.
using DirectionKey = std::string_view;

inline constexpr DirectionKey kSirgasToPsad56 = "SIRGAS_PSAD56";
inline constexpr DirectionKey kSirgasToSad69 = "SIRGAS_SAD69";
inline constexpr DirectionKey kPsad56ToSirgas = "PSAD56_SIRGAS";
inline constexpr DirectionKey kSad69ToSirgas = "";

// Semi-major and semi-minor axis of an ellipsoid, in metres.
struct EllipsoidAxes {
    double a = 0.0;
    double b = 0.0;
    friend bool operator==(const EllipsoidAxes&, const EllipsoidAxes&) = default;
};

// The icon a message box shows.
enum class MessageIcon { None, Information, Exclamation, Critical };

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
