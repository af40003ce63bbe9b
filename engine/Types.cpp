#include "Types.h"

#include <cmath>
#include <limits>

namespace trevalco {

std::int16_t Checked16(long long value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        throw Overflow("valor fuera del rango de un entero de 16 bits");
    return static_cast<std::int16_t>(value);
}

std::int16_t Truncate16(double value) {
    const double whole = std::trunc(value);
    if (!(whole >= std::numeric_limits<std::int16_t>::min() &&
          whole <= std::numeric_limits<std::int16_t>::max()))
        throw Overflow("grados fuera del rango de un entero de 16 bits");
    return static_cast<std::int16_t>(whole);
}

}  // namespace trevalco
