// trevalco-cli: Trevalco's conversions from a terminal or a script.
#include <cstdio>
#include <optional>
#include <string_view>

#include "BatchCommand.h"
#include "CommandRun.h"
#include "ConvertCommand.h"
#include "GridCommand.h"
#include "LayerCommand.h"
#include "LayerLink.h"
#include "SheetsCommand.h"

namespace {

const char* const kUsage =
    "Uso: trevalco-cli COMANDO [OPCIONES]\n"
    "     trevalco-cli --version | --help\n"
    "\n"
    "Comandos:\n"
    "  convert   convierte puntos leídos de la entrada estándar\n"
    "            (trevalco-cli convert --help para sus opciones)\n"
    "  sheets    lista las hojas de un libro, una por línea\n"
    "  batch     convierte los puntos de una hoja de un libro\n"
    "            (trevalco-cli batch --help para sus opciones)\n"
    "  layer     convierte una capa vectorial (GeoPackage, shapefile, KML...)\n"
    "            (trevalco-cli layer --help para sus opciones)\n"
    "  grid      escribe la grilla de desplazamientos de una dirección para\n"
    "            PROJ, QGIS y ArcGIS (trevalco-cli grid --help para sus opciones)\n"
    "\n"
    "Trevalco convierte coordenadas de Chile continental entre SIRGAS (WGS84),\n"
    "PSAD56 y SAD69.\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace trevalco::cli;
    if (const std::optional<int> status = HandToTwin(argc, argv, stderr)) return *status;
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const std::string_view command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return std::fflush(stdout) == 0 ? kExitOk : kExitFileError;
    }
    if (command == "--version") {
        std::fputs("trevalco-cli " TREVALCO_VERSION "\n", stdout);
        return std::fflush(stdout) == 0 ? kExitOk : kExitFileError;
    }
    if (command == "convert") return RunConvert(argc - 2, argv + 2, stdin, stdout, stderr);
    if (command == "sheets") return RunSheets(argc - 2, argv + 2, stdout, stderr);
    if (command == "batch") return RunBatch(argc - 2, argv + 2, stdout, stderr);
    if (command == "layer") return RunLayer(argc - 2, argv + 2, stdout, stderr);
    if (command == "grid") return RunGrid(argc - 2, argv + 2, stdout, stderr);
    std::fprintf(stderr, "trevalco-cli: comando desconocido: %s\n\n%s", argv[1], kUsage);
    return kExitUsage;
}
