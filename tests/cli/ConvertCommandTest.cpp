// trevalco-cli convert: lines on stdin, ten fields a line on stdout, the
// reasons on stderr with their line numbers, and the exit status.
#include <algorithm>
#include <sstream>

#include "CliRunner.h"
#include "WorkedPoints.h"

namespace trevalco::cli::test {
namespace {

using ConvertCommand = CliFixture;

const std::string kWorked =
    "33.4500000000\t70.6500000000\t6297606.833\t346642.695\t19\t"
    "33.4496588124\t70.6493505358\t6297632.781\t346701.908\t19";
const std::string kStars = "*\t*\t*\t*\t*\t*\t*\t*\t*\t*";
const std::string kWorkedComma =
    "33,4500000000;70,6500000000;6297606,833;346642,695;19;33,4496588124;70,6493505358;6297632,781;346701,908;19";

// The worked points, as a user converts them, one process a point.
TEST_F(ConvertCommand, WorkedPoints) {
    for (const trevalco::test::WorkedPoint& p : trevalco::test::LoadWorkedPoints()) {
        SCOPED_TRACE(p.direction + " " + p.from + " " + p.input + " zone " + std::to_string(p.forcedZone));
        std::string arguments = "convert --direction " + p.direction + " --from " + p.from;
        if (p.forcedZone) arguments += " --force-zone " + std::to_string(p.forcedZone);
        const CliRun run = Cli(arguments, p.input + "\n");
        const bool converted = p.expected[9] != "*";
        EXPECT_EQ(run.status, converted ? 0 : 1) << run.err;
        ASSERT_TRUE(run.out.ends_with('\n'));
        trevalco::test::ExpectWorkedFields(p, trevalco::test::SplitTabs(run.out.substr(0, run.out.size() - 1)));
    }
}

TEST_F(ConvertCommand, EachLineGivesItsOutputLineAndTheStatusSaysIfAllWereConverted) {
    struct Case {
        std::string arguments, input, out, err;
        int status;
    };
    const std::vector<Case> cases = {
        // A blank line stays blank; a last line without its line end is converted.
        {"--direction SIRGAS_SAD69", "33.45 70.65\n\n-33.45\t-70.65\r\n33.45 70.65",
         kWorked + "\n\n" + kWorked + "\n" + kWorked + "\n", "", 0},
        {"--direction PSAD56_SIRGAS", "33.45 70.65\n45 72\nabc 70 nota\n", "\t*\t*\t*\t*\t*\n" + kStars + "\tnota\n",
         "trevalco-cli: línea 2: ¡ No exixten Parametros para esta Latitud !: latitud 45.0000; PSAD56 tiene parámetros "
         "solo entre 17 y 44 sur\n"
         "trevalco-cli: línea 3: Contiene Datos Inválidos: «abc» no es un número\n", 1},
        // EPSG's SAD69 transformations leave out 43.5 to 52 S.
        {"--direction SIRGAS_SAD69 --shifts epsg", "47 72\n",
         "47.0000000000\t72.0000000000\t4790467.152\t728069.565\t18\t*\t*\t*\t*\t*\n",
         "trevalco-cli: línea 1: ¡ No exixten Parametros para esta Latitud !: latitud 47.0000; ninguna transformación de "
         "EPSG de SAD69 para Chile la cubre (--shifts epsg)\n", 1},
        // A spreadsheet's "CSV UTF-8": a byte-order mark, names in front, elevations after.
        {"--direction SIRGAS_SAD69 --delimiter ';' --decimal-comma --skip-fields 1",
         "\xEF\xBB\xBF" "P1;33,45;70,65;512,4\r\n\"P;2\";x;70\r\n",
         "P1;" + kWorkedComma + ";512,4\n\"P;2\";*;*;*;*;*;*;*;*;*;*\n",
         "trevalco-cli: línea 2: Contiene Datos Inválidos: «x» no es un número\n", 1},
        // The source known but not carried: its fields and the rest of the line stay.
        // An overlong line is refused, not held.
        {"--direction SIRGAS_SAD69", std::string(200000, '1') + "\n33.45 70.65\n", kStars + "\n" + kWorked + "\n",
         "trevalco-cli: línea 1: Contiene Datos Inválidos.\n", 1},
        // Each refusal says what the line held and what to do; a header passes through.
        {"--direction sirgas_sad69 --skip-lines 1", "Lat Lon\n70.65 33.45\n33,45 70,65\n",
         "Lat Lon\n" + kStars + "\n" + kStars + "\n",
         "trevalco-cli: línea 2: Fuera de Limites: latitud 70.65 fuera de 17..56; ¿latitud y longitud invertidas?\n"
         "trevalco-cli: línea 3: Contiene Datos Inválidos: «33,45» no es un número; use --decimal-comma\n", 1},
        {"--direction SIRGAS_SAD69 --from utm", "6297606.833 346642.695\n6297606.833 346642.695 -19\n",
         kStars + "\n" + kStars + "\n",
         "trevalco-cli: línea 1: Contiene Datos Vacios: la línea UTM no trae su zona; use --zone\n"
         "trevalco-cli: línea 2: ¡ Coordenadas Fuera de Límites !: zona -19 fuera de 1..60\n", 1},
        {"--direction SIRGAS_SAD69 --from utm --zone 19", "6297606.833 346642.695 18 cota\n",
         "33.4499999969\t76.6500000000\t6297606.833\t346642.695\t18\t*\t*\t*\t*\t*\tcota\n",
         "trevalco-cli: línea 1: Fuera de Limites: longitud 76.6500 fuera de 66..76, donde se aplica la transformación; "
         "revise la zona\n", 1},
        // Whole degrees of 56 pass their cell check; the minutes take the point past the range.
        {"--direction SIRGAS_SAD69 --from dms", "56 30 0 70 0 0\n",
         "56.5000000000\t70.0000000000\t3737821.516\t438441.002\t19\t*\t*\t*\t*\t*\n",
         "trevalco-cli: línea 1: Fuera de Limites: latitud 56.5000 fuera de 17..56, donde se aplica la transformación\n",
         1},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli("convert " + c.arguments, c.input);
        EXPECT_EQ(run.status, c.status) << c.input;
        EXPECT_TRUE(run.out.ends_with(c.out)) << run.out;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), std::count(c.input.begin(), c.input.end(), '\n') +
                                                                       (c.input.ends_with('\n') ? 0 : 1));
        EXPECT_EQ(run.err, c.err);
    }
}

TEST_F(ConvertCommand, UsageErrorsExitWithTwo) {
    for (const char* arguments : {"", "convert --direction NORTE", "convert --zone 19", "convert --force-zone 15",
                                  "convert --delimiter :", "convert --delimiter , --decimal-comma", "frobnicate"}) {
        const CliRun run = Cli(arguments, "33.45 70.65\n");
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_NE(run.err.find("Uso:"), std::string::npos) << arguments;
    }
    EXPECT_NE(Cli("convert --bogus").err.find("opción desconocida: --bogus"), std::string::npos);
}

// Without its twin, trevalco-cli converts with its own bands and refuses
// what needs the layer library, never falling back to other shifts.
TEST_F(ConvertCommand, WithoutItsLayerTwinRefusesEpsgShifts) {
    const fs::path alone = folder / "trevalco-cli";
    fs::copy_file(TREVALCO_CLI, alone);
    const auto run = [&](const std::string& arguments) {
        return std::system(("echo 33.45 70.65 | '" + alone.string() + "' " + arguments + " > /dev/null 2>&1").c_str());
    };
    EXPECT_EQ(WEXITSTATUS(run("convert")), 0);
    EXPECT_EQ(WEXITSTATUS(run("convert --shifts epsg")), 3);
    EXPECT_EQ(WEXITSTATUS(run("layer a.gpkg b.gpkg --to sirgas")), 3);
}

TEST_F(ConvertCommand, ManyBatchesKeepTheirOrderLineNumbersAndPassedFields) {
    // Enough lines for several rounds of batches on every core.
    std::string input;
    const int lines = 40000;
    for (int i = 0; i < lines; ++i)
        input += (i == 30001 ? "x 70" : (i % 2 ? "20 70" : "40 72")) + std::string(" P") + std::to_string(i) + "\n";
    const CliRun run = Cli("convert --direction SIRGAS_SAD69", input);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "trevalco-cli: línea 30002: Contiene Datos Inválidos: «x» no es un número\n");
    std::istringstream out(run.out);
    int count = 0;
    for (std::string line; std::getline(out, line); ++count) {
        const char* start = count == 30001 ? "*\t" : count % 2 ? "20.0000000000\t70.0000000000" : "40.0000000000\t72.0000000000";
        ASSERT_TRUE(line.starts_with(start) && line.ends_with("\tP" + std::to_string(count))) << count << ": " << line;
    }
    EXPECT_EQ(count, lines);
}

}  // namespace
}  // namespace trevalco::cli::test
