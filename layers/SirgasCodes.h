// The geographic codes of the SIRGAS side that `--sirgas` offers, and the
// default, SIRGAS-Chile 2021. Without GDAL, for the command line's options.
#pragma once

namespace trevalco::layers {

inline constexpr int kSirgasCodes[] = {4326, 4674, 5360, 8949, 9148, 9153, 20041};
inline constexpr int kDefaultSirgas = 20041;

}  // namespace trevalco::layers
