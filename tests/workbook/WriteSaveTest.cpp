// Writing text and number cells and saving: what changes in the package,
// what does not, formulas moved with their cells, and what a failed save
// leaves behind.
#include <gtest/gtest.h>

#include <unistd.h>

#include <regex>
#include <tuple>

#include "FormulaShift.h"
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
using Value = cells::CellValue;

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
    const std::regex cell("<c r=\"([A-Z]+[0-9]+)\"");
    std::vector<std::string> order(std::sregex_token_iterator(xml.begin(), xml.end(), cell, 1), std::sregex_token_iterator());
    return order;
}

TEST(WriteSave, WrittenCellsReadBackAndLaterSavesGoToTheLastPathSaved) {
    TestFolder folder;
    test::WriteBook(folder / "datos.v2.xlsx", SampleBook());
    const std::string source = test::Slurp(folder / "datos.v2.xlsx");
    Workbook book = Workbook::Open(folder / "datos.v2.xlsx");
    Worksheet& sheet = book.Sheet("Puntos");
    sheet.Write(2, "H", "6297606.833");
    sheet.WriteNumber(2, "D", "-346642.695", 3);
    sheet.Write(3, "D", "fila nueva");  // row 3 does not exist yet
    sheet.Write(2, "c", "reemplaza");   // an existing, styled cell
    sheet.Write(2, "H", "6297606,833");  // written twice: the last text stays
    EXPECT_EQ(sheet.Cell(2, "H"), Text("6297606,833"));
    EXPECT_EQ(sheet.Cell(2, "D"), Value(-346642.695));
    EXPECT_EQ(sheet.Cell(2, "C"), Text("reemplaza"));
    for (const char* digits : {"1,5", "1e5", "", "-", ".5", "5.", "1.2.3", " 1", "+1"})
        EXPECT_THROW(sheet.WriteNumber(1, "E", digits, 1), WorkbookError) << digits;
    EXPECT_THROW(sheet.WriteNumber(1048577, "A", "1", 0), WorkbookError);
    EXPECT_THROW(sheet.Write(0, "A", "x"), WorkbookError);
    EXPECT_THROW(sheet.Write(1, "XFE", "x"), WorkbookError);
    sheet.Write(1048576, "XFD", "última");

    const std::filesystem::path written = book.SaveAs(folder / "datos_1");
    EXPECT_EQ(written, folder / "datos_1.xlsx");
    EXPECT_EQ(book.Path(), written);
    EXPECT_EQ(book.SaveAs(written), written);  // the extension is not doubled
    sheet.Write(4, "H", "cuatro");
    book.Save();  // interim save: goes to the output, never to the source
    EXPECT_EQ(test::Slurp(folder / "datos.v2.xlsx"), source);
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"datos.v2.xlsx", "datos_1.xlsx"}));

    Workbook again = Workbook::Open(written);
    Worksheet& read = again.Sheet("Puntos");
    const std::vector<std::tuple<int, const char*, Value>> expected = {
        {1, "A", Text("Latitud")}, {2, "A", Value(33.45)},         {2, "B", Value(70.65)},
        {2, "C", Text("reemplaza")}, {2, "D", Value(-346642.695)}, {2, "H", Text("6297606,833")},
        {3, "D", Text("fila nueva")}, {4, "B", Value(71.0)},        {4, "H", Text("cuatro")},
        {1048576, "XFD", Text("última")}};
    for (const auto& [row, column, value] : expected) EXPECT_EQ(read.Cell(row, column), value) << column << row;
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
    EXPECT_NE(xml.find("<dimension ref=\"A1:E6\"/>"), std::string::npos) << xml;
    // The replaced cell keeps its style; untouched cells are as they were.
    for (const char* kept : {"<c r=\"C2\" s=\"2\" t=\"inlineStr\"><is><t>c2</t></is></c>", "<c r=\"B2\"><v>70.65</v></c>",
                             "<row r=\"4\"><c r=\"A4\"><v>34.5</v></c>", "<pageMargins left=\"0.7\""})
        EXPECT_NE(xml.find(kept), std::string::npos) << kept;
    // A row that changed loses its span hint; the others keep theirs.
    EXPECT_EQ(xml.find("spans="), std::string::npos);
}

TEST(FormulaShift, RelativePartsMoveAndEverythingElseStays) {
    const std::tuple<const char*, int, int, const char*> cases[] = {
        {"$B2*2+C2", 2, 0, "$B4*2+C4"},
        {"A1:B$3+$C$1-c1", 1, 1, "B2:C$3+$C$1-D2"},
        {"LOG10(A1)&\"A1\"&\"x\"\"B2\"", 1, 0, "LOG10(A2)&\"A1\"&\"x\"\"B2\""},
        {"'Hoja 2''s'!A1+Hoja2!B1+[1]Hoja3!C1", 0, 1, "'Hoja 2''s'!B1+Hoja2!C1+[1]Hoja3!D1"},
        {"SUM(A:A)+SUM(1:2)+Tabla[[#This Row],[B1]]+A", 1, 1, "SUM(B:B)+SUM(2:3)+Tabla[[#This Row],[B1]]+A"},
        {"A1+1E5+TRUE+ABCD1+_A1", -1, 0, "#REF!+1E5+TRUE+ABCD1+_A1"},
        {"XFD1048576+A1048576", 1, 0, "#REF!+#REF!"},
        {"XFC1:XFD2", 0, 1, "XFD1:#REF!"},
    };
    for (const auto& [formula, rows, columns, shifted] : cases) EXPECT_EQ(ShiftFormula(formula, rows, columns), shifted) << formula;
}

TEST(WriteSave, RowsAndCellsWithoutNumbersEmptySheetsPrefixesAndAnyText) {
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
    const std::vector<std::string> texts = {"a<b>&\"c\"'", "  con blancos  ", "tab\tlínea\nretorno\r",
                                            "control\x01\x1f", "_x0041_ literal", "Ñandú 33°  27'  14.4000\"", ""};
    std::vector<std::tuple<const char*, int, const char*, Value>> expected = {
        {"SinNumeros", 1, "A", Value(1.0)}, {"SinNumeros", 1, "B", Text("b1")} /* between cells without numbers */,
        {"SinNumeros", 1, "C", Value(3.0)}, {"SinNumeros", 1, "D", Value(4.0)} /* it follows C1 and stays in D */,
        {"SinNumeros", 2, "A", Text("a2")} /* into an empty row */, {"SinNumeros", 3, "A", Value(5.0)},
        {"Vacia", 3, "C", Text("c3")},  {"Vacia", 1, "A", Text("a1")},  {"Prefijo", 1, "A", Text("a1")},
        {"Prefijo", 2, "C", Text("c2")}, {"Prefijo", 2, "B", Value(5.0)}};
    for (std::size_t i = 0; i < texts.size(); ++i) expected.emplace_back("Vacia", static_cast<int>(i) + 5, "B", Text(texts[i]));
    {
        Workbook book = Workbook::Open(folder / "raro.xlsx");
        for (const auto& [sheet, row, column, value] : expected)
            if (const auto* text = std::get_if<std::string>(&value)) book.Sheet(sheet).Write(row, column, *text);
        book.Save();
    }
    Workbook again = Workbook::Open(folder / "raro.xlsx");
    for (const auto& [sheet, row, column, value] : expected)
        EXPECT_EQ(again.Sheet(sheet).Cell(row, column), value) << sheet << " " << column << row;
    const std::string prefixed = test::ReadZip(folder / "raro.xlsx").at("xl/worksheets/sheet3.xml");
    EXPECT_NE(prefixed.find("<x:c r=\"C2\" t=\"inlineStr\"><x:is><x:t>c2</x:t></x:is></x:c>"), std::string::npos);
}

// Rows of plain cells are rewritten without the XML parser; a comment among
// them sends the same rows through the parser: both must save the same XML.
TEST(WriteSave, PlainRowsSaveAsTheParsedPathDoes) {
    TestFolder folder;
    const std::string rows =
        "<row r=\"1\" spans=\"1:3\" ht=\"1&#50;\tx\"><c r=\"B1\" s=\"2\"><v>1</v></c><c><v>2</v></c></row><row/>"
        "<row s=\"3\" customFormat=\"1\"><c r=\"A3\" t=\"s\"><v>0</v ></c ></row><row r=\"5\"><c r=\"A5\"/></row>"
        "<row r=\"7\"><c r=\"C7\"><v>7</v></c></row><row><c r=\"B8\"><v>8</v></c></row>";
    const std::string comment = "<!-- x -->";
    BookLayout layout;
    layout.sheets = {{"Plana", SheetXml(rows)}, {"Comentada", SheetXml(comment + rows)}};
    layout.sharedStrings = test::SharedStringsXml({"Latitud"});
    test::WriteBook(folder / "filas.xlsx", layout);
    Workbook book = Workbook::Open(folder / "filas.xlsx");
    for (const char* name : {"Plana", "Comentada"}) {
        Worksheet& sheet = book.Sheet(name);
        for (const auto& [row, column] : {std::pair{1, "B"}, {1, "D"}, {2, "A"}, {3, "B"}, {4, "C"}, {5, "A"}, {9, "A"}})
            sheet.WriteNumber(row, column, std::to_string(row) + ".5", 1);
        sheet.Write(1, "C", "a<b");
    }
    const auto saved = test::ReadZip(book.SaveAs(folder / "guardado"));
    std::string parsed = saved.at("xl/worksheets/sheet2.xml");
    parsed.erase(parsed.find(comment), comment.size());
    EXPECT_EQ(saved.at("xl/worksheets/sheet1.xml"), parsed);
    for (const char* part : {"<row r=\"1\" ht=\"12 x\"><c r=\"B1\"", "<row r=\"2\"><c r=\"A2\"", "<row r=\"9\"><c r=\"A9\""})
        EXPECT_NE(parsed.find(part), std::string::npos) << part;
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
        output::PendingFile pending(folder / "anterior.xlsx");
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
    // A folder without write permission keeps the file saved over.
    if (::geteuid() == 0) return;  // permissions do not bind the superuser
    const std::string before = test::Slurp(folder / "datos.xlsx");
    std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    book.Sheet("Puntos").Write(1, "H", "x");
    EXPECT_THROW(book.Save(), WorkbookError);
    std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(test::Slurp(folder / "datos.xlsx"), before);
}

}  // namespace
}  // namespace trevalco::workbook
