// trevalco-cli's side of LayerLink.h: it carries no layer library, and hands
// the commands that need one to the twin.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string_view>

#include "BatchSettings.h"
#include "CommandRun.h"
#include "ConvertSettings.h"
#include "GridCommand.h"
#include "LayerCommand.h"
#include "LayerLink.h"

namespace trevalco::cli {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTwinName = "trevalco-cli-layers";

// The layer and grid commands, and convert and batch with `--shifts epsg`
// or `--layer`. Arguments that do not parse stay here, to be refused here.
bool NeedsLayers(int argc, char** argv) {
    const std::string_view command = argv[1];
    if (command == "layer" || command == "grid") return true;
    if (command == "convert") {
        const Parsed<ConvertSettings> parsed = ParseConvertArguments(argc - 2, argv + 2);
        return parsed.settings && parsed.settings->shifts == layers::ShiftSet::Epsg;
    }
    if (command == "batch") {
        const Parsed<BatchSettings> parsed = ParseBatchArguments(argc - 2, argv + 2);
        return parsed.settings && (parsed.settings->layer || parsed.settings->shifts == layers::ShiftSet::Epsg);
    }
    return false;
}

// Beside this program in the build tree; in the installed package, in
// TREVALCO_TWIN_FOLDER relative to it (/usr/bin to /usr/libexec/trevalco).
fs::path TwinPath() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    const fs::path folder = error ? fs::path(".") : self.parent_path();
    const fs::path beside = folder / kTwinName;
    if (fs::exists(beside, error)) return beside;
    return (folder / TREVALCO_TWIN_FOLDER / kTwinName).lexically_normal();
}

const char* const kMissingTwin = "falta la parte del programa que lee y escribe capas (GDAL y PROJ)";

}  // namespace

std::optional<int> HandToTwin(int argc, char** argv, std::FILE* err) {
    if (argc < 2 || !NeedsLayers(argc, argv)) return std::nullopt;
    const fs::path twin = TwinPath();
    std::fflush(nullptr);
    ::execv(twin.c_str(), argv);
    std::fprintf(err, "trevalco-cli: %s: no se puede ejecutar «%s» (%s); reinstale el paquete trevalco\n",
                 kMissingTwin, twin.c_str(), std::strerror(errno));
    return kExitFileError;
}

// Reached only for commands HandToTwin has not handed on, which take the
// program's bands and write no layer; anything else is refused, never
// converted with other shifts.
const bands::ShiftSource* ShiftsFor(layers::ShiftSet set) {
    if (set == layers::ShiftSet::Epsg) throw std::runtime_error(kMissingTwin);
    return &bands::ProgramBands();
}

OpenedBatchLayer OpenBatchLayer(const BatchSettings&) { return {nullptr, kMissingTwin, false}; }

int RunLayer(int, const char* const*, std::FILE*, std::FILE* err) {
    std::fprintf(err, "trevalco-cli: %s\n", kMissingTwin);
    return kExitFileError;
}

int RunGrid(int argc, const char* const* argv, std::FILE* out, std::FILE* err) { return RunLayer(argc, argv, out, err); }

}  // namespace trevalco::cli
