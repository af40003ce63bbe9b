// What every page's run shares: the preconditions, an output that exists
// already or is held by another run, failing workbook operations, interim
// saves to the recovery file, the progress window closed by the user, the
// program ending during a run, leftovers of killed runs, the output name, and
// sheets longer than 32,767 rows.
#include <sys/wait.h>
#include <unistd.h>

#include "OutputLock.h"
#include "OutputName.h"
#include "TempDir.h"
#include "RunFixture.h"

namespace trevalco::batch::test {
namespace {

using Frame = RunFixture;

std::vector<TestRow> Points(int count) {
    std::vector<TestRow> rows;
    for (int i = 0; i < count; ++i) rows.push_back({{}, 20.0 + (i % 2300) * 0.01, 67.0 + (i % 900) * 0.01});
    return rows;
}

TEST_F(Frame, PreconditionsInTheirOrderOpenNothing) {
    const fs::path source = Book(Points(2));
    struct Case {
        std::string path;
        bool emptyColumn;
        std::string text, title;
    };
    const std::vector<Case> cases = {
        {"", true, "Seleccione Archivo", "Error"},
        {(folder / "falta.xlsx").string(), true, "Achivo No Encontrado", ""},
        {folder.Path().string(), false, "Achivo No Encontrado", ""},
        {source.string(), true, "Seleccione Columnas", "Error"},
    };
    for (const Case& c : cases) {
        for (PageColumns page : {PageColumns(DecimalColumns{}), PageColumns(DmsColumns{}), PageColumns(UtmColumns{})}) {
            SCOPED_TRACE(c.text);
            RunSetup setup = Setup(source, page);
            setup.workbookPath = c.path;
            if (c.emptyColumn) LetterOf(setup.columns, RolesOf(page).back().name)->clear();
            Ok();
            EXPECT_EQ(Run(std::move(setup)).end, RunEnd::Precondition);
            const auto& message = dialogs.Messages().back();
            EXPECT_EQ(std::tie(message.text, message.title, message.icon),
                      std::make_tuple(c.text, c.title, MessageIcon::Exclamation));
        }
    }
    RunSetup noZone = Setup(source, UtmColumns{});
    std::get<UtmColumns>(noZone.columns).zone.reset();
    Ok();
    EXPECT_EQ(Run(std::move(noZone)).end, RunEnd::Precondition);
    EXPECT_EQ(dialogs.Messages().back().text, "Seleccione Columnas");
    EXPECT_EQ(progress.shown, 0);
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"datos.xlsx"});
}

TEST_F(Frame, AnExistingOutputIsReplacedOnlyAfterOkAndAnyOtherIsNeverReplaced) {
    const fs::path source = Book(Points(3));
    const fs::path output = folder / "datos_1.xlsx";
    workbook::test::Spill(output, "lo que había");
    Cancel();
    EXPECT_EQ(Run(Setup(source, DecimalColumns{})).end, RunEnd::KeptOutput);
    const auto& question = dialogs.Messages().back();
    EXPECT_EQ(question.text, "Ya existe el archivo \"" + output.string() + "\". ¿Desea reemplazarlo?");
    EXPECT_EQ(std::tie(question.title, question.buttons), std::make_tuple(std::string("Advertencia"), dialogs::Buttons::OkCancel));
    EXPECT_EQ(Bytes(output), "lo que había");
    EXPECT_EQ(progress.shown, 0);

    Ok(1 + 3 + 1);
    EXPECT_EQ(Run(Setup(source, DecimalColumns{})).end, RunEnd::Completed);
    EXPECT_FALSE(Output(output).Empty(3, "I"));

    // Made by someone else while a run that was not asked to replace it works.
    fs::remove(output);
    onPump = [&] {
        if (current != nullptr && current->CurrentRow() == 2) workbook::test::Spill(output, "de otro programa");
    };
    Ok(3 + 1);
    EXPECT_EQ(Run(Setup(source, DecimalColumns{})).end, RunEnd::Failed);
    EXPECT_NE(dialogs.Messages().back().text.find("se dejó como estaba"), std::string::npos);
    EXPECT_EQ(Bytes(output), "de otro programa");
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"datos.xlsx", "datos_1.xlsx"}));
}

TEST_F(Frame, ASecondRunOnAnOutputHeldByAnotherIsRefusedAtItsStart) {
    const fs::path source = Book(Points(1));
    const auto held = workbook::OutputLock::Take(folder / "datos_1.xlsx");
    ASSERT_TRUE(held);
    Ok();

    EXPECT_EQ(Run(Setup(source, DecimalColumns{})).end, RunEnd::OutputInUse);

    const auto& message = dialogs.Messages().back();
    EXPECT_EQ(message.text, "El archivo \"" + (folder / "datos_1.xlsx").string() +
                                "\" está en uso por otra conversión (proceso " + std::to_string(::getpid()) +
                                "). Espere a que termine y vuelva a intentarlo.");
    EXPECT_EQ(std::tie(message.title, message.icon, message.buttons),
              std::make_tuple(std::string("Error"), MessageIcon::Exclamation, dialogs::Buttons::Ok));
    EXPECT_EQ(progress.shown, 0);
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{".datos_1.xlsx.en-uso", "datos.xlsx"}));
}

TEST_F(Frame, FailingWorkbookOperationsEndWithAnErrorAndLeaveNothing) {
    const fs::path source = Book(Points(3));
    const std::string before = Bytes(source);
    workbook::test::Spill(folder / "roto.xlsx", "esto no es un libro");
    const auto expectFailure = [&](RunSetup setup, const std::string& named) {
        Ok();
        const RunResult result = Run(std::move(setup));
        EXPECT_EQ(result.end, RunEnd::Failed);
        EXPECT_FALSE(result.output);
        const auto& message = dialogs.Messages().back();
        EXPECT_EQ(std::tie(message.title, message.icon, message.buttons),
                  std::make_tuple(std::string("Error"), MessageIcon::Exclamation, dialogs::Buttons::Ok));
        EXPECT_NE(message.text.find(named), std::string::npos) << message.text;
        EXPECT_EQ(progress.finished, progress.shown);
        EXPECT_EQ(Bytes(source), before);
    };
    expectFailure(Setup(folder / "roto.xlsx", DecimalColumns{}), "roto.xlsx");
    RunSetup noSheet = Setup(source, DmsColumns{});
    noSheet.sheetName = "Otra";
    expectFailure(std::move(noSheet), "Otra");
    RunSetup emptySheet = Setup(source, UtmColumns{});
    emptySheet.sheetName.clear();
    expectFailure(std::move(emptySheet), "ninguna hoja");
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"datos.xlsx", "roto.xlsx"}));

    // The output cannot be saved: a folder holds its name.
    fs::create_directory(folder / "datos_1.xlsx");
    Ok(1 + 3);  // replace it? then the three empty rows
    expectFailure(Setup(source, DecimalColumns{}), "carpeta");
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"datos.xlsx", "datos_1.xlsx", "roto.xlsx"}));
}

TEST_F(Frame, InterimSavesGoToTheRecoveryFileNoMoreOftenThanTheSpacing) {
    const fs::path source = Book(Points(4500));
    const fs::path recovery = folder / "datos_1 (incompleto).xlsx";
    workbook::test::Spill(recovery, "de una conversión que murió");
    std::vector<std::int32_t> savedAt;
    std::string last = Bytes(recovery);
    onPump = [&] {
        now += std::chrono::milliseconds(2);  // 2 ms a row: 5 s every 2500 rows
        if (current == nullptr || current->CurrentRow() % 100 != 1) return;
        EXPECT_FALSE(fs::exists(folder / "datos_1.xlsx"));
        if (const std::string saved = Bytes(recovery); saved != last) {
            savedAt.push_back(current->CurrentRow());
            last = saved;
            Output interim(recovery);  // the rows done when it was saved
            EXPECT_FALSE(interim.Empty(2999, "I"));
            EXPECT_TRUE(interim.Empty(3000, "I"));
        }
    };
    Ok(3 + 1);

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    EXPECT_EQ(result.end, RunEnd::Completed);
    EXPECT_EQ(result.interimSaves, 1);
    // Saved when row 2999 was done (the first multiple of 1000 after 5 s), seen at the next look.
    EXPECT_EQ(savedAt, (std::vector<std::int32_t>{3001}));
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"datos.xlsx", "datos_1.xlsx"}));
    EXPECT_FALSE(Output(*result.output).Empty(4500, "I"));
}

TEST_F(Frame, ClosingTheProgressWindowCountsAsCancel) {
    const fs::path source = Book(Points(10));
    progress.closeAtRow = 4;
    Ok();

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    EXPECT_EQ(result.end, RunEnd::Cancelled);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Archivo Guardado como \"datos_1.xlsx\""}));
    EXPECT_EQ(progress.finished, 1);
    Output out(*result.output);
    EXPECT_FALSE(out.Empty(3, "I"));
    EXPECT_TRUE(out.Empty(4, "I"));
}

TEST_F(Frame, TheProgramEndingStopsTheRunAndLeavesTheFilesAsTheyWere) {
    const fs::path source = Book(Points(2500));
    const std::string before = Bytes(source);
    workbook::test::Spill(folder / "datos_1.xlsx", "la salida anterior");
    onPump = [&] {
        now += std::chrono::seconds(1);
        stop = current != nullptr && current->CurrentRow() > 2200;
    };
    Ok();  // replace it?

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    EXPECT_EQ(result.end, RunEnd::Stopped);
    EXPECT_EQ(result.interimSaves, 2);
    EXPECT_EQ(dialogs.Messages().size(), 1U);
    EXPECT_EQ(progress.finished, 1);
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"datos.xlsx", "datos_1.xlsx"}));
    EXPECT_EQ(Bytes(folder / "datos_1.xlsx"), "la salida anterior");
    EXPECT_EQ(Bytes(source), before);
}

TEST_F(Frame, LeftoversOfEndedProcessesAreRemovedAndThoseOfLiveOnesKept) {
    const pid_t ended = ::fork();
    if (ended == 0) ::_exit(0);
    ::waitpid(ended, nullptr, 0);
    const std::string dead = std::to_string(ended), live = std::to_string(::getpid());
    const fs::path source = Book(Points(1));
    const fs::path tmp = workbook::TempDir::Base();
    for (const std::string& pid : {dead, live}) {
        workbook::test::Spill(folder / (".datos_1.xlsx.guardando-" + pid + "-7"), "a medias");
        workbook::test::Spill(folder / (".otro_1.xlsx.guardando-" + pid + "-7"), "a medias");
        fs::create_directories(tmp / ("trevalco-" + pid + "-prueba") / "perfil-0");
    }
    workbook::test::Spill(folder / ".otro_1.xlsx.en-uso", dead);
    Ok(3 + 1);

    EXPECT_EQ(Run(Setup(source, DecimalColumns{})).end, RunEnd::Completed);

    EXPECT_EQ(folder.Files(), (std::vector<std::string>{".datos_1.xlsx.guardando-" + live + "-7",
                                                        ".otro_1.xlsx.guardando-" + live + "-7", "datos.xlsx",
                                                        "datos_1.xlsx"}));
    EXPECT_FALSE(fs::exists(tmp / ("trevalco-" + dead + "-prueba")));
    EXPECT_TRUE(fs::exists(tmp / ("trevalco-" + live + "-prueba")));
    fs::remove_all(tmp / ("trevalco-" + live + "-prueba"));
}

TEST_F(Frame, TheOutputIsTheStemUpToTheFirstDotWithTheFormatsExtension) {
    for (const std::string name : {"datos.final.xlsx", ".oculto.xlsx", "PUNTOS.XLSX"}) {
        SCOPED_TRACE(name);
        const RunSetup setup = Setup(Book(Points(1), name), DecimalColumns{});
        Ok(3 + 1);
        const RunResult result = Run(setup);
        const std::string expected = std::string(workbook::StemOf(name)) + "_1.xlsx";
        ASSERT_TRUE(result.output);
        EXPECT_EQ(result.output->filename(), expected);
        EXPECT_EQ(dialogs.Messages().back().text, "Archivo Guardado como \"" + expected + "\"");
        EXPECT_TRUE(fs::exists(folder / expected));
    }
}

TEST_F(Frame, SheetsLongerThan32767RowsRunToTheirEnd) {
    constexpr int kRows = 40000;
    const fs::path source = Book(Points(kRows));
    Ok(3 + 1);

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    EXPECT_EQ(std::tie(result.end, result.rowsConverted, result.lastRow),
              std::make_tuple(RunEnd::Completed, kRows, kRows + 3));
    EXPECT_EQ(progress.maximum, kRows + 5);
    EXPECT_EQ(dialogs.Messages()[0].text, Prompt(kRows + 1, kEmptyRowText));
    EXPECT_FALSE(Output(*result.output).Empty(kRows, "I"));
}

}  // namespace
}  // namespace trevalco::batch::test
