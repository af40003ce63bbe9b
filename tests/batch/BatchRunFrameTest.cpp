// What every page's run shares: the preconditions, an output that exists
// already, failing workbook operations, interim saves to the output, the
// progress window closed by the user, the program ending during a run, the
// output name, and sheets longer than 32,767 rows.
#include <sys/stat.h>

#include "OutputName.h"
#include "RunFixture.h"

namespace trevalco::batch::test {
namespace {

using Frame = RunFixture;

std::vector<TestRow> Points(int count) {
    std::vector<TestRow> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back({{}, 20.0 + (i % 2300) * 0.01, 67.0 + (i % 900) * 0.01});
    return rows;
}

void ExpectNoWindowAndNothingWritten(const RecordingProgress& progress, const workbook::test::TestFolder& folder,
                                     const std::vector<std::string>& files) {
    EXPECT_EQ(progress.shown, 0);
    EXPECT_EQ(folder.Files(), files);
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
        for (PageColumns page : {PageColumns(DecimalColumns{}), PageColumns(DmsColumns{}),
                                 PageColumns(UtmColumns{})}) {
            SCOPED_TRACE(c.text);
            RunSetup setup = Setup(source, page);
            setup.workbookPath = c.path;
            if (c.emptyColumn) LetterOf(setup.columns, RolesOf(page).back().name)->clear();
            Ok();
            const RunResult result = Run(std::move(setup));
            EXPECT_EQ(result.end, RunEnd::Precondition);
            ASSERT_FALSE(dialogs.Messages().empty());
            EXPECT_EQ(dialogs.Messages().back().text, c.text);
            EXPECT_EQ(dialogs.Messages().back().title, c.title);
            EXPECT_EQ(dialogs.Messages().back().icon, MessageIcon::Exclamation);
        }
    }
    // The UTM page without a zone.
    UtmColumns noZone;
    RunSetup setup = Setup(source, noZone);
    std::get<UtmColumns>(setup.columns).zone.reset();
    Ok();
    EXPECT_EQ(Run(std::move(setup)).end, RunEnd::Precondition);
    EXPECT_EQ(dialogs.Messages().back().text, "Seleccione Columnas");
    ExpectNoWindowAndNothingWritten(progress, folder, {"datos.xlsx"});
}

TEST_F(Frame, AnExistingOutputIsReplacedOnlyAfterOk) {
    const fs::path source = Book(Points(1));
    const fs::path output = folder / "datos_1.xlsx";
    workbook::test::Spill(output, "lo que había");
    Cancel();

    EXPECT_EQ(Run(Setup(source, DecimalColumns{})).end, RunEnd::KeptOutput);
    ASSERT_EQ(dialogs.Messages().size(), 1U);
    const auto& question = dialogs.Messages()[0];
    EXPECT_EQ(question.title, "Advertencia");
    EXPECT_EQ(question.buttons, dialogs::Buttons::OkCancel);
    EXPECT_NE(question.text.find(output.string()), std::string::npos);
    EXPECT_EQ(Bytes(output), "lo que había");
    EXPECT_EQ(progress.shown, 0);

    Ok(1 + 3 + 1);
    const RunResult result = Run(Setup(source, DecimalColumns{}));
    EXPECT_EQ(result.end, RunEnd::Completed);
    Output out(output);
    EXPECT_FALSE(out.Empty(1, "F"));
}

TEST_F(Frame, FailingWorkbookOperationsEndWithAnErrorAndLeaveNothing) {
    const fs::path source = Book(Points(3));
    const std::string before = Bytes(source);
    const fs::path broken = folder / "roto.xlsx";
    workbook::test::Spill(broken, "esto no es un libro");

    const auto expectFailure = [&](RunSetup setup, const std::vector<std::string>& files) {
        Ok();
        const int finishedBefore = progress.finished;
        const RunResult result = Run(std::move(setup));
        EXPECT_EQ(result.end, RunEnd::Failed);
        EXPECT_FALSE(result.output);
        const auto& message = dialogs.Messages().back();
        EXPECT_EQ(message.title, "Error");
        EXPECT_EQ(message.icon, MessageIcon::Exclamation);
        EXPECT_EQ(message.buttons, dialogs::Buttons::Ok);
        EXPECT_FALSE(message.text.empty());
        EXPECT_EQ(progress.finished, finishedBefore + 1);
        EXPECT_EQ(folder.Files(), files);
        EXPECT_EQ(Bytes(source), before);
        return message.text;
    };

    EXPECT_NE(expectFailure(Setup(broken, DecimalColumns{}), {"datos.xlsx", "roto.xlsx"})
                  .find("roto.xlsx"),
              std::string::npos);

    RunSetup noSheet = Setup(source, DmsColumns{});
    noSheet.sheetName = "Otra";
    EXPECT_NE(expectFailure(std::move(noSheet), {"datos.xlsx", "roto.xlsx"}).find("Otra"),
              std::string::npos);

    RunSetup emptySheet = Setup(source, UtmColumns{});
    emptySheet.sheetName.clear();
    expectFailure(std::move(emptySheet), {"datos.xlsx", "roto.xlsx"});

    // The output cannot be saved: a folder holds its name.
    fs::create_directory(folder / "datos_1.xlsx");
    Ok();   // replace it?
    Ok(3);  // the three empty rows after the points
    expectFailure(Setup(source, DecimalColumns{}), {"datos.xlsx", "datos_1.xlsx", "roto.xlsx"});
    EXPECT_TRUE(fs::is_directory(folder / "datos_1.xlsx"));
}

TEST_F(Frame, InterimSavesGoToTheOutputNoMoreOftenThanTheSpacing) {
    const fs::path source = Book(Points(4500));
    const std::string before = Bytes(source);
    std::vector<std::int32_t> savedAt;
    std::uintmax_t lastSize = 0;
    onPump = [&] {
        now += std::chrono::milliseconds(2);  // 2 ms a row: 5 s every 2500 rows
        if (current == nullptr) return;
        std::error_code error;
        const auto size = fs::file_size(folder / "datos_1.xlsx", error);
        if (!error && size != lastSize) {
            savedAt.push_back(current->CurrentRow());
            lastSize = size;
        }
        if (current->CurrentRow() % 500 == 0) {
            EXPECT_EQ(Bytes(source), before);
        }
    };
    Ok(3 + 1);

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    EXPECT_EQ(result.end, RunEnd::Completed);
    EXPECT_EQ(result.interimSaves, 1);
    // Saved when row 2999 was done (the first multiple of 1000 after 5 s), seen at the next row.
    EXPECT_EQ(savedAt, (std::vector<std::int32_t>{3001}));
    EXPECT_EQ(Bytes(source), before);
    Output out(*result.output);
    EXPECT_FALSE(out.Empty(4500, "I"));
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

TEST_F(Frame, TheProgramEndingStopsTheRunWithoutSavingAndRemovesInterimOutput) {
    const fs::path source = Book(Points(2500));
    const std::string before = Bytes(source);
    onPump = [&] {
        now += std::chrono::seconds(1);
        stop = current != nullptr && current->CurrentRow() > 2200;
    };

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    EXPECT_EQ(result.end, RunEnd::Stopped);
    EXPECT_EQ(result.interimSaves, 2);
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(progress.finished, 1);
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"datos.xlsx"});
    EXPECT_EQ(Bytes(source), before);
}

TEST_F(Frame, TheOutputIsTheStemUpToTheFirstDotWithTheFormatsExtension) {
    for (const std::string name : {"datos.final.xlsx", ".oculto.xlsx", "PUNTOS.XLSX"}) {
        SCOPED_TRACE(name);
        const fs::path source = Book(Points(1), name);
        Ok(3 + 1);
        const RunResult result = Run(Setup(source, DecimalColumns{}));
        ASSERT_TRUE(result.output);
        const std::string expected = std::string(workbook::StemOf(name)) + "_1.xlsx";
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

    EXPECT_EQ(result.end, RunEnd::Completed);
    EXPECT_EQ(result.rowsConverted, kRows);
    EXPECT_EQ(progress.maximum, kRows + 5);
    EXPECT_EQ(dialogs.Messages()[0].text, RowPrompt(kRows + 1, kEmptyRowText).text);
    Output out(*result.output);
    EXPECT_FALSE(out.Empty(kRows, "I"));
}

}  // namespace
}  // namespace trevalco::batch::test
