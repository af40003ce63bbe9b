// trevalco-cli batch run as a user runs it: the output's path on stdout, the
// row messages on stderr with their row numbers, the exit statuses, and the
// source workbook untouched.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>

#include "RunFixture.h"

namespace trevalco::batch::test {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class BatchCommand : public ::testing::Test {
protected:
    CliRun Cli(const std::string& arguments) {
        const std::string command = std::string("'") + TREVALCO_CLI + "' batch " + arguments + " > '" +
                                    (folder / "out.txt").string() + "' 2> '" + (folder / "err.txt").string() + "'";
        const int raw = std::system(command.c_str());
        CliRun run;
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = Bytes(folder / "out.txt");
        run.err = Bytes(folder / "err.txt");
        fs::remove(folder / "out.txt");
        fs::remove(folder / "err.txt");
        return run;
    }

    std::string Quoted(const fs::path& path) const { return "'" + path.string() + "'"; }

    workbook::test::TestFolder folder;
};

TEST_F(BatchCommand, ConvertsTheSheetAndTellsEachRowsProblemWithItsNumber) {
    const fs::path source = folder / "obra.final.xlsx";
    WriteSheet(source, kSheet, {{std::string("Latitud"), std::string("Longitud")},
                                {33.45, 70.65},
                                {45.0, 72.0},
                                {{}, 70.0}});
    const std::string before = Bytes(source);

    const CliRun run = Cli(Quoted(source) + " --sheet Puntos --from dd --direction SIRGAS_PSAD56 --columns lat=A,lon=B");

    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, (folder / "obra_1.xlsx").string() + "\n");
    EXPECT_NE(run.err.find("fila 1: " + RowPrompt(1, kInvalidRowText).text + " -> se omite la fila"),
              std::string::npos) << run.err;
    EXPECT_NE(run.err.find("fila 3: ¡ No exixten Parametros para esta Latitud !"), std::string::npos);
    EXPECT_NE(run.err.find("fila 4: " + RowPrompt(4, kEmptyRowText).text), std::string::npos);
    EXPECT_EQ(run.err.find("Archivo Guardado"), std::string::npos);
    EXPECT_TRUE(run.err.ends_with("trevalco-cli batch: 1 fila convertida, 1 fila solo con sus columnas de origen, 4 "
                                  "filas omitidas; terminó en la fila 6: fin de los datos (tercera fila vacía); desplazamientos seed\n"));
    EXPECT_EQ(Bytes(source), before);

    Output out(folder / "obra_1.xlsx");
    out.ExpectRow(2, 'D', {"6297606.833", "346642.695", "33.4461474161", "70.6478833098", "6297980.173", "346825.988"});
    EXPECT_FALSE(out.Empty(3, "D"));
    EXPECT_TRUE(out.Empty(3, "F"));
}

TEST_F(BatchCommand, StopsAtABadRowWhenAskedAndStillSaves) {
    const fs::path source = folder / "datos.xlsx";
    WriteSheet(source, kSheet, {{{}, 33.0, 70.0}, {{}, 33.0, 16.0}, {{}, 34.0, 71.0}});

    const CliRun run = Cli(Quoted(source) + " --sheet Puntos --from dms --direction SIRGAS_SAD69 "
                                            "--columns latd=B,latm=X,lats=Y,lond=C,lonm=Z,lons=AA --on-bad-row stop");

    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out, (folder / "datos_1.xlsx").string() + "\n");
    EXPECT_NE(run.err.find("fila 2: " + dialogs::CellMessage("C,2", dialogs::CellPromptText(cells::CellStatus::OutOfLimits)) +
                           " -> se detiene la conversión"),
              std::string::npos) << run.err;
    EXPECT_NE(run.err.find("fila 1: " + dialogs::CellMessage("X,1", dialogs::kZeroNoticeText)), std::string::npos);
    EXPECT_TRUE(run.err.ends_with("trevalco-cli batch: 1 fila convertida, 0 filas solo con sus columnas de origen, 0 "
                                  "filas omitidas, 1 fila sin alcanzar; se detuvo en la fila 2: fila inválida (--on-bad-row stop); desplazamientos seed\n"));
    Output out(folder / "datos_1.xlsx");
    EXPECT_FALSE(out.Empty(1, "H"));
    EXPECT_TRUE(out.Empty(3, "H"));
}

// Zone 19's point read as zone 18 lies at 76.65 W: the page writes its source
// position, asks, and the report says the row keeps those columns.
TEST_F(BatchCommand, TellsThatARowPastTheRangeKeepsItsSourceColumns) {
    const fs::path source = folder / "huso19.xlsx";
    WriteSheet(source, kSheet, {{{}, 6297606.833, 346642.695}});

    const CliRun run = Cli(Quoted(source) + " --sheet Puntos --from utm --zone 18 --direction SIRGAS_SAD69");

    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("fila 1: " + RowPrompt(1, kOutOfLimitsText).text +
                           " -> la fila queda solo con sus columnas de origen\n"),
              std::string::npos) << run.err;
    EXPECT_NE(run.err.find(": 0 filas convertidas, 1 fila solo con sus columnas de origen, 4 filas omitidas;"),
              std::string::npos) << run.err;
    Output out(folder / "huso19_1.xlsx");
    out.ExpectRow(1, 'D', {"33.4499999969", "76.6500000000"});
    EXPECT_TRUE(out.Empty(1, "F"));
}

TEST_F(BatchCommand, RefusesToReplaceAnOutputUnlessTold) {
    const fs::path source = folder / "datos.xlsx";
    WriteSheet(source, kSheet, {{{}, 6297606.833, 346642.695}});
    workbook::test::Spill(folder / "datos_1.xlsx", "anterior");
    const std::string arguments = Quoted(source) + " --sheet Puntos --from utm --zone 19 --direction SIRGAS_SAD69";

    const CliRun refused = Cli(arguments);
    EXPECT_EQ(refused.status, 3);
    EXPECT_NE(refused.err.find("--overwrite"), std::string::npos);
    EXPECT_EQ(Bytes(folder / "datos_1.xlsx"), "anterior");

    const CliRun replaced = Cli(arguments + " --overwrite");
    EXPECT_EQ(replaced.status, 0) << replaced.err;
    EXPECT_NE(replaced.err.find("terminó en la fila 5: fin de los datos (cuarta fila vacía)"), std::string::npos);
    Output(folder / "datos_1.xlsx").ExpectRow(1, 'D', {"33.4499999969", "70.6500000000", "6297632.781"});
}

TEST_F(BatchCommand, FileProblemsAndUsageErrorsHaveTheirOwnStatus) {
    const fs::path source = folder / "datos.xlsx";
    WriteSheet(source, kSheet, {{{}, 33.0, 70.0}});
    workbook::test::Spill(folder / "roto.xlsx", "no es un libro");
    const fs::path zone19 = folder / "huso19.xlsx";
    WriteSheet(zone19, kSheet, {{{}, 6297606.833, 346642.695}});

    // A UTM sheet's zone is never guessed.
    const CliRun noZone = Cli(Quoted(zone19) + " --sheet Puntos --from utm --direction SIRGAS_SAD69");
    EXPECT_EQ(noZone.status, 2);
    EXPECT_NE(noZone.err.find("falta --zone"), std::string::npos) << noZone.err;

    const CliRun missing = Cli(Quoted(folder / "falta.xlsx") + " --sheet Puntos --from dd --direction SIRGAS_SAD69");
    EXPECT_EQ(missing.status, 3);
    EXPECT_NE(missing.err.find("Achivo No Encontrado"), std::string::npos);

    const CliRun broken = Cli(Quoted(folder / "roto.xlsx") + " --sheet Puntos --from dd --direction SIRGAS_SAD69");
    EXPECT_EQ(broken.status, 3);
    EXPECT_NE(broken.err.find("roto.xlsx"), std::string::npos);

    const CliRun usage = Cli(Quoted(source) + " --sheet Puntos --from dd");
    EXPECT_EQ(usage.status, 2);
    EXPECT_NE(usage.err.find("Uso: trevalco-cli batch"), std::string::npos);

    const CliRun help = Cli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--on-bad-row"), std::string::npos);

    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"datos.xlsx", "huso19.xlsx", "roto.xlsx"}));
}

}  // namespace
}  // namespace trevalco::batch::test
