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
                          {"Grafico", "", true},
                          {"Centro", SheetXml("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Centro</t></is></c></row>")},
                          {"Sur", SheetXml("")}};
        WriteBook(path, layout);
        return path;
    }

    void PressExaminar() { Find<QPushButton>("Examina_exel")->click(); }
    QString Path() { return Find<QLineEdit>("Text_excel")->text(); }
    QStringList Sheets() { return Items(*Find<QComboBox>("cmbhoja")); }
    QString PreviewCell(int row, int column) {
        auto* model = Find<QTableView>("OLE1")->model();
        return model->data(model->index(row, column)).toString();
    }
    QString PreviewHeader(int section, Qt::Orientation orientation) {
        return Find<QTableView>("OLE1")->model()->headerData(section, orientation).toString();
    }
    bool NameSelectorsEnabled() {
        bool all = true, none = true;
        for (const char* name : {"Combo23", "Combo24", "Combo29"}) {
            const bool enabled = Find<QWidget>(name)->isEnabled();
            all = all && enabled;
            none = none && !enabled;
        }
        EXPECT_TRUE(all || none) << "the three name selectors disagree";
        return all;
    }
    void ExpectMessage(std::size_t index, const std::string& text, const std::string& title,
                       MessageIcon icon, dialogs::Buttons buttons) {
        ASSERT_GT(dialogs.Messages().size(), index);
        const auto& message = dialogs.Messages()[index];
        EXPECT_EQ(message.text, text);
        EXPECT_EQ(message.title, title);
        EXPECT_EQ(message.icon, icon);
        EXPECT_EQ(message.buttons, buttons);
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
    ExpectMessage(0, kNotFound, "Advertencia", MessageIcon::None, dialogs::Buttons::OkCancel);
    EXPECT_EQ(Path(), "");
    EXPECT_FALSE(NameSelectorsEnabled());
    EXPECT_TRUE(Sheets().isEmpty());
    // The filter keeps its text and offers the workbook formats and text files.
    const auto& filters = dialogs.FileRequests().front().filters;
    ASSERT_EQ(filters.size(), 3U);
    EXPECT_EQ(filters[0].description, "Archivos de Microsoft Excel");
    EXPECT_EQ(filters[0].pattern, "*.xls *.xlsx");
    EXPECT_EQ(filters[1].pattern, "*.ods");
    EXPECT_EQ(filters[2].description, "Archivos de texto");
    EXPECT_EQ(filters[2].pattern, "*.csv *.txt");
}

TEST_F(WorkbookChoiceTest, AMissingFileIsAskedForAgain) {
    const fs::path book = MakeBook();
    dialogs.ChooseFile((folder / "no-existe.xlsx").string());
    dialogs.Answer(dialogs::Answer::Ok);
    dialogs.ChooseFile(book.string());
    PressExaminar();
    ExpectMessage(0, kNotFound, "Advertencia", MessageIcon::None, dialogs::Buttons::OkCancel);
    EXPECT_EQ(Path().toStdString(), book.string());
    EXPECT_EQ(Sheets(), (QStringList{"Norte", "Centro", "Sur"}));
}

TEST_F(WorkbookChoiceTest, WorksheetsAreListedAndTheFirstIsShown) {
    const fs::path book = MakeBook();
    const std::string before = Slurp(book);
    dialogs.ChooseFile(book.string());
    PressExaminar();
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(Sheets(), (QStringList{"Norte", "Centro", "Sur"}));  // no chart sheet
    EXPECT_EQ(Find<controls::DropDownList>("cmbhoja")->Text(), "Norte");
    EXPECT_TRUE(NameSelectorsEnabled());
    EXPECT_EQ(controls::BackColourOf(*Find<QWidget>("Combo23")),
              controls::BackColourOf(*Find<QWidget>("Text_excel")));
    EXPECT_FALSE(Find<QWidget>("Combo1")->isEnabled());  // the others wait for their turn

    EXPECT_EQ(PreviewCell(0, 0), "P1");
    EXPECT_EQ(PreviewCell(0, 1), "33.45");
    EXPECT_EQ(PreviewCell(2, 2), "70.65");
    EXPECT_EQ(PreviewCell(1, 1), "");
    EXPECT_EQ(PreviewHeader(2, Qt::Horizontal), "C");
    EXPECT_EQ(PreviewHeader(2, Qt::Vertical), "3");
    EXPECT_EQ(Find<QTableView>("OLE1")->accessibleName(), "Vista previa de la hoja");
    EXPECT_EQ(Slurp(book), before);  // looking never changes the file

    // Another sheet chosen by the user: the preview follows.
    ChooseWithKeys(*Find<QComboBox>("cmbhoja"), "Centro");
    EXPECT_EQ(PreviewCell(0, 0), "Centro");
    ChooseWithKeys(*Find<QComboBox>("cmbhoja"), "Sur");
    EXPECT_EQ(Find<QTableView>("OLE1")->model()->rowCount(), 0);
}

TEST_F(WorkbookChoiceTest, CancelAfterAChoiceOpensTheSameWorkbookAgain) {
    const fs::path book = MakeBook();
    dialogs.ChooseFile(book.string());
    PressExaminar();
    ChooseWithKeys(*Find<QComboBox>("cmbhoja"), "Centro");
    dialogs.ChooseFile(std::nullopt);
    PressExaminar();
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(Path().toStdString(), book.string());
    EXPECT_EQ(Find<controls::DropDownList>("cmbhoja")->Text(), "Norte");
}

TEST_F(WorkbookChoiceTest, AFileThatIsNoWorkbookIsRefused) {
    const fs::path good = MakeBook();
    dialogs.ChooseFile(good.string());
    PressExaminar();
    const fs::path bad = folder / "texto.xlsx";
    Spill(bad, "esto no es un libro");
    dialogs.ChooseFile(bad.string());
    dialogs.Answer(dialogs::Answer::Ok);
    PressExaminar();
    ASSERT_EQ(dialogs.Messages().size(), 1U);
    EXPECT_EQ(dialogs.Messages()[0].title, "Error");
    EXPECT_EQ(dialogs.Messages()[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(dialogs.Messages()[0].text.empty());
    EXPECT_EQ(Path().toStdString(), bad.string());
    EXPECT_TRUE(NameSelectorsEnabled());
    // Nothing of the earlier workbook stands beside the new path.
    EXPECT_TRUE(Sheets().isEmpty());
    EXPECT_EQ(Find<QTableView>("OLE1")->model()->rowCount(), 0);
    EXPECT_EQ(Slurp(bad), "esto no es un libro");
}

TEST(LastBackslashPos, PositionOfTheLastBackslash) {
    EXPECT_EQ(batch::LastBackslashPos("C:\\obras\\datos.final.xls"), 9);
    EXPECT_EQ(batch::LastBackslashPos("datos.xls"), 0);
    EXPECT_EQ(batch::LastBackslashPos("C:\\"), 3);
    EXPECT_EQ(batch::LastBackslashPos("/home/ana/datos.xlsx"), 0);  // only "\" counts here
}

}  // namespace
}  // namespace trevalco::testing
