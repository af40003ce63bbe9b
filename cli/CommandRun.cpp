#include "CommandRun.h"

#include <string>

namespace trevalco::cli {

int ShowHelp(std::string_view help, std::FILE* out) {
    std::fwrite(help.data(), 1, help.size(), out);
    return std::fflush(out) == 0 && !std::ferror(out) ? kExitOk : kExitFileError;
}

int RefuseArguments(std::string_view command, std::string_view error, std::string_view help, std::FILE* err) {
    const std::string refusal = "trevalco-cli " + std::string(command) + ": " + std::string(error) + "\n\n";
    std::fputs(refusal.c_str(), err);
    std::fwrite(help.data(), 1, help.size(), err);
    return kExitUsage;
}

bool OutputWritten(std::FILE* out, std::FILE* err, bool writtenSoFar) {
    if (writtenSoFar && std::fflush(out) == 0 && !std::ferror(out)) return true;
    std::fputs("trevalco-cli: no se pudo escribir la salida\n", err);
    return false;
}

}  // namespace trevalco::cli
