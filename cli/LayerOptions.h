// Values of the options the layer command shares with convert and batch.
#pragma once

#include <optional>
#include <string_view>

#include "ShiftSet.h"

namespace trevalco::cli {

// `--shifts seed|epsg`.
std::optional<layers::ShiftSet> ShiftSetFor(std::string_view text);

// `--sirgas 4326|4674|5360|8949|9148|9153|20041`.
std::optional<int> SirgasCodeFor(std::string_view text);

inline constexpr const char* kSirgasCodesText = "4326, 4674, 5360, 8949, 9148, 9153 o 20041";

}  // namespace trevalco::cli
