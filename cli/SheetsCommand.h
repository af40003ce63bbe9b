// `trevalco-cli sheets WORKBOOK`: lists the worksheets of a workbook.
#pragma once

#include <cstdio>

namespace trevalco::cli {

// Runs the command with the arguments that follow "sheets": one worksheet
// name a line, in the workbook's order. A workbook that cannot be read gives
// its message on `err` and kExitFileError; wrong arguments kExitUsage.
int RunSheets(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace trevalco::cli
