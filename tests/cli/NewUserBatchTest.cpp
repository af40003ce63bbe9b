// What a new user met with `trevalco-cli batch`, item by item: an output open
// in LibreOffice, the output's name, and arguments that say what is wrong.
#include "CliRunner.h"

namespace trevalco::cli::test {
namespace {

using workbook::test::Slurp;
using workbook::test::Spill;

class NewUserBatch : public CliFixture {
protected:
    NewUserBatch() { Spill(folder / "puntos.csv", "Punto;Latitud;Longitud\nP1;33,45;70,65\n"); }
    std::string Batch(const std::string& more) const {
        return "batch " + Quoted("puntos.csv") + " --sheet puntos --from dd --direction SIRGAS_SAD69 " + more;
    }
};

const std::string kConverted = "P1;33,45;70,65;6297606,833;346642,695;33,4496588124;70,6493505358;6297632,781;346701,908";

// LibreOffice's lock file beside the output: refused, naming who has it
// open, unless --ignore-lock; the lock of an output given with -o is the one
// beside that output.
TEST_F(NewUserBatch, AnOutputOpenInLibreOfficeIsReplacedOnlyWhenTold) {
    struct Case {
        std::string lock, arguments, said;
        int status;
    };
    const std::vector<Case> cases = {
        {"Ana Pérez,ana,pc-ana,06.12.2026 20:15,file:///home/ana/.config/libreoffice/4;", "--overwrite",
         "usuario Ana Pérez, equipo pc-ana, desde 06.12.2026 20:15", 3},
        {",ana,pc-ana,06.12.2026 20:15,file:///home/ana/.config/libreoffice/4;", "--overwrite",
         "usuario ana, equipo pc-ana", 3},
        {"", "", "use --ignore-lock", 3},
        {",ana,pc-ana,06.12.2026 20:15,x;", "--overwrite --ignore-lock", "", 0},
    };
    for (const Case& c : cases) {
        Spill(folder / "puntos_1.csv", "anterior");
        Spill(folder / ".~lock.puntos_1.csv#", c.lock);
        const CliRun run = Cli(Batch(c.arguments));
        EXPECT_EQ(run.status, c.status) << c.lock << run.err;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
        EXPECT_EQ(Slurp(folder / "puntos_1.csv") == "anterior", c.status != 0);
    }
    fs::create_directory(folder / "otra");
    Spill(folder / "otra" / ".~lock.res.csv#", ",luis,pc-luis,07.12.2026 08:00,x;");
    EXPECT_EQ(Cli(Batch("-o " + Quoted("otra/res.csv"))).status, 3);
}

TEST_F(NewUserBatch, ArgumentsSayWhatIsWrongAndOutputChoosesTheName) {
    Spill(folder / "puntos_1.csv", "anterior");
    struct Case {
        std::string arguments, said;
        int status;
    };
    const std::vector<Case> cases = {
        {"--sheet Otra", "sus hojas son: «puntos».", 3},
        {"--bogus", "opción desconocida: --bogus", 2},
        {"", "use --overwrite para reemplazarlo", 3},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(Batch(c.arguments));
        EXPECT_EQ(run.status, c.status) << c.arguments << run.err;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("use --overwrite para") == std::string::npos, c.arguments != "") << run.err;
    }
    const CliRun chosen = Cli("batch " + Quoted("puntos.csv") + " --sheet puntos --from dd --direction sirgas_sad69 " +
                              "-o " + Quoted("res.final.csv"));
    EXPECT_EQ(chosen.status, 0) << chosen.err;
    EXPECT_EQ(chosen.out, (folder / "res.final.csv").string() + "\n");
    EXPECT_EQ(Slurp(folder / "res.final.csv"), "Punto;Latitud;Longitud\n" + kConverted + "\n");
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"puntos.csv", "puntos_1.csv", "res.final.csv"}));
}

// The end of the data after blank rows, --on-bad-row stop at the end of the
// data, and output columns that already hold data.
TEST_F(NewUserBatch, EndOfTheDataAndOutputColumnsWithData) {
    const std::string point = "P;33,45;70,65\n";
    struct Case {
        std::string content, arguments, said;
        int status;
    };
    const std::vector<Case> cases = {
        {point + "\n" + point + "\n" + point + "\n" + point + point, "--on-bad-row stop",
         "1 fila convertida, 0 filas solo con sus columnas de origen, 0 filas omitidas, 4 filas sin alcanzar; se "
         "detuvo en la fila 2", 1},
        {point + point + point, "--on-bad-row stop",
         "3 filas convertidas, 0 filas solo con sus columnas de origen, 3 filas omitidas; terminó en la fila 6", 0},
        {"Punto;Lat;Lon;Cota\nP1;33,45;70,65;512,4;muro\nP2;x;70,65;9\n" + point, "",
         "las columnas D, E ya tienen datos en 1 filas que se van a convertir (la primera, D2); use --replace-columns", 2},
        {"Punto;Lat;Lon;Cota\nP1;33,45;70,65;512,4;muro\n", "--replace-columns", "terminó en la fila 5", 0},
    };
    for (const Case& c : cases) {
        Spill(folder / "puntos.csv", c.content);
        const CliRun run = Cli(Batch(c.arguments + " --overwrite"));
        EXPECT_EQ(run.status, c.status) << c.content << run.err;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace trevalco::cli::test
