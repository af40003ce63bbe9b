// Writing text cells and saving: what changes in the package, what does not,
// and what a failed save leaves behind.
#include <gtest/gtest.h>

#include <unistd.h>

#include <regex>

#include "PackageWriter.h"
#include "PendingFile.h"
#include "TestBooks.h"
#include "Workbook.h"
#include "WorkbookError.h"
#include "ZipArchive.h"

namespace trevalco::workbook {
namespace {

using test::BookLayout;
using test::SheetXml;
using test::TestFolder;
using Value = Util::CellValue;

Value Text(const std::string& text) { return Value(text); }

// Two worksheets; the first has numbers, a shared text, a styled cell and a
// row further down, the second is never written.
BookLayout SampleBook() {
    BookLayout layout;
    layout.sheets = {
        {"Puntos", SheetXml("<row r=\"1\" spans=\"1:3\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c></row>"
                            "<row r=\"2\" spans=\"1:3\"><c r=\"A2\" s=\"1\"><v>33.45</v></c><c r=\"B2\"><v>70.65</v></c>"
                            "<c r=\"C2\" s=\"2\"><v>1</v></c></row>"
                            "<row r=\"4\"><c r=\"A4\"><v>34.5</v></c><c r=\"B4\"><v>71</v></c></row>",
                            "<dimension ref=\"A1:C4\"/><sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>",
                            "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>")},
        {"Otra", SheetXml("<row r=\"1\"><c r=\"A1\"><v>9</v></c></row>")}};
    layout.sharedStrings = test::SharedStringsXml({"Latitud", "Longitud"});
    return layout;
}

// The references of the cells of a sheet part, in document order.
std::vector<std::string> CellOrder(const std::string& xml) {
    std::vector<std::string> order;
    const std::regex cell("<c r=\"([A-Z]+[0-9]+)\"");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), cell); it != std::sregex_iterator(); ++it)
        order.push_back((*it)[1]);
    return order;
}

std::vector<std::string> RowOrder(const std::string& xml) {
    std::vector<std::string> order;
    const std::regex row("<row r=\"([0-9]+)\"");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), row); it != std::sregex_iterator(); ++it)
        order.push_back((*it)[1]);
    return order;
}

TEST(WriteSave, WrittenCellsReadBackBeforeAndAfterSavingAs) {
    TestFolder folder;
    test::WriteBook(folder / "datos.xlsx", SampleBook());
    const std::string source = test::Slurp(folder / "datos.xlsx");
    Workbook book = Workbook::Open(folder / "datos.xlsx");
    Worksheet& sheet = book.Sheet("Puntos");
    sheet.Write(2, "H", "6297606.833");
    sheet.Write(2, "D", "346642.695");
    sheet.Write(3, "D", "fila nueva");  // row 3 does not exist yet
    sheet.Write(2, "c", "reemplaza");   // an existing, styled cell
    sheet.Write(2, "H", "6297606,833");  // written twice: the last text stays
    EXPECT_EQ(sheet.Cell(2, "H"), Text("6297606,833"));
    EXPECT_EQ(sheet.Cell(2, "C"), Text("reemplaza"));

    const std::filesystem::path written = book.SaveAs(folder / "datos_1");
    EXPECT_EQ(written, folder / "datos_1.xlsx");
    EXPECT_EQ(book.Path(), written);
    EXPECT_EQ(test::Slurp(folder / "datos.xlsx"), source);  // the source is never written
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"datos.xlsx", "datos_1.xlsx"}));

    Workbook again = Workbook::Open(written);
    Worksheet& read = again.Sheet("Puntos");
    EXPECT_EQ(read.Cell(1, "A"), Text("Latitud"));
    EXPECT_EQ(read.Cell(2, "A"), Value(33.45));
    EXPECT_EQ(read.Cell(2, "B"), Value(70.65));
    EXPECT_EQ(read.Cell(2, "C"), Text("reemplaza"));
    EXPECT_EQ(read.Cell(2, "D"), Text("346642.695"));
    EXPECT_EQ(read.Cell(2, "H"), Text("6297606,833"));
    EXPECT_EQ(read.Cell(3, "D"), Text("fila nueva"));
    EXPECT_EQ(read.Cell(4, "B"), Value(71.0));
    EXPECT_EQ(again.Sheet("Otra").Cell(1, "A"), Value(9.0));
}

TEST(WriteSave, OnlyTheWrittenSheetChangesAndItsCellsStayInOrder) {
    TestFolder folder;
    test::WriteBook(folder / "datos.xlsx", SampleBook());
    Workbook book = Workbook::Open(folder / "datos.xlsx");
    Worksheet& sheet = book.Sheet("Puntos");
    sheet.Write(6, "B", "seis");
    sheet.Write(2, "E", "e2");
    sheet.Write(2, "C", "c2");
    sheet.Write(3, "A", "tres");
    sheet.Write(1, "D", "d1");
    sheet.Write(2, "A", "a2");
    const auto written = book.SaveAs(folder / "salida");

    const auto before = test::ReadZip(folder / "datos.xlsx");
    const auto after = test::ReadZip(written);
    EXPECT_EQ(after.size(), before.size());
    for (const auto& [name, content] : before) {
        if (name == "xl/worksheets/sheet1.xml" || name == "xl/workbook.xml") continue;
        EXPECT_EQ(after.at(name), content) << name << " changed";
    }
    const std::string& xml = after.at("xl/worksheets/sheet1.xml");
    EXPECT_EQ(CellOrder(xml), (std::vector<std::string>{"A1", "B1", "D1", "A2", "B2", "C2", "E2", "A3", "A4", "B4", "B6"}));
    EXPECT_EQ(RowOrder(xml), (std::vector<std::string>{"1", "2", "3", "4", "6"}));
    EXPECT_NE(xml.find("<dimension ref=\"A1:E6\"/>"), std::string::npos) << xml;
    // The replaced cell keeps its style; untouched cells are as they were.
    EXPECT_NE(xml.find("<c r=\"C2\" s=\"2\" t=\"inlineStr\"><is><t>c2</t></is></c>"), std::string::npos);
    EXPECT_NE(xml.find("<c r=\"B2\"><v>70.65</v></c>"), std::string::npos);
    EXPECT_NE(xml.find("<row r=\"4\"><c r=\"A4\"><v>34.5</v></c>"), std::string::npos);
    EXPECT_NE(xml.find("<sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>"), std::string::npos);
    EXPECT_NE(xml.find("<pageMargins left=\"0.7\""), std::string::npos);
    // A row that changed loses its span hint; the others keep theirs.
    EXPECT_EQ(xml.find("spans="), std::string::npos);
}

TEST(WriteSave, RowsAndCellsWithoutNumbersEmptySheetsAndPrefixes) {
    TestFolder folder;
    BookLayout layout;
    layout.sheets = {
        {"SinNumeros", SheetXml("<row><c><v>1</v></c><c r=\"C1\"><v>3</v></c><c><v>4</v></c></row><row/>"
                                "<row><c><v>5</v></c></row>", "")},
        {"Vacia", SheetXml("").replace(SheetXml("").find("<sheetData></sheetData>"), 23, "<sheetData/>")},
        {"Prefijo",
         "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><x:dimension ref=\"A1\"/>"
         "<x:sheetData><x:row r=\"2\"><x:c r=\"B2\"><x:v>5</x:v></x:c></x:row></x:sheetData></x:worksheet>"}};
    test::WriteBook(folder / "raro.xlsx", layout);
    Workbook book = Workbook::Open(folder / "raro.xlsx");
    book.Sheet("SinNumeros").Write(1, "B", "b1");  // between two cells without numbers
    book.Sheet("SinNumeros").Write(2, "A", "a2");  // into an empty row
    book.Sheet("Vacia").Write(3, "C", "c3");
    book.Sheet("Vacia").Write(1, "A", "a1");
    book.Sheet("Prefijo").Write(1, "A", "a1");
    book.Sheet("Prefijo").Write(2, "C", "c2");
    const auto written = book.SaveAs(folder / "raro_1");

    Workbook again = Workbook::Open(written);
    Worksheet& plain = again.Sheet("SinNumeros");
    EXPECT_EQ(plain.Cell(1, "A"), Value(1.0));
    EXPECT_EQ(plain.Cell(1, "B"), Text("b1"));
    EXPECT_EQ(plain.Cell(1, "C"), Value(3.0));
    EXPECT_EQ(plain.Cell(1, "D"), Value(4.0));  // it follows C1 and stays in D
    EXPECT_EQ(plain.Cell(2, "A"), Text("a2"));
    EXPECT_EQ(plain.Cell(3, "A"), Value(5.0));
    EXPECT_EQ(again.Sheet("Vacia").Cell(1, "A"), Text("a1"));
    EXPECT_EQ(again.Sheet("Vacia").Cell(3, "C"), Text("c3"));
    EXPECT_EQ(again.Sheet("Prefijo").Cell(1, "A"), Text("a1"));
    EXPECT_EQ(again.Sheet("Prefijo").Cell(2, "B"), Value(5.0));
    EXPECT_EQ(again.Sheet("Prefijo").Cell(2, "C"), Text("c2"));
    const std::string prefixed = test::ReadZip(written).at("xl/worksheets/sheet3.xml");
    EXPECT_NE(prefixed.find("<x:c r=\"C2\" t=\"inlineStr\"><x:is><x:t>c2</x:t></x:is></x:c>"), std::string::npos);
}

TEST(WriteSave, AnyTextSurvivesTheRoundTrip) {
    TestFolder folder;
    BookLayout layout;
    layout.sheets = {{"Hoja1", SheetXml("")}};
    test::WriteBook(folder / "textos.xlsx", layout);
    const std::vector<std::string> texts = {"a<b>&\"c\"'", "  con blancos  ", "tab\tlínea\nretorno\r",
                                            "control\x01\x1f", "_x0041_ literal", "Ñandú 33°  27'  14.4000\"", ""};
    {
        Workbook book = Workbook::Open(folder / "textos.xlsx");
        for (std::size_t i = 0; i < texts.size(); ++i)
            book.Sheet("Hoja1").Write(static_cast<std::int32_t>(i + 1), "A", texts[i]);
        book.Save();
    }
    Workbook again = Workbook::Open(folder / "textos.xlsx");
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(again.Sheet("Hoja1").Cell(static_cast<std::int32_t>(i + 1), "A"), Text(texts[i])) << i;
}

TEST(WriteSave, ReplacingAFormulaDropsTheCalculationChainConsistently) {
    TestFolder folder;
    BookLayout layout;
    layout.sheets = {{"Hoja1", SheetXml("<row r=\"1\"><c r=\"A1\"><v>2</v></c><c r=\"B1\"><f>A1*2</f><v>4</v></c></row>")}};
    layout.calcChain = "<calcChain xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><c r=\"B1\" i=\"1\"/></calcChain>";
    test::WriteBook(folder / "formulas.xlsx", layout);

    Workbook book = Workbook::Open(folder / "formulas.xlsx");
    book.Sheet("Hoja1").Write(1, "C", "al lado");
    const auto kept = test::ReadZip(book.SaveAs(folder / "conserva"));
    EXPECT_TRUE(kept.contains("xl/calcChain.xml"));

    book.Sheet("Hoja1").Write(1, "B", "sin fórmula");
    const auto dropped = test::ReadZip(book.SaveAs(folder / "sin_cadena"));
    EXPECT_FALSE(dropped.contains("xl/calcChain.xml"));
    EXPECT_EQ(dropped.at("[Content_Types].xml").find("calcChain"), std::string::npos);
    EXPECT_EQ(dropped.at("xl/_rels/workbook.xml.rels").find("calcChain"), std::string::npos);
    EXPECT_NE(dropped.at("xl/_rels/workbook.xml.rels").find("worksheets/sheet1.xml"), std::string::npos);
    EXPECT_EQ(dropped.at("xl/styles.xml"), kept.at("xl/styles.xml"));
    Workbook again = Workbook::Open(folder / "sin_cadena.xlsx");
    EXPECT_EQ(again.Sheet("Hoja1").Cell(1, "B"), Text("sin fórmula"));
}

TEST(WriteSave, SaveWritesThePathOfTheLastSaveAsAndKeepsAddingWrites) {
    TestFolder folder;
    test::WriteBook(folder / "datos.v2.xlsx", SampleBook());
    const std::string source = test::Slurp(folder / "datos.v2.xlsx");
    Workbook book = Workbook::Open(folder / "datos.v2.xlsx");
    Worksheet& sheet = book.Sheet("Puntos");
    sheet.Write(1, "H", "uno");
    EXPECT_EQ(book.SaveAs(folder / "datos_1.xlsx"), folder / "datos_1.xlsx");  // the extension is not doubled
    sheet.Write(2, "H", "dos");
    book.Save();  // interim save: goes to the output, never to the source
    sheet.Write(3, "H", "tres");
    book.Save();
    EXPECT_EQ(test::Slurp(folder / "datos.v2.xlsx"), source);
    Workbook again = Workbook::Open(folder / "datos_1.xlsx");
    EXPECT_EQ(again.Sheet("Puntos").Cell(1, "H"), Text("uno"));
    EXPECT_EQ(again.Sheet("Puntos").Cell(2, "H"), Text("dos"));
    EXPECT_EQ(again.Sheet("Puntos").Cell(3, "H"), Text("tres"));
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"datos.v2.xlsx", "datos_1.xlsx"}));
}

TEST(WriteSave, WritesOutsideTheSheetAreRefused) {
    TestFolder folder;
    test::WriteBook(folder / "datos.xlsx", SampleBook());
    Workbook book = Workbook::Open(folder / "datos.xlsx");
    Worksheet& sheet = book.Sheet("Puntos");
    EXPECT_THROW(sheet.Write(1048577, "A", "x"), WorkbookError);
    EXPECT_THROW(sheet.Write(0, "A", "x"), WorkbookError);
    EXPECT_THROW(sheet.Write(1, "XFE", "x"), WorkbookError);
    sheet.Write(1048576, "XFD", "última");
    const auto written = book.SaveAs(folder / "borde");
    EXPECT_EQ(Workbook::Open(written).Sheet("Puntos").Cell(1048576, "XFD"), Text("última"));
}

TEST(WriteSave, RowsOutOfOrderAreRefusedRatherThanSavedDamaged) {
    TestFolder folder;
    BookLayout layout;
    layout.sheets = {{"Puntos", SheetXml("<row r=\"3\"><c r=\"A3\"><v>3</v></c></row>"
                                       "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>")}};
    test::WriteBook(folder / "desorden.xlsx", layout);
    Workbook book = Workbook::Open(folder / "desorden.xlsx");
    EXPECT_EQ(book.Sheet("Puntos").Cell(1, "A"), Value(1.0));  // reading is fine
    book.Sheet("Puntos").Write(2, "B", "x");
    EXPECT_THROW(book.SaveAs(folder / "desorden_1"), WorkbookError);
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"desorden.xlsx"});  // nothing half written
}

// A part source that fails halfway, as a full disk or a damaged source would.
class FailingSource final : public PartSource {
public:
    std::size_t Read(char* buffer, std::size_t size) override {
        if (sent_ > 0) throw WorkbookError("fallo provocado");
        sent_ = std::min<std::size_t>(size, 5);
        std::copy_n("<?xml", sent_, buffer);
        return sent_;
    }

private:
    std::size_t sent_ = 0;
};

TEST(WriteSave, AFailedSaveLeavesThePreviousFileAndNoTemporaryFiles) {
    TestFolder folder;
    test::WriteBook(folder / "datos.xlsx", SampleBook());
    test::Spill(folder / "anterior.xlsx", "el archivo anterior");
    const ZipArchive archive = ZipArchive::OpenFile(folder / "datos.xlsx", PackageLimits{});
    PackageChanges changes;
    changes.replaced["xl/worksheets/sheet1.xml"] = [] { return std::make_unique<FailingSource>(); };
    try {
        PendingFile pending(folder / "anterior.xlsx");
        WritePackage(archive, pending.TemporaryPath(), changes);
        pending.Commit();
        FAIL() << "the save should have failed";
    } catch (const WorkbookError& error) {
        EXPECT_STREQ(error.what(), "fallo provocado");
    }
    EXPECT_EQ(test::Slurp(folder / "anterior.xlsx"), "el archivo anterior");
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"anterior.xlsx", "datos.xlsx"}));

    // Through the workbook: a folder that is not there.
    Workbook book = Workbook::Open(folder / "datos.xlsx");
    try {
        (void)book.SaveAs(folder / "no" / "existe");
        FAIL() << "the save should have failed";
    } catch (const WorkbookError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "No se puede guardar el libro «" + (folder / "no" / "existe.xlsx").string() + "»: la carpeta no existe.");
    }
    EXPECT_EQ(book.Path(), folder / "datos.xlsx");  // still the file it was
}

TEST(WriteSave, AFolderWithoutWritePermissionKeepsItsFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    TestFolder folder;
    std::filesystem::create_directory(folder / "cerrada");
    test::WriteBook(folder / "cerrada" / "datos.xlsx", SampleBook());
    const std::string before = test::Slurp(folder / "cerrada" / "datos.xlsx");
    std::filesystem::permissions(folder / "cerrada", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    Workbook book = Workbook::Open(folder / "cerrada" / "datos.xlsx");
    book.Sheet("Puntos").Write(1, "H", "x");
    EXPECT_THROW(book.Save(), WorkbookError);
    std::filesystem::permissions(folder / "cerrada", std::filesystem::perms::owner_all);
    EXPECT_EQ(test::Slurp(folder / "cerrada" / "datos.xlsx"), before);
}

}  // namespace
}  // namespace trevalco::workbook
