// Ranges, zone lists and band limits as messages and help state them, made
// from the constants that define them.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>
#include <string>

#include "BandShifts.h"
#include "Limits.h"
#include "NumberText.h"

namespace trevalco::dialogs {

// A bound as the messages write it: "17", "59.999".
inline std::string BoundText(double bound) { return number_text::PlainText(bound, number_text::Invariant()); }

// "17..56" for limits::kLatitude.
inline std::string RangeText(const limits::Range& range) {
    return BoundText(range.low) + ".." + BoundText(range.high);
}

// "18, 19 o 22": a list of zones, the last after "o".
inline std::string ZoneListText(std::span<const std::int16_t> zones) {
    std::string text;
    for (std::size_t i = 0; i < zones.size(); ++i) {
        if (i > 0) text += i + 1 == zones.size() ? " o " : ", ";
        text += std::to_string(zones[i]);
    }
    return text;
}

// "17 y 44": the latitudes south between which every datum has parameters
// (PSAD56 has none beyond them).
inline std::string BandRangeText() {
    return BoundText(bands::kLimits.front()) + " y " + BoundText(bands::kLimits.back());
}

}  // namespace trevalco::dialogs
