// The three batch OK buttons through the window: the workbook chosen with
// "Examinar", the columns with the selectors, the run with its progress
// window, the controls held during a run, and the window or the progress
// window closed during a run.
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <map>

#include "RunFixture.h"
#include "WindowFixture.h"
#include "batch/Avance.h"
#include "batch/BatchPages.h"
#include "controls/DropDownList.h"
#include "controls/SystemColours.h"

namespace trevalco::batch::test {
namespace {

using Choices = std::vector<std::pair<int, QString>>;
const Choices kDecimalPage{{23, "Columna A"}, {1, "Columna C"}, {2, "Columna B"}, {15, "Columna D"}, {16, "Columna E"},
                           {9, "Columna F"},  {10, "Columna G"}, {13, "Columna H"}, {14, "Columna I"}};

class BatchPagesWindow : public trevalco::testing::WindowFixture {
protected:
    // A workbook chosen with "Examinar" and a page's columns with its selectors.
    void Prepare(const std::vector<TestRow>& rows, const Choices& choices, const std::string& name = "datos.xlsx") {
        WriteSheet(folder / name, kSheet, rows);
        dialogs.ChooseFile((folder / name).string());
        window->Form().Examina_exel->click();
        for (const auto& [number, text] : choices) {
            auto* list = window->Form().selectors.combos.at(static_cast<std::size_t>(number));
            ASSERT_GE(list->findText(text), 0) << "Combo" << number;
            list->SetListIndex(list->findText(text));
        }
    }
    void Ok(int n = 1) { while (n-- > 0) dialogs.Answer(dialogs::Answer::Ok); }
    // Runs `during` at the run's first look at pending events.
    void During(std::function<void()> during) { QTimer::singleShot(0, window.get(), std::move(during)); }
    BatchPages& Pages() { return window->BatchPages(); }
    // Enabled and colour of every control a run holds.
    auto HeldState() {
        std::map<std::string, std::pair<bool, std::optional<controls::SystemColour>>> state;
        for (const char* name : {"Ok_excel", "OK_GraMinSeg", "Ok_UTM", "Examina_exel", "cmbhoja", "Combo1", "Combo2", "Combo3", "Combo34"})
            state[name] = {Find(name)->isEnabled(), controls::BackColourOf(*Find(name))};
        return state;
    }

    workbook::test::TestFolder folder;
};

TEST_F(BatchPagesWindow, EachPageReadsItsOwnSelectorsAndTheOptions) {
    Prepare({{std::string("P1"), 70.65, 33.45}}, kDecimalPage);
    window->Form().point.SIRGAS_SAD69->setChecked(true);
    QString progress;
    During([&] { progress = Pages().ProgressWindow()->windowTitle() + ": " + Pages().ProgressWindow()->Estado->text(); });
    Ok(3 + 1);
    window->Form().Ok_excel->click();
    EXPECT_EQ(progress, "Estado de Avance: Espere unos Instantes");
    EXPECT_EQ(Pages().ProgressWindow(), nullptr);
    EXPECT_EQ(Pages().LastResult()->end, RunEnd::Completed);
    EXPECT_EQ(dialogs.Messages().back().text, "Archivo Guardado como \"datos_1.xlsx\"");
    Output decimal(folder / "datos_1.xlsx");
    EXPECT_EQ(std::vector({decimal(1, "D"), decimal(1, "F"), decimal(1, "I")}),
              std::vector<cells::CellValue>({6297606.833, 33.4496588124, 346701.908}));

    Prepare({{{}, 33.0, 27.0, 0.0, 70.0, 39.0, 0.0}},
            {{24, "Columna A"}, {3, "Columna B"}, {4, "Columna C"}, {5, "Columna D"}, {6, "Columna E"}, {7, "Columna F"},
             {8, "Columna G"}, {21, "Columna H"}, {22, "Columna I"}, {17, "Columna J"}, {18, "Columna K"},
             {11, "Columna L"}, {12, "Columna M"}, {19, "Columna N"}, {20, "Columna O"}}, "gms.xlsx");
    Ok(4 + 1);
    window->Form().OK_GraMinSeg->click();
    EXPECT_EQ(dialogs.Messages().back().text, "Archivo Guardado como     gms_1.xlsx ");
    EXPECT_EQ(Output(folder / "gms_1.xlsx")(1, "H"), cells::CellValue(33.45));

    // The zone chosen on the page, and the forced zone read from the window.
    const Choices utmPage{{29, "Columna A"}, {32, "Columna B"}, {33, "Columna C"}, {31, "Columna D"}, {30, "Columna E"},
                          {34, "Zona 19"},   {26, "Columna F"}, {25, "Columna G"}, {27, "Columna H"}, {28, "Columna I"}};
    Prepare({{{}, 6297606.833, 346642.695}}, utmPage, "utm.xlsx");
    window->Form().point.Check1->setChecked(true);
    window->Form().point.zoneButtons[4]->setChecked(true);  // zone 18
    Ok(4 + 1);
    window->Form().Ok_UTM->click();
    EXPECT_EQ(dialogs.Messages().back().text, "Archivo Guardado como     utm_1.xlsx ");
    Output utm(folder / "utm_1.xlsx");
    EXPECT_EQ(utm(1, "D"), cells::CellValue(33.4499999969));
    EXPECT_GT(utm.Number(1, "G"), 900000.0);  // east of zone 18's central meridian
}

// During a run the held controls show disabled and start nothing; they come
// back as they were, also when the run ends by Cancel.
TEST_F(BatchPagesWindow, HeldControlsShowDisabledAndComeBackAsTheyWere) {
    Prepare({{{}, 70.65, 33.45}, {{}, 71.0, 34.0}, {{}, 72.0, 35.0}}, kDecimalPage);
    const auto before = HeldState();
    ASSERT_FALSE(before.at("Combo3").first);  // a page not yet walked
    for (const bool cancel : {false, true}) {
        const auto requests = dialogs.FileRequests().size();
        During([&] {
            for (const auto& [name, state] : HeldState()) {
                EXPECT_FALSE(state.first) << name;
                EXPECT_EQ(state.second.value_or(controls::SystemColour::ScrollBar), controls::SystemColour::ScrollBar) << name;
            }
            window->Form().Examina_exel->click();
            window->Form().selectors.combos[1]->SetListIndex(1);  // its partner is not rebuilt
            window->Form().Ok_UTM->click();
            if (cancel) Pages().ProgressWindow()->close();  // closing it counts as Cancel
        });
        Ok(cancel ? 1 : 3 + 1);
        window->Form().Ok_excel->click();
        EXPECT_EQ(Pages().LastResult()->end, cancel ? RunEnd::Cancelled : RunEnd::Completed);
        EXPECT_EQ(dialogs.FileRequests().size(), requests);
        EXPECT_EQ(HeldState(), before);
        EXPECT_EQ(window->Form().selectors.combos[2]->Text(), "Columna B");
        fs::remove(folder / "datos_1.xlsx");
    }
}

TEST_F(BatchPagesWindow, ClosingTheMainWindowStopsTheRunAndLeavesNothing) {
    Prepare({{{}, 70.65, 33.45}, {{}, 71.0, 34.0}}, kDecimalPage);
    const std::string before = Bytes(folder / "datos.xlsx");
    window->show();
    During([&] { window->Form().Salir->click(); });
    window->Form().Ok_excel->click();
    EXPECT_EQ(Pages().LastResult()->end, RunEnd::Stopped);
    EXPECT_EQ(programEnded, 1);
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"datos.xlsx"});
    EXPECT_EQ(Bytes(folder / "datos.xlsx"), before);
}

// Return on a page's OK presses it; a run that ends at a precondition shows
// no progress window.
TEST_F(BatchPagesWindow, PreconditionsShowNoProgressWindow) {
    int progressWindows = 0;
    During([&] { progressWindows += Pages().ProgressWindow() != nullptr; });
    Ok();
    ShowActive();
    window->Form().SSTab1->setCurrentIndex(1);
    window->Form().Ok_excel->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window->Form().Ok_excel, Qt::Key_Return);
    EXPECT_EQ(dialogs.Messages().back().text, "Seleccione Archivo");
    EXPECT_EQ(Pages().LastResult()->end, RunEnd::Precondition);
    QCoreApplication::processEvents();
    EXPECT_EQ(progressWindows, 0);
}

// LibreOffice's lock file beside the output: the run asks, naming who has it
// open; No leaves the old output, Sí replaces it without asking again.
TEST_F(BatchPagesWindow, AnOutputOpenInLibreOfficeIsReplacedOnlyOnYes) {
    for (const auto answer : {dialogs::Answer::Cancel, dialogs::Answer::Ok}) {
        workbook::test::Spill(folder / "datos_1.xlsx", "anterior");
        workbook::test::Spill(folder / ".~lock.datos_1.xlsx#", ",ana,pc-ana,06.12.2026 20:15,file:///home/ana;");
        Prepare({{std::string("P1"), 70.65, 33.45}}, kDecimalPage);
        const std::size_t before = dialogs.Messages().size();
        dialogs.Answer(answer);
        if (answer == dialogs::Answer::Ok) Ok(3 + 1);
        window->Form().Ok_excel->click();
        const dialogs::Message& question = dialogs.Messages().at(before);
        EXPECT_EQ(question.buttons, dialogs::Buttons::YesNo);
        EXPECT_NE(question.text.find("datos_1.xlsx\" está abierto en LibreOffice (usuario ana, equipo pc-ana, desde "
                                     "06.12.2026 20:15"),
                  std::string::npos) << question.text;
        EXPECT_EQ(Pages().LastResult()->end, answer == dialogs::Answer::Ok ? RunEnd::Completed : RunEnd::OfficeLocked);
        EXPECT_EQ(Bytes(folder / "datos_1.xlsx") == "anterior", answer == dialogs::Answer::Cancel);
        EXPECT_EQ(dialogs.Messages().size(), before + (answer == dialogs::Answer::Ok ? 5 : 1));
    }
}

// Output columns with data in rows the run will write are asked about once
// (No writes nothing); Cancel with data below adds the counts to the saved
// message.
TEST_F(BatchPagesWindow, FilledOutputColumnsAreAskedAboutAndUnreachedRowsCounted) {
    Prepare({{std::string("P1"), 70.65, 33.45, std::string("cota")}, {}, {std::string("P2"), 71.0, 34.0}}, kDecimalPage);
    dialogs.Answer(dialogs::Answer::Cancel);
    window->Form().Ok_excel->click();
    EXPECT_EQ(dialogs.Messages().back().text, "Las columnas D ya tienen datos en 1 filas; ¿reemplazarlos?");
    EXPECT_EQ(Pages().LastResult()->end, RunEnd::KeptColumns);
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"datos.xlsx"});

    Ok();
    dialogs.Answer(dialogs::Answer::Cancel);  // the empty row 2
    Ok();
    window->Form().Ok_excel->click();
    EXPECT_EQ(Pages().LastResult()->end, RunEnd::Cancelled);
    EXPECT_EQ(dialogs.Messages().back().text,
              "Archivo Guardado como \"datos_1.xlsx\"\nFilas convertidas: 1; omitidas: 0; sin alcanzar: 1.");
}

}  // namespace
}  // namespace trevalco::batch::test
