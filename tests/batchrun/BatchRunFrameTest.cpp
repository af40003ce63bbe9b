// What every page's run shares: the preconditions, an output that exists
// already or is held by another run, failing workbook operations, interim
// saves to the recovery file, the progress window closed by the user, the
// program ending during a run, and sheets longer than 32,767 rows.
#include <unistd.h>

#include "OutputLock.h"
#include "RunFixture.h"

namespace trevalco::batch::test {
namespace {

using Frame = RunFixture;

std::vector<TestRow> Points(int count) {
    std::vector<TestRow> rows;
    for (int i = 0; i < count; ++i) rows.push_back({{}, 20.0 + (i % 2300) * 0.01, 67.0 + (i % 900) * 0.01});
    return rows;
}

TEST_F(Frame, RunsThatCannotStartOrCannotReadEndWithAMessageAndLeaveTheFilesAsTheyWere) {
    const fs::path source = Book(Points(3));
    const std::string before = Bytes(source);
    workbook::test::Spill(folder / "roto.xlsx", "esto no es un libro");
    struct Case {
        std::string path, sheet;
        bool emptyColumn;
        RunEnd end;
        std::string text, title;  // the whole text of a precondition, a part of a failure's
    };
    const std::string falta = (folder / "falta.xlsx").string(), roto = (folder / "roto.xlsx").string();
    const std::vector<Case> cases = {
        {"", kSheet, true, RunEnd::Precondition, "Seleccione Archivo", "Error"},
        {falta, kSheet, true, RunEnd::Precondition, "Achivo No Encontrado", ""},
        {folder.Path().string(), kSheet, false, RunEnd::Precondition, "Achivo No Encontrado", ""},
        {source.string(), kSheet, true, RunEnd::Precondition, "Seleccione Columnas", "Error"},
        {roto, kSheet, false, RunEnd::Failed, "roto.xlsx", "Error"},
        {source.string(), "Otra", false, RunEnd::Failed, "Otra", "Error"},
        {source.string(), "", false, RunEnd::Failed, "ninguna hoja", "Error"},
    };
    for (const Case& c : cases) {
        for (PageColumns page : {PageColumns(DecimalColumns{}), PageColumns(DmsColumns{}), PageColumns(UtmColumns{})}) {
            SCOPED_TRACE(c.text);
            RunSetup setup = Setup(source, page);
            setup.workbookPath = c.path;
            setup.sheetName = c.sheet;
            if (auto* utm = std::get_if<UtmColumns>(&setup.columns); utm && c.emptyColumn)
                utm->zone.reset();
            else if (c.emptyColumn)
                LetterOf(setup.columns, RolesOf(page).back().name)->clear();
            Ok();
            const RunResult result = Run(std::move(setup));
            EXPECT_EQ(std::tie(result.end, result.output), std::make_tuple(c.end, std::optional<fs::path>()));
            const auto& message = dialogs.Messages().back();
            EXPECT_EQ(c.end == RunEnd::Failed ? message.text.find(c.text) != std::string::npos : message.text == c.text,
                      true) << message.text;
            EXPECT_EQ(std::tie(message.title, message.icon, message.buttons),
                      std::make_tuple(c.title, dialogs::MessageIcon::Exclamation, dialogs::Buttons::Ok));
        }
    }
    EXPECT_EQ(progress.finished, progress.shown);
    EXPECT_EQ(Bytes(source), before);
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"datos.xlsx", "roto.xlsx"}));

    // Another run holds the output.
    std::optional<output::OutputLock> held = output::OutputLock::Take(folder / "datos_1.xlsx");
    Ok();
    EXPECT_EQ(Run(Setup(source, DecimalColumns{})).end, RunEnd::OutputInUse);
    const auto& busy = dialogs.Messages().back();
    EXPECT_EQ(busy.text, "El archivo \"" + (folder / "datos_1.xlsx").string() + "\" está en uso por otra conversión (proceso " +
                             std::to_string(::getpid()) + "). Espere a que termine y vuelva a intentarlo.");
    EXPECT_EQ(std::tie(busy.title, busy.icon, busy.buttons),
              std::make_tuple(std::string("Error"), dialogs::MessageIcon::Exclamation, dialogs::Buttons::Ok));
    held.reset();

    // The output cannot be saved: a folder holds its name.
    fs::create_directory(folder / "datos_1.xlsx");
    Ok(1 + 3 + 1);  // replace it? then the three empty rows and the failure
    EXPECT_EQ(Run(Setup(source, DecimalColumns{})).end, RunEnd::Failed);
    EXPECT_NE(dialogs.Messages().back().text.find("carpeta"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(folder / "datos_1.xlsx"));
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

TEST_F(Frame, InterimSavesGoToTheRecoveryFileAndTheOutputsNameOnlyEverHoldsAWholeOutput) {
    const fs::path source = Book(Points(4500));
    const fs::path output = folder / "datos_1.xlsx", recovery = folder / "datos_1 (incompleto).xlsx";
    struct Case {
        RunEnd end;
        std::int32_t stopAt, closeAt;  // the program ends, or the user closes the progress window
    };
    for (const Case& c : {Case{RunEnd::Completed, 0, 0}, Case{RunEnd::Stopped, 3500, 0}, Case{RunEnd::Cancelled, 0, 3500}}) {
        workbook::test::Spill(output, "la salida anterior");
        workbook::test::Spill(recovery, "de una conversión que murió");
        std::vector<std::int32_t> savedAt;
        std::string last = Bytes(recovery);
        stop = false;
        progress = {};
        progress.closeAtRow = c.closeAt;
        onPump = [&] {
            now += std::chrono::milliseconds(2);  // 2 ms a row: 5 s every 2500 rows
            stop = current != nullptr && c.stopAt != 0 && current->CurrentRow() >= c.stopAt;
            if (current == nullptr || current->CurrentRow() % 100 != 1) return;
            EXPECT_EQ(Bytes(output), "la salida anterior");
            if (const std::string saved = Bytes(recovery); saved != last) {
                savedAt.push_back(current->CurrentRow());
                last = saved;
                Output interim(recovery);  // the rows done when it was saved
                EXPECT_FALSE(interim.Empty(2999, "I"));
                EXPECT_TRUE(interim.Empty(3000, "I"));
            }
        };
        Ok(1 + (c.end == RunEnd::Completed ? 3 : 0) + (c.end == RunEnd::Stopped ? 0 : 1));

        const RunResult result = Run(Setup(source, DecimalColumns{}));

        EXPECT_EQ(std::tie(result.end, result.interimSaves), std::make_tuple(c.end, 1));
        // Saved when row 2999 was done (the first multiple of 1000 after 5 s), seen at the next look.
        EXPECT_EQ(savedAt, (std::vector<std::int32_t>{3001}));
        EXPECT_EQ(progress.finished, 1);
        EXPECT_EQ(folder.Files(), (std::vector<std::string>{"datos.xlsx", "datos_1.xlsx"}));
        if (c.end == RunEnd::Stopped) {
            EXPECT_EQ(Bytes(output), "la salida anterior");
        } else {
            Output out(output);
            EXPECT_FALSE(out.Empty(c.end == RunEnd::Completed ? 4500 : 3499, "I"));
            EXPECT_EQ(out.Empty(3500, "I"), c.end == RunEnd::Cancelled);
        }
    }
}

TEST_F(Frame, SheetsLongerThan32767RowsRunToTheirEnd) {
    // Past the data, three empty rows are told and end it; data that fills
    // the sheet ends at its last row, with no row past it told.
    for (const std::int32_t rows : {40000, workbook::kMaxRows}) {
        SCOPED_TRACE(rows);
        const bool full = rows == workbook::kMaxRows;
        const fs::path source = Book(Points(rows));
        Ok(full ? 1 : 3 + 1);

        const RunResult result = Run(Setup(source, DecimalColumns{}));

        EXPECT_EQ(std::tie(result.end, result.rowsConverted, result.rowsSkipped, result.lastRow),
                  std::make_tuple(RunEnd::Completed, rows, full ? 0 : 3, full ? rows : rows + 3));
        if (!full) {
            EXPECT_EQ(progress.maximum, rows + 5);
            EXPECT_EQ(dialogs.Messages()[0].text, Prompt(rows + 1, kEmptyRowText));
            EXPECT_FALSE(Output(*result.output).Empty(rows, "I"));
        }
        fs::remove(*result.output);
    }
}

}  // namespace
}  // namespace trevalco::batch::test
