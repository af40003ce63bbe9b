// The 16-bit integer rules of the arithmetic.
//
// Whole degrees, zones and central meridians, and the three shifts, are
// 16-bit signed integers in the documented arithmetic, and every result of
// this program must match that arithmetic to the last digit. So they are held
// as std::int16_t here, and each intermediate result that the arithmetic
// keeps in 16 bits goes through Checked16 or Truncate16: a value that leaves
// -32768..32767 is an Overflow (a refusal the front ends turn into a
// message), never a wrapped number. Only values typed far outside Chile (a
// zone of 6000, a UTM point millions of kilometres away) get there.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>

namespace trevalco {

// A value that must be held as a signed 16-bit integer does not fit: the
// engine's equivalent of an arithmetic overflow. Commands catch it and turn
// it into a message; it never escapes to the user as a crash.
class Overflow : public std::overflow_error {
public:
    using std::overflow_error::overflow_error;
};

// Throws the Overflow of a 16-bit intermediate result.
[[noreturn]] void Overflow16();

// An intermediate result of 16-bit integer arithmetic; Overflow when it
// leaves -32768..32767. Inline: the zone rule takes four a projection.
inline std::int16_t Checked16(long long value) {
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        Overflow16();
    return static_cast<std::int16_t>(value);
}

// Truncates toward zero and holds the result as a 16-bit integer (Overflow
// when it does not fit, also for NaN).
std::int16_t Truncate16(double value);

// Rounds to the nearest whole number, halves to the even neighbour, and holds
// the result as a 16-bit integer; nothing when it does not fit.
std::optional<std::int16_t> WholeNumber16(double value);

}  // namespace trevalco
