// The worksheets of a workbook, in its order, and the workbook's lifecycle.
#include <gtest/gtest.h>

#include <functional>

#include "TestBooks.h"
#include "Workbook.h"

namespace trevalco::workbook {
namespace {

using test::BookLayout;
using test::SheetXml;
using test::TestFolder;

std::string Cell(const char* reference, const char* text) {
    return std::string("<c r=\"") + reference + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}

TEST(SheetList, WorksheetsInTheWorkbooksOrderWithoutChartSheets) {
    TestFolder folder;
    BookLayout layout;
    layout.sheets = {{"Puntos", SheetXml("<row r=\"1\">" + Cell("A1", "p") + "</row>")},
                   {"Gráfico", "<chartsheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"/>", true},
                   {"Zona 19", SheetXml("<row r=\"1\">" + Cell("A1", "z") + "</row>")},
                   {"Año &amp; más", SheetXml("")}};
    auto parts = test::BookParts(layout);
    // The workbook lists the third part before the first: its order holds, not the parts'.
    std::string& workbook = parts[2].second;
    const std::string first = "<sheet name=\"Puntos\" sheetId=\"1\" r:id=\"rId1\"/>";
    workbook.erase(workbook.find(first), first.size());
    workbook.insert(workbook.find("<sheet name=\"Año"), first);
    test::WriteZip(folder / "libro.xlsm", parts);
    Workbook book = Workbook::Open(folder / "libro.xlsm");
    EXPECT_EQ(book.SheetNames(), (std::vector<std::string>{"Zona 19", "Puntos", "Año & más"}));
    EXPECT_TRUE(book.HasSheet("Zona 19"));
    EXPECT_FALSE(book.HasSheet("Gráfico"));
    EXPECT_EQ(book.Sheet("Zona 19").Cell(1, "A"), cells::CellValue(std::string("z")));
    EXPECT_EQ(book.Sheet("Puntos").Cell(1, "A"), cells::CellValue(std::string("p")));
    EXPECT_EQ(book.Sheet("Año & más").LastRow(), 0);
    EXPECT_EQ(book.Format(), WorkbookFormat::Xlsm);
}

TEST(SheetList, UnknownSheetsClosedWorkbooksMissingFilesAndOtherTypesGiveMessages) {
    TestFolder folder;
    const auto message = [](const std::function<void()>& action) {
        try {
            action();
        } catch (const WorkbookError& error) {
            return std::string(error.what());
        }
        return std::string("(done)");
    };
    const auto open = [&](const std::filesystem::path& path) { return message([&] { (void)Workbook::Open(path); }); };
    BookLayout layout;
    layout.sheets = {{"Hoja1", SheetXml("")}};
    test::WriteBook(folder / "libro.xlsx", layout);
    Workbook book = Workbook::Open(folder / "libro.xlsx");
    const std::string unknown =
        "El libro «" + (folder / "libro.xlsx").string() + "» no tiene una hoja llamada «Hoja2»; sus hojas son: «Hoja1».";
    EXPECT_EQ(message([&] { book.Sheet("Hoja2"); }), unknown);
    EXPECT_EQ(message([&] { book.SetActiveSheet("Hoja2"); }), unknown);
    book.Close();
    EXPECT_FALSE(book.IsOpen());
    EXPECT_THROW(book.SheetNames(), WorkbookError);
    EXPECT_THROW(book.Save(), WorkbookError);

    EXPECT_EQ(open(folder / "falta.xlsx"),
              "No se puede abrir el libro «" + (folder / "falta.xlsx").string() + "»: el archivo no existe.");
    std::filesystem::create_directory(folder / "carpeta.xlsx");
    EXPECT_NE(open(folder / "carpeta.xlsx").find("es una carpeta"), std::string::npos);
    test::Spill(folder / "puntos.dbf", "1;2\n");
    EXPECT_NE(open(folder / "puntos.dbf").find("el tipo de archivo «.dbf» no es un libro"), std::string::npos);
    EXPECT_NE(open(folder / "sin_extension").find("no es un libro"), std::string::npos);
}

}  // namespace
}  // namespace trevalco::workbook
