// "Examinar", the sheet list and the preview of the batch tab, driven
// through the real window on workbooks the tests make.
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableView>

#include "TestBooks.h"
#include "batch/WorkbookChoice.h"
#include "controls/DropDownList.h"
#include "controls/SystemColours.h"
#include "support/WindowFixture.h"

namespace trevalco::testing {
namespace {

using namespace trevalco::workbook::test;

constexpr const char* kNotFound = "      ¡ Archivo no encontrado !";

class WorkbookChoiceTest : public WindowFixture {
protected:
    WorkbookChoiceTest() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    ~WorkbookChoiceTest() override { QLocale::setDefault(QLocale::c()); }

    // Three worksheets with a chart sheet between the first two.
    fs::path MakeBook() {
        const fs::path path = folder / "puntos.xlsx";
        BookLayout layout;
        layout.sheets = {{"Norte", SheetXml("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>P1</t></is></c>"
                                             "<c r=\"B1\"><v>33.45</v></c></row>"
                                             "<row r=\"3\"><c r=\"C3\"><v>70.65</v></c></row>")},
                          {"Grafico", "", true}, {"Sur", SheetXml("")},
                          {"Centro", SheetXml("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Centro</t></is></c></row>")}};
        WriteBook(path, layout);
        return path;
    }

    void PressExaminar() { Find<QPushButton>("Examina_exel")->click(); }
    QString Path() { return Find<QLineEdit>("Text_excel")->text(); }
    QStringList Sheets() { return Items(*Find<QComboBox>("cmbhoja")); }
    QAbstractItemModel& Preview() { return *Find<QTableView>("OLE1")->model(); }
    QString PreviewCell(int row, int column) { return Preview().data(Preview().index(row, column)).toString(); }
    // The three "Nombre Punto" selectors that begin each page, all alike.
    bool NameSelectorsEnabled() {
        const bool first = Find("Combo23")->isEnabled();
        EXPECT_TRUE(Find("Combo24")->isEnabled() == first && Find("Combo29")->isEnabled() == first);
        return first;
    }
    void ExpectNotFound(std::size_t index) {
        ASSERT_GT(dialogs.Messages().size(), index);
        const auto& m = dialogs.Messages()[index];
        EXPECT_TRUE(m.text == kNotFound && m.title == "Advertencia" && m.icon == dialogs::MessageIcon::None &&
                    m.buttons == dialogs::Buttons::OkCancel) << m.text;
    }

    TestFolder folder;
};

TEST_F(WorkbookChoiceTest, CancellingTheDialogAsksUntilTheUserGivesUp) {
    dialogs.ChooseFile(std::nullopt);
    dialogs.Answer(dialogs::Answer::Ok);  // try again
    dialogs.ChooseFile(std::nullopt);
    dialogs.Answer(dialogs::Answer::Cancel);
    PressExaminar();
    ASSERT_EQ(dialogs.Messages().size(), 2U);
    ExpectNotFound(0);
    EXPECT_EQ(Path(), "");
    EXPECT_FALSE(NameSelectorsEnabled());
    EXPECT_TRUE(Sheets().isEmpty());
    // The filter keeps its text and offers the workbook formats.
    const auto& filters = dialogs.FileRequests().front().filters;
    ASSERT_GE(filters.size(), 2U);
    EXPECT_EQ(filters[0].description + " " + filters[0].pattern, "Archivos de Microsoft Excel *.xls *.xlsx");
    EXPECT_EQ(filters[1].pattern, "*.ods");
}

TEST_F(WorkbookChoiceTest, WorksheetsAreListedAndTheFirstIsShown) {
    const fs::path book = MakeBook();
    const std::string before = Slurp(book);
    dialogs.ChooseFile((folder / "no-existe.xlsx").string());  // a missing file is asked for again
    dialogs.Answer(dialogs::Answer::Ok);
    dialogs.ChooseFile(book.string());
    PressExaminar();
    ASSERT_EQ(dialogs.Messages().size(), 1U);
    ExpectNotFound(0);
    EXPECT_EQ(Sheets(), (QStringList{"Norte", "Sur", "Centro"}));  // no chart sheet
    EXPECT_EQ(Find<controls::DropDownList>("cmbhoja")->Text(), "Norte");
    EXPECT_TRUE(NameSelectorsEnabled());
    EXPECT_EQ(controls::BackColourOf(*Find<QWidget>("Combo23")),
              controls::BackColourOf(*Find<QWidget>("Text_excel")));
    EXPECT_FALSE(Find<QWidget>("Combo1")->isEnabled());  // the others wait for their turn

    EXPECT_EQ(QStringList({PreviewCell(0, 0), PreviewCell(0, 1), PreviewCell(2, 2), PreviewCell(1, 1)}),
              QStringList({"P1", "33.45", "70.65", ""}));
    EXPECT_EQ(Preview().headerData(2, Qt::Horizontal).toString(), "C");
    EXPECT_EQ(Preview().headerData(2, Qt::Vertical).toString(), "3");
    EXPECT_EQ(Find<QTableView>("OLE1")->accessibleName(), "Vista previa de la hoja");
    EXPECT_EQ(Slurp(book), before);  // looking never changes the file

    // Another sheet chosen by the user: the preview follows.
    ChooseWithKeys(*Find<QComboBox>("cmbhoja"), "Sur");
    EXPECT_EQ(Preview().rowCount(), 0);
    ChooseWithKeys(*Find<QComboBox>("cmbhoja"), "Centro");
    EXPECT_EQ(PreviewCell(0, 0), "Centro");
    // Cancel in the dialog: its file name is still the last one, opened again.
    dialogs.ChooseFile(std::nullopt);
    PressExaminar();
    EXPECT_EQ(dialogs.Messages().size(), 1U);
    EXPECT_EQ(Path().toStdString(), book.string());
    EXPECT_EQ(Find<controls::DropDownList>("cmbhoja")->Text(), "Norte");
    // A file that is no workbook: refused, and nothing of the earlier one
    // stands beside the new path.
    const fs::path bad = folder / "texto.xlsx";
    Spill(bad, "esto no es un libro");
    dialogs.ChooseFile(bad.string());
    dialogs.Answer(dialogs::Answer::Ok);
    PressExaminar();
    ASSERT_EQ(dialogs.Messages().size(), 2U);
    const auto& refusal = dialogs.Messages()[1];
    EXPECT_TRUE(refusal.title == "Error" && refusal.icon == dialogs::MessageIcon::Exclamation && !refusal.text.empty());
    EXPECT_EQ(Path().toStdString(), bad.string());
    EXPECT_TRUE(NameSelectorsEnabled());
    EXPECT_TRUE(Sheets().isEmpty());
    EXPECT_EQ(Preview().rowCount(), 0);
    EXPECT_EQ(Slurp(bad), "esto no es un libro");
}

}  // namespace
}  // namespace trevalco::testing
