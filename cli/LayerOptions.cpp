#include "LayerOptions.h"

#include <algorithm>
#include <iterator>

#include "ArgumentValues.h"
#include "SirgasCodes.h"

namespace trevalco::cli {

std::optional<layers::ShiftSet> ShiftSetFor(std::string_view text) {
    if (text == "seed") return layers::ShiftSet::Seed;
    if (text == "epsg") return layers::ShiftSet::Epsg;
    return std::nullopt;
}

std::optional<int> SirgasCodeFor(std::string_view text) {
    const std::optional<int> code = WholeArgument(text);
    if (!code || std::ranges::find(layers::kSirgasCodes, *code) == std::end(layers::kSirgasCodes)) return std::nullopt;
    return code;
}

}  // namespace trevalco::cli
