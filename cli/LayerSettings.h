// What `trevalco-cli layer` was asked to do.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "LayerConversion.h"
#include "LayerOptions.h"

namespace trevalco::cli {

struct ParsedLayerArguments {
    std::optional<layers::LayerRequest> request;
    std::string error;
    bool help = false;
};

// Parses the arguments that follow "layer".
ParsedLayerArguments ParseLayerArguments(int argc, const char* const* argv);

}  // namespace trevalco::cli
