// What every command's run shares: its exit statuses, its answer to --help
// and to arguments it cannot take, and the last flush of its output.
#pragma once

#include <cstdio>
#include <string_view>

#include "ArgumentParser.h"

namespace trevalco::cli {

inline constexpr int kExitOk = 0;
// Some points, rows or features were not converted; or a batch run stopped
// at a bad row (--on-bad-row stop), with the rows done so far saved.
inline constexpr int kExitSomeNotConverted = 1;
inline constexpr int kExitStoppedAtBadRow = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFileError = 3;
// Stopped by Ctrl-C or SIGTERM: the files as they were (128 + SIGINT, as shells report it).
inline constexpr int kExitInterrupted = 130;

// The help asked for, on `out`: kExitOk, or kExitFileError when it cannot
// be written.
int ShowHelp(std::string_view help, std::FILE* out);

// "trevalco-cli COMMAND: ERROR", a blank line and the help, on `err`:
// kExitUsage.
int RefuseArguments(std::string_view command, std::string_view error, std::string_view help, std::FILE* err);

// Runs a command: its help (made by `help` when it is shown), its refusal
// of the arguments, or `run` with its settings.
template <typename Help, typename Settings, typename Run>
int RunCommand(std::string_view command, Help help, const Parsed<Settings>& parsed, std::FILE* out, std::FILE* err,
               Run run) {
    if (parsed.help) return ShowHelp(help(), out);
    if (!parsed.settings) return RefuseArguments(command, parsed.error, help(), err);
    return run(*parsed.settings);
}

// Flushes `out`; when it was not all written (or `writtenSoFar` says a write
// failed already), says so on `err` and returns false.
bool OutputWritten(std::FILE* out, std::FILE* err, bool writtenSoFar = true);

}  // namespace trevalco::cli
