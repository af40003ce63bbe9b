// The three batch OK buttons through the window: the workbook chosen with
// "Examinar", the columns with the selectors, the run with its progress
// window, no run inside a run, and the window or the progress window closed
// during a run.
#include <QCheckBox>
#include <QCoreApplication>
#include <QProgressBar>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "RunFixture.h"
#include "WindowFixture.h"
#include "batch/Avance.h"
#include "batch/BatchPages.h"
#include "controls/DropDownList.h"
#include "controls/TextBox.h"
#include "point/UserLocale.h"
#include "point/ZoneAndShiftOptions.h"

namespace trevalco::batch::test {
namespace {

// A row of the decimal page as ChooseDecimalPage maps it: longitude in B, latitude in C.
TestRow Point(double lat, double lon) { return {{}, lon, lat}; }

class BatchPagesWindow : public trevalco::testing::WindowFixture {
protected:
    fs::path Book(const std::vector<TestRow>& rows, const std::string& name = "datos.xlsx") {
        const fs::path path = folder / name;
        WriteSheet(path, kSheet, rows);
        return path;
    }

    // "Examinar" with the file chosen.
    void ChooseWorkbook(const fs::path& path) {
        dialogs.ChooseFile(path.string());
        window->Form().Examina_exel->click();
        ASSERT_EQ(window->Form().cmbhoja->Text().toStdString(), kSheet);
    }

    // Chooses the items in the guided order of a page, each running its handler.
    void Choose(const std::vector<std::pair<int, QString>>& choices) {
        for (const auto& [number, text] : choices) {
            auto* list = window->Form().selectors.combos.at(static_cast<std::size_t>(number));
            const int index = list->findText(text);
            ASSERT_GE(index, 0) << "Combo" << number << " has no " << text.toStdString();
            list->SetListIndex(index);
        }
    }

    void ChooseDecimalPage() {
        Choose({{23, "Columna A"}, {1, "Columna C"}, {2, "Columna B"}, {15, "Columna D"},
                {16, "Columna E"}, {9, "Columna F"}, {10, "Columna G"}, {13, "Columna H"},
                {14, "Columna I"}});
    }

    void Ok(int n = 1) {
        for (int i = 0; i < n; ++i) dialogs.Answer(dialogs::Answer::Ok);
    }

    // Runs `during` at the run's first look at pending events.
    void During(std::function<void()> during) { QTimer::singleShot(0, window.get(), std::move(during)); }

    BatchPages& Pages() { return window->BatchPages(); }

    workbook::test::TestFolder folder;
};

TEST_F(BatchPagesWindow, DecimalPageReadsItsSelectorsAndShowsTheProgressWindow) {
    // Latitude in C and longitude in B, as chosen in Combo1 and Combo2.
    const fs::path source = Book({{std::string("P1"), 70.65, 33.45}, {std::string("P2"), 71.0, 34.0}});
    const std::string before = Bytes(source);
    ChooseWorkbook(source);
    ChooseDecimalPage();
    window->Form().point.SIRGAS_SAD69->setChecked(true);
    QString title, status;
    bool visible = false;
    During([&] {
        Avance* progress = Pages().ProgressWindow();
        ASSERT_NE(progress, nullptr);
        title = progress->windowTitle();
        status = progress->Estado->text();
        visible = progress->isVisible();
    });
    Ok(3 + 1);

    window->Form().Ok_excel->click();

    EXPECT_EQ(title, "Estado de Avance");
    EXPECT_EQ(status, "Espere unos Instantes");
    EXPECT_TRUE(visible);
    EXPECT_EQ(Pages().ProgressWindow(), nullptr);
    EXPECT_FALSE(Pages().Running());
    ASSERT_TRUE(Pages().LastResult());
    EXPECT_EQ(Pages().LastResult()->end, RunEnd::Completed);
    EXPECT_EQ(Pages().LastResult()->progressMaximum, 7);
    EXPECT_EQ(dialogs.Messages().back().text, "Archivo Guardado como \"datos_1.xlsx\"");
    EXPECT_EQ(Bytes(source), before);

    const auto start = chain::StartGeographic(kSirgasToSad69, 33.45, 70.65, Util::ForcedZone::Off());
    const auto target = chain::CarryToTarget(start.latitude, start.longitude, start.ellipsoids,
                                             start.shift.shift, Util::ForcedZone::Off());
    Output out(folder / "datos_1.xlsx");
    EXPECT_EQ(out(1, "D"), N(start.sourceUtm.northing, "########0.000"));
    EXPECT_EQ(out(1, "F"), N(target.latitude, "###0.0000000000"));
    EXPECT_EQ(out(1, "I"), N(target.utm.easting, "########0.000"));
}

TEST_F(BatchPagesWindow, UtmAndDmsPagesReadTheirOwnSelectorsAndTheForcedZone) {
    const auto start = chain::StartGeographic(kSirgasToPsad56, 33.45, 70.65, Util::ForcedZone::To(19));
    const fs::path utm = Book({{{}, start.sourceUtm.northing, start.sourceUtm.easting}}, "utm.xlsx");
    ChooseWorkbook(utm);
    Choose({{29, "Columna A"}, {32, "Columna B"}, {33, "Columna C"}, {31, "Columna D"},
            {30, "Columna E"}, {34, "Zona 19"}, {26, "Columna F"}, {25, "Columna G"},
            {27, "Columna H"}, {28, "Columna I"}});
    window->Form().point.Check1->setChecked(true);  // zone 22 unless a zone button says otherwise
    Ok(4 + 1);

    window->Form().Ok_UTM->click();

    ASSERT_EQ(Pages().LastResult()->end, RunEnd::Completed);
    EXPECT_EQ(dialogs.Messages().back().text, "Archivo Guardado como     utm_1.xlsx ");
    const auto forced = window->ZoneAndShiftOptions().ForcedZone();
    ASSERT_TRUE(forced.zone);
    const auto source = chain::StartUtm(kSirgasToPsad56, 19, start.sourceUtm.northing, start.sourceUtm.easting);
    const auto lookup = chain::LookupShift(kSirgasToPsad56, -source.latitude);
    const auto target = chain::CarryToTarget(-source.latitude, -source.longitude, source.ellipsoids,
                                             lookup.shift, forced);
    Output out(folder / "utm_1.xlsx");
    EXPECT_EQ(out(1, "G"), N(target.utm.easting, "#######0.000"));

    const fs::path dms = Book({{{}, 33.0, 27.0, 0.0, 70.0, 39.0, 0.0}}, "gms.xlsx");
    ChooseWorkbook(dms);
    Choose({{24, "Columna A"}, {3, "Columna B"}, {4, "Columna C"}, {5, "Columna D"}, {6, "Columna E"},
            {7, "Columna F"}, {8, "Columna G"}, {21, "Columna H"}, {22, "Columna I"}, {17, "Columna J"},
            {18, "Columna K"}, {11, "Columna L"}, {12, "Columna M"}, {19, "Columna N"}, {20, "Columna O"}});
    Ok(4 + 1);
    window->Form().OK_GraMinSeg->click();
    ASSERT_EQ(Pages().LastResult()->end, RunEnd::Completed);
    EXPECT_EQ(dialogs.Messages().back().text, "Archivo Guardado como     gms_1.xlsx ");
    Output gms(folder / "gms_1.xlsx");
    EXPECT_EQ(gms(1, "H"), N(33.45, "##0.0000000000"));
}

TEST_F(BatchPagesWindow, NoRunStartsInsideARun) {
    const fs::path source = Book({Point(33.45, 70.65)});
    ChooseWorkbook(source);
    ChooseDecimalPage();
    const auto requests = dialogs.FileRequests().size();
    During([&] {
        EXPECT_TRUE(Pages().Running());
        window->Form().Ok_excel->click();
        window->Form().OK_GraMinSeg->click();
        window->Form().Ok_UTM->click();
        window->Form().Examina_exel->click();
        window->Form().cmbhoja->SetListIndex(-1);
        window->Form().selectors.combos[1]->SetListIndex(0);
    });
    Ok(3 + 1);

    window->Form().Ok_excel->click();

    EXPECT_EQ(dialogs.FileRequests().size(), requests);
    EXPECT_EQ(dialogs.Messages().size(), 4U);
    EXPECT_EQ(Pages().LastResult()->end, RunEnd::Completed);
    // Once the run is over, the page works again.
    EXPECT_FALSE(window->Form().selectors.combos[2]->signalsBlocked());
    EXPECT_FALSE(window->Form().Examina_exel->signalsBlocked());
}

TEST_F(BatchPagesWindow, ClosingTheProgressWindowCountsAsCancel) {
    const fs::path source = Book({Point(33.45, 70.65), Point(34.0, 71.0), Point(35.0, 72.0)});
    ChooseWorkbook(source);
    ChooseDecimalPage();
    During([&] { Pages().ProgressWindow()->close(); });
    Ok();

    window->Form().Ok_excel->click();

    EXPECT_EQ(Pages().LastResult()->end, RunEnd::Cancelled);
    EXPECT_EQ(dialogs.Messages().back().text, "Archivo Guardado como \"datos_1.xlsx\"");
    EXPECT_TRUE(fs::exists(folder / "datos_1.xlsx"));
}

TEST_F(BatchPagesWindow, ClosingTheMainWindowStopsTheRunAndLeavesNothing) {
    const fs::path source = Book({Point(33.45, 70.65), Point(34.0, 71.0)});
    const std::string before = Bytes(source);
    ChooseWorkbook(source);
    ChooseDecimalPage();
    window->show();
    During([&] { window->Form().Salir->click(); });

    window->Form().Ok_excel->click();

    EXPECT_EQ(Pages().LastResult()->end, RunEnd::Stopped);
    EXPECT_EQ(programEnded, 1);
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"datos.xlsx"});
    EXPECT_EQ(Bytes(source), before);
}

TEST_F(BatchPagesWindow, PreconditionsShowNoProgressWindow) {
    int progressWindows = 0;
    During([&] { progressWindows += Pages().ProgressWindow() != nullptr; });
    Ok();
    window->Form().Ok_excel->click();
    EXPECT_EQ(dialogs.Messages().back().text, "Seleccione Archivo");
    EXPECT_EQ(Pages().LastResult()->end, RunEnd::Precondition);
    QCoreApplication::processEvents();
    EXPECT_EQ(progressWindows, 0);
}

}  // namespace
}  // namespace trevalco::batch::test
