// Helpers shared by the engine tests.
#pragma once

#include <string>

#include "NumberText.h"

namespace trevalco::test {

// A value as the program shows it with a given number of decimals, "." as
// decimal point: the way the documented figures are written.
inline std::string Fixed(double value, int decimals) {
    std::string mask = "0.";
    mask.append(static_cast<std::size_t>(decimals), '0');
    return number_text::Format(value, mask, number_text::Invariant());
}

}  // namespace trevalco::test
