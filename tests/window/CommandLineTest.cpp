// `trevalco` and its arguments: what each asks for, and a workbook given on
// the command line ("Open with Trevalco") chosen on the batch tab.
#include <QLineEdit>
#include <QTabWidget>

#include "TestBooks.h"
#include "CommandLine.h"
#include "support/WindowFixture.h"

namespace trevalco::testing {
namespace {

using app::CommandLine;
using Action = CommandLine::Action;
using namespace trevalco::workbook::test;

TEST(ReadCommandLine, EachArgumentListAsksForOneThing) {
    const struct {
        QStringList arguments;
        Action action;
        QString file, error;
    } cases[] = {
        {{}, Action::OpenWindow, "", ""},
        {{"obra.xlsx"}, Action::OpenWindow, "obra.xlsx", ""},
        {{"--", "-raro.ods"}, Action::OpenWindow, "-raro.ods", ""},
        {{"obra.xlsx", "--version"}, Action::PrintVersion, "", ""},
        {{"--bogus", "-h"}, Action::PrintHelp, "", ""},
        {{"--", "--version"}, Action::OpenWindow, "--version", ""},
        {{"--zona=19"}, Action::Refuse, "", "opción desconocida: --zona=19"},
        {{"a.xlsx", "b.xlsx"}, Action::Refuse, "", "se espera un solo archivo"},
        {{""}, Action::Refuse, "", "el nombre del archivo está vacío"},
    };
    for (const auto& c : cases) {
        const CommandLine line = app::ReadCommandLine(c.arguments);
        const QString given = c.arguments.join(' ');
        EXPECT_EQ(line.action, c.action) << given.toStdString();
        EXPECT_EQ(line.file, c.file) << given.toStdString();
        EXPECT_EQ(line.error, c.error) << given.toStdString();
    }
}

using OpenWorkbookTest = WindowFixture;

TEST_F(OpenWorkbookTest, TheBatchTabShowsTheWorkbookAndItsSheets) {
    TestFolder folder;
    const fs::path book = folder / "obra.xlsx";
    BookLayout layout;
    layout.sheets = {{"Puntos", SheetXml("")}, {"Resumen", SheetXml("")}};
    WriteBook(book, layout);
    app::OpenFile(*window, QString::fromStdString(book.string()));
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(Find<QTabWidget>("SSTab1")->currentIndex(), 1);
    EXPECT_EQ(Find<QLineEdit>("Text_excel")->text().toStdString(), book.string());
    EXPECT_EQ(Items(*Find<QComboBox>("cmbhoja")), (QStringList{"Puntos", "Resumen"}));

    dialogs.Answer(dialogs::Answer::Ok);
    app::OpenFile(*window, QString::fromStdString((folder / "falta.xlsx").string()));
    ASSERT_EQ(dialogs.Messages().size(), 1U);
    EXPECT_EQ(dialogs.Messages()[0].text, "      ¡ Archivo no encontrado !");
}

}  // namespace
}  // namespace trevalco::testing
