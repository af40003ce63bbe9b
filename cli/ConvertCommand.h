// `trevalco-cli convert`: converts points read from a stream, one a line.
#pragma once

#include <cstdio>

namespace trevalco::cli {

// Exit statuses shared by the commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitSomeNotConverted = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFileError = 3;

// Runs the command with the arguments that follow "convert".
int RunConvert(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace trevalco::cli
