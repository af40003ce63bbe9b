// `trevalco-cli batch`: converts a worksheet as the window's batch pages do.
#pragma once

#include <cstdio>

namespace trevalco::cli {

// Runs the command with the arguments that follow "batch". The output
// workbook's path goes to `out`, messages and the progress bar to `err`.
int RunBatch(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace trevalco::cli
