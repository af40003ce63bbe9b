// What `trevalco-cli layer` was asked to do.
#pragma once

#include <vector>

#include "ArgumentParser.h"
#include "LayerConversion.h"

namespace trevalco::cli {

// The options of layer, reading into `request`.
std::vector<Option> LayerOptions(layers::LayerRequest& request);

// Parses the arguments that follow "layer".
Parsed<layers::LayerRequest> ParseLayerArguments(int argc, const char* const* argv);

}  // namespace trevalco::cli
