// Which latitude bands the point core takes its shifts from: the program's
// own (seed) or EPSG's published transformations of Chile (epsg).
#pragma once

#include <cstdint>

namespace trevalco::layers {

enum class ShiftSet : std::uint8_t { Seed, Epsg };

// "seed" or "epsg", as the summaries and the layers' metadata name them.
inline const char* ShiftSetName(ShiftSet set) { return set == ShiftSet::Epsg ? "epsg" : "seed"; }

}  // namespace trevalco::layers
