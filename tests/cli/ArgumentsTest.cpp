// The rules every command reads its arguments by, and the options they
// share: one table, each rule for each command that has it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "BatchSettings.h"
#include "ConvertSettings.h"
#include "LayerSettings.h"

namespace trevalco::cli {
namespace {

struct Read {
    bool help = false;
    std::string error;  // empty: the arguments were taken
};

template <typename Settings>
Read Of(const Parsed<Settings>& parsed) {
    return {parsed.help, parsed.settings ? "" : parsed.error};
}

Read Parse(const std::string& command, const std::string& line) {
    std::vector<std::string> words;
    std::istringstream split(line);
    for (std::string word; split >> word;) words.push_back(word);
    std::vector<const char*> argv;
    for (const std::string& word : words) argv.push_back(word.c_str());
    const int argc = static_cast<int>(argv.size());
    if (command == "convert") return Of(ParseConvertArguments(argc, argv.data()));
    if (command == "batch") return Of(ParseBatchArguments(argc, argv.data()));
    return Of(ParseLayerArguments(argc, argv.data()));
}

const std::string kSheet = "l.xlsx --sheet H --from dd --direction SIRGAS_SAD69";

struct Case {
    std::string command, arguments;
    std::string said;  // the refusal, or empty for arguments taken
    bool help = false;
};

const std::vector<Case> kCases = {
    // Values after "=" or as the next argument; flags; aliases.
    {"convert", "--direction=psad56_sirgas --from utm --zone=19 --force-zone 22 --shifts=epsg", ""},
    {"batch", kSheet + " --force-zone=12 --sirgas 4326 --shifts seed --overwrite -o r.xlsx", ""},
    {"layer", "a.gpkg --to=sad69 b.gpkg --sirgas=20041 --shifts epsg --overwrite --target-zone 19", ""},
    {"convert", "--bogus=1", "opción desconocida: --bogus"},
    {"batch", kSheet + " --bogus", "opción desconocida: --bogus"},
    {"layer", "a b --to sirgas --bogus", "opción desconocida: --bogus"},
    {"layer", "a b --to sirgas --overwrite=1", "opción desconocida: --overwrite"},
    {"convert", "--direction", "falta el valor de --direction"},
    {"batch", "l.xlsx -o", "falta el valor de --output"},
    {"convert", "extra", "argumento inesperado: extra"},
    {"batch", kSheet + " otro.xlsx", "argumento inesperado: otro.xlsx"},
    {"layer", "a b c --to sirgas", "argumento inesperado: c"},
    // Missing operands, then missing required options, once every argument is read.
    {"batch", "--sheet H --from dd --direction SIRGAS_SAD69", "falta el libro"},
    {"layer", "a --to sirgas", "faltan la capa de entrada y la de salida"},
    {"batch", "l.xlsx --from dd --direction SIRGAS_SAD69", "falta --sheet HOJA"},
    {"batch", "l.xlsx --sheet H --direction SIRGAS_SAD69", "falta --from dd|dms|utm"},
    {"batch", "l.xlsx --sheet H --from dd", "falta --direction DIRECCIÓN"},
    {"layer", "a b", "falta --to psad56|sad69|sirgas"},
    // --help answers unless something before it is refused.
    {"convert", "--help --bogus", "", true},
    {"batch", "-h", "", true},
    {"layer", "a --to sirgas -h", "", true},
    {"convert", "--bogus --help", "opción desconocida: --bogus"},
    // The values of the shared options.
    {"convert", "--direction NORTE", "dirección desconocida: NORTE"},
    {"batch", "l.xlsx --sheet H --from dd --direction WGS84", "dirección desconocida: WGS84"},
    {"convert", "--from gms", "notación desconocida (dd, dms o utm): gms"},
    {"batch", "l.xlsx --sheet H --from gms --direction SIRGAS_SAD69", "notación desconocida (dd, dms o utm): gms"},
    {"convert", "--force-zone 14", "zona forzada inválida (12, 13, 16, 17, 18, 19, 20, 21 o 22): 14"},
    {"batch", kSheet + " --force-zone 23", "zona forzada inválida (12, 13, 16, 17, 18, 19, 20, 21 o 22): 23"},
    {"convert", "--shifts x", "--shifts admite seed o epsg: x"},
    {"layer", "a b --to sirgas --shifts x", "--shifts admite seed o epsg: x"},
    {"batch", kSheet + " --sirgas 1234", "--sirgas admite 4326, 4674, 5360, 8949, 9148, 9153 o 20041: 1234"},
    {"layer", "a b --to sirgas --sirgas 1", "--sirgas admite 4326, 4674, 5360, 8949, 9148, 9153 o 20041: 1"},
    // The layer command's own.
    {"layer", "a b --to wgs84", "--to debe ser psad56, sad69 o sirgas: wgs84"},
    {"layer", "a b --to sirgas --target-zone 20", "--target-zone debe ser 18 o 19: 20"},
    {"layer", "a b --to sirgas --target-zone 18 --geographic", "--target-zone y --geographic se excluyen"},
};

TEST(Arguments, EachCommandReadsThemByTheSameRules) {
    for (const Case& c : kCases) {
        const Read read = Parse(c.command, c.arguments);
        EXPECT_EQ(read.help, c.help) << c.command << " " << c.arguments;
        EXPECT_EQ(read.error, c.said) << c.command << " " << c.arguments;
    }
}

}  // namespace
}  // namespace trevalco::cli
