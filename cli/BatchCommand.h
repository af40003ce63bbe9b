// `trevalco-cli batch`: converts a worksheet as the window's batch pages do.
#pragma once

#include <cstdio>

namespace trevalco::cli {

// Exit status of a run that stopped at a bad row (--on-bad-row stop); the
// rows done so far are saved all the same.
inline constexpr int kExitStoppedAtBadRow = 1;
// Stopped by Ctrl-C or SIGTERM: the files as they were (128 + SIGINT, as shells report it).
inline constexpr int kExitInterrupted = 130;

// Runs the command with the arguments that follow "batch". The output
// workbook's path goes to `out`, messages and the progress bar to `err`.
int RunBatch(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace trevalco::cli
