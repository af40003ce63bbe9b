// `trevalco-cli convert`: converts points read from a stream, one a line.
#pragma once

#include <cstdio>

namespace trevalco::cli {

// Runs the command with the arguments that follow "convert".
int RunConvert(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace trevalco::cli
