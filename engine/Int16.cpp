#include "Int16.h"

#include <cmath>
#include <limits>

namespace trevalco {

namespace {

constexpr double kLow = std::numeric_limits<std::int16_t>::min();
constexpr double kHigh = std::numeric_limits<std::int16_t>::max();

}  // namespace

void Overflow16() { throw Overflow("valor fuera del rango de un entero de 16 bits"); }

std::int16_t Truncate16(double value) {
    const double whole = std::trunc(value);
    if (!(whole >= kLow && whole <= kHigh)) throw Overflow("grados fuera del rango de un entero de 16 bits");
    return static_cast<std::int16_t>(whole);
}

std::optional<std::int16_t> WholeNumber16(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double whole = std::nearbyint(value);  // the default mode: halves to even
    if (whole < kLow || whole > kHigh) return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

}  // namespace trevalco
