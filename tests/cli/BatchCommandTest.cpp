// trevalco-cli batch run as a user runs it: the output's path on stdout, the
// row messages on stderr with their row numbers, the exit statuses, and the
// source workbook untouched.
#include "CliRunner.h"
#include "RunFixture.h"

namespace trevalco::batch::test {
namespace {

using cli::test::CliRun;

class BatchCommand : public cli::test::CliFixture {
protected:
    CliRun Cli(const std::string& arguments) { return CliFixture::Cli("batch " + arguments); }
    std::string Quoted(const fs::path& path) const { return "'" + path.string() + "'"; }
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
    EXPECT_EQ(Bytes(source), before);

    const auto start = chain::StartGeographic(kSirgasToPsad56, 33.45, 70.65, Util::ForcedZone::Off());
    const auto target = chain::CarryToTarget(start.latitude, start.longitude, start.ellipsoids,
                                             start.shift.shift, Util::ForcedZone::Off());
    Output out(folder / "obra_1.xlsx");
    EXPECT_EQ(out(2, "D"), N(start.sourceUtm.northing, "########0.000"));
    EXPECT_EQ(out(2, "F"), N(target.latitude, "###0.0000000000"));
    EXPECT_EQ(out(2, "I"), N(target.utm.easting, "########0.000"));
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
    EXPECT_NE(run.err.find("fila 2: " + Util::CellMessage("C,2", Util::CellPromptText("FL")) +
                           " -> se detiene la conversión"),
              std::string::npos) << run.err;
    EXPECT_NE(run.err.find("fila 1: " + Util::CellMessage("X,1", Util::kZeroNoticeText)), std::string::npos);
    Output out(folder / "datos_1.xlsx");
    EXPECT_FALSE(out.Empty(1, "H"));
    EXPECT_TRUE(out.Empty(3, "H"));
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
    Output out(folder / "datos_1.xlsx");
    EXPECT_EQ(out(1, "D"), Util::CellValue(33.4499999969));
}

TEST_F(BatchCommand, FileProblemsAndUsageErrorsHaveTheirOwnStatus) {
    const fs::path source = folder / "datos.xlsx";
    WriteSheet(source, kSheet, {{{}, 33.0, 70.0}});
    workbook::test::Spill(folder / "roto.xlsx", "no es un libro");

    const CliRun missing = Cli(Quoted(folder / "falta.xlsx") + " --sheet Puntos --from dd --direction SIRGAS_SAD69");
    EXPECT_EQ(missing.status, 3);
    EXPECT_NE(missing.err.find("Achivo No Encontrado"), std::string::npos);

    const CliRun noSheet = Cli(Quoted(source) + " --sheet Otra --from dd --direction SIRGAS_SAD69");
    EXPECT_EQ(noSheet.status, 3);
    EXPECT_NE(noSheet.err.find("Otra"), std::string::npos);

    const CliRun broken = Cli(Quoted(folder / "roto.xlsx") + " --sheet Puntos --from dd --direction SIRGAS_SAD69");
    EXPECT_EQ(broken.status, 3);
    EXPECT_NE(broken.err.find("roto.xlsx"), std::string::npos);

    const CliRun usage = Cli(Quoted(source) + " --sheet Puntos --from dd");
    EXPECT_EQ(usage.status, 2);
    EXPECT_NE(usage.err.find("Uso: trevalco-cli batch"), std::string::npos);

    const CliRun help = Cli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--on-bad-row"), std::string::npos);

    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"datos.xlsx", "roto.xlsx"}));
}

}  // namespace
}  // namespace trevalco::batch::test
