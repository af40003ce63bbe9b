// The worksheets of a workbook, in its order, and the workbook's lifecycle.
#include <gtest/gtest.h>

#include <sys/stat.h>

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

TEST(SheetList, WorksheetsInWorkbookOrderWithoutChartSheets) {
    TestFolder folder;
    BookLayout layout;
    layout.sheets = {{"Puntos", SheetXml("<row r=\"1\">" + Cell("A1", "p") + "</row>")},
                   {"Gráfico", "<chartsheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"/>", true},
                   {"Zona 19", SheetXml("<row r=\"1\">" + Cell("A1", "z") + "</row>")},
                   {"Año &amp; más", SheetXml("")}};
    test::WriteBook(folder / "libro.xlsx", layout);
    Workbook book = Workbook::Open(folder / "libro.xlsx");
    EXPECT_EQ(book.SheetNames(), (std::vector<std::string>{"Puntos", "Zona 19", "Año & más"}));
    EXPECT_TRUE(book.HasSheet("Zona 19"));
    EXPECT_FALSE(book.HasSheet("Gráfico"));
    EXPECT_EQ(book.Sheet("Zona 19").Cell(1, "A"), Util::CellValue(std::string("z")));
    EXPECT_EQ(book.Sheet("Puntos").Cell(1, "A"), Util::CellValue(std::string("p")));
    EXPECT_EQ(book.Sheet("Año & más").LastRow(), 0);
    EXPECT_EQ(book.Format(), WorkbookFormat::Xlsx);
}

TEST(SheetList, OrderIsTheWorkbooksNotThePartsOrRelationships) {
    TestFolder folder;
    BookLayout layout;
    layout.sheets = {{"Primera", SheetXml("")}, {"Segunda", SheetXml("")}};
    auto parts = test::BookParts(layout);
    for (auto& [name, content] : parts) {
        if (name != "xl/workbook.xml") continue;
        // The workbook lists the second part first.
        const std::string first = "<sheet name=\"Primera\" sheetId=\"1\" r:id=\"rId1\"/>";
        const std::string second = "<sheet name=\"Segunda\" sheetId=\"2\" r:id=\"rId2\"/>";
        content.replace(content.find(first + second), first.size() + second.size(),
                        "<sheet name=\"B\" sheetId=\"2\" r:id=\"rId2\"/><sheet name=\"A\" sheetId=\"1\" r:id=\"rId1\"/>");
    }
    test::WriteZip(folder / "libro.xlsm", parts);
    Workbook book = Workbook::Open(folder / "libro.xlsm");
    EXPECT_EQ(book.SheetNames(), (std::vector<std::string>{"B", "A"}));
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
    EXPECT_EQ(message([&] { book.Sheet("Hoja2"); }),
              "El libro «" + (folder / "libro.xlsx").string() + "» no tiene una hoja llamada «Hoja2».");
    EXPECT_EQ(message([&] { book.SetActiveSheet("Hoja2"); }),
              "El libro «" + (folder / "libro.xlsx").string() + "» no tiene una hoja llamada «Hoja2».");
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

TEST(SheetList, OpeningAndReadingLeaveTheFileAsItWas) {
    TestFolder folder;
    BookLayout layout;
    layout.sheets = {{"Hoja1", SheetXml("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>")}};
    test::WriteBook(folder / "libro.xlsx", layout);
    const std::string before = test::Slurp(folder / "libro.xlsx");
    struct stat was {};
    ::stat((folder / "libro.xlsx").c_str(), &was);
    {
        Workbook book = Workbook::Open(folder / "libro.xlsx");
        EXPECT_EQ(book.Sheet("Hoja1").Cell(1, "A"), Util::CellValue(1.0));
        book.Sheet("Hoja1").Write(1, "B", "sin guardar");
    }  // closed without saving
    struct stat is {};
    ::stat((folder / "libro.xlsx").c_str(), &is);
    EXPECT_EQ(test::Slurp(folder / "libro.xlsx"), before);
    EXPECT_EQ(is.st_mtim.tv_sec, was.st_mtim.tv_sec);
    EXPECT_EQ(is.st_mtim.tv_nsec, was.st_mtim.tv_nsec);
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"libro.xlsx"});
}

}  // namespace
}  // namespace trevalco::workbook
