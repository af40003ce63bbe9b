// What `trevalco-cli layer` was asked to do.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "EpsgShifts.h"
#include "LayerConversion.h"

namespace trevalco::cli {

struct ParsedLayerArguments {
    std::optional<layers::LayerRequest> request;
    std::string error;
    bool help = false;
};

// Parses the arguments that follow "layer".
ParsedLayerArguments ParseLayerArguments(int argc, const char* const* argv);

// `--shifts seed|epsg`, shared by convert, batch and layer.
std::optional<layers::ShiftSet> ShiftSetFor(std::string_view text);

// `--sirgas 4326|4674|5360|8949|9148|9153|20041`.
std::optional<int> SirgasCodeFor(std::string_view text);

}  // namespace trevalco::cli
