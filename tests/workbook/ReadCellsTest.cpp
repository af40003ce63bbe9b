// Reading cells of every kind, however the sheet's XML spells them.
#include <gtest/gtest.h>

#include "SheetReader.h"
#include "TestBooks.h"
#include "Workbook.h"

namespace trevalco::workbook {
namespace {

using test::BookLayout;
using test::SheetXml;
using test::TestFolder;
using Value = Util::CellValue;

Value Text(const std::string& text) { return Value(text); }
Value Number(double number) { return Value(number); }
const Value kEmpty{};

class ReadCells : public ::testing::Test {
protected:
    Worksheet& Open(const std::string& rows, const std::vector<std::string>& shared = {},
                    const std::string& before = "<dimension ref=\"A1\"/>") {
        BookLayout layout;
        layout.sheets.push_back({"Datos", SheetXml(rows, before)});
        if (!shared.empty()) layout.sharedStrings = test::SharedStringsXml(shared);
        test::WriteBook(folder_ / "libro.xlsx", layout);
        book_.emplace(Workbook::Open(folder_ / "libro.xlsx"));
        return book_->Sheet("Datos");
    }

    TestFolder folder_;
    std::optional<Workbook> book_;
};

TEST_F(ReadCells, NumbersTextsAndEmptyCells) {
    Worksheet& sheet = Open(
        "<row r=\"1\"><c r=\"A1\"><v>-33.45</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
        "<c r=\"C1\" s=\"1\"/><c r=\"D1\" t=\"n\"><v>7E-3</v></c></row>"
        "<row r=\"3\"><c r=\"B3\" t=\"s\"><v>0</v></c></row>",
        {"Latitud", "70,65"});
    EXPECT_EQ(sheet.Cell(1, "A"), Number(-33.45));
    EXPECT_EQ(sheet.Cell(1, "B"), Text("70,65"));
    EXPECT_EQ(sheet.Cell(1, "C"), kEmpty);  // a formatted cell without a value
    EXPECT_EQ(sheet.Cell(1, "d"), Number(0.007));
    EXPECT_EQ(sheet.Cell(2, "A"), kEmpty);  // a row that is not there
    EXPECT_EQ(sheet.Cell(3, "B"), Text("Latitud"));
    EXPECT_EQ(sheet.Cell(3, 2), Text("Latitud"));
    EXPECT_EQ(sheet.Cell(1048576, "XFD"), kEmpty);
    EXPECT_EQ(sheet.Cell(1048577, "A"), kEmpty);  // past the sheet: nothing there
    EXPECT_EQ(sheet.LastRow(), 3);
    EXPECT_EQ(sheet.LastColumn(), 4);
}

TEST_F(ReadCells, InlineStringsWithRichRunsAndPhoneticGuides) {
    Worksheet& sheet = Open(
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>plano</t></is></c>"
        "<c r=\"B1\" t=\"inlineStr\"><is><r><rPr><b/></rPr><t>Pun</t></r><r><t xml:space=\"preserve\">to 1 </t></r>"
        "<rPh sb=\"0\" eb=\"1\"><t>ignorado</t></rPh></is></c>"
        "<c r=\"C1\" t=\"inlineStr\"><is><t>a&amp;b &lt;c&gt; l\xC3\xADnea_x000D_</t></is></c></row>",
        {});
    EXPECT_EQ(sheet.Cell(1, "A"), Text("plano"));
    EXPECT_EQ(sheet.Cell(1, "B"), Text("Punto 1 "));
    EXPECT_EQ(sheet.Cell(1, "C"), Text("a&b <c> l\xC3\xADnea\r"));
}

TEST_F(ReadCells, SharedStringsWithRunsAndPhoneticGuides) {
    BookLayout layout;
    layout.sheets.push_back({"Datos", SheetXml("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c></row>")});
    layout.sharedStrings =
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<si><r><t>Nor</t></r><r><rPr><i/></rPr><t>te</t></r><rPh><t>x</t></rPh></si>"
        "<si><t>_x005F_x0041_</t></si></sst>";
    test::WriteBook(folder_ / "libro.xlsx", layout);
    Workbook book = Workbook::Open(folder_ / "libro.xlsx");
    Worksheet& sheet = book.Sheet("Datos");
    EXPECT_EQ(sheet.Cell(1, "A"), Text("Norte"));
    EXPECT_EQ(sheet.Cell(1, "B"), Text("_x0041_"));  // an escaped escape stays literal
}

TEST_F(ReadCells, BooleansErrorsAndFormulasByTheirCachedValue) {
    Worksheet& sheet = Open(
        "<row r=\"1\"><c r=\"A1\" t=\"b\"><v>1</v></c><c r=\"B1\" t=\"b\"><v>0</v></c>"
        "<c r=\"C1\" t=\"e\"><v>#N/A</v></c><c r=\"D1\" t=\"e\"><f>1/0</f><v>#DIV/0!</v></c>"
        "<c r=\"E1\"><f>SUM(A2:A3)</f><v>12.5</v></c><c r=\"F1\" t=\"str\"><f>\"ab\"&amp;\"c\"</f><v>abc</v></c>"
        "<c r=\"G1\"><f>A1</f></c><c r=\"H1\" t=\"d\"><v>2024-03-01T00:00:00</v></c></row>");
    EXPECT_EQ(sheet.Cell(1, "A"), Text("VERDADERO"));
    EXPECT_EQ(sheet.Cell(1, "B"), Text("FALSO"));
    EXPECT_EQ(sheet.Cell(1, "C"), Text("#N/A"));
    EXPECT_EQ(sheet.Cell(1, "D"), Text("#DIV/0!"));
    EXPECT_EQ(sheet.Cell(1, "E"), Number(12.5));
    EXPECT_EQ(sheet.Cell(1, "F"), Text("abc"));
    // A formula never calculated is no number and no empty cell either.
    EXPECT_EQ(sheet.Cell(1, "G"), Text(kNoResultText));
    EXPECT_EQ(sheet.Cell(1, "H"), Text("2024-03-01T00:00:00"));
}

TEST_F(ReadCells, RowsAndCellsWithoutReferencesFollowTheirPredecessors) {
    Worksheet& sheet = Open(
        "<row><c><v>1</v></c><c><v>2</v></c></row>"
        "<row><c r=\"C2\"><v>3</v></c><c><v>4</v></c></row>"
        "<row r=\"5\"><c><v>5</v></c></row><row><c><v>6</v></c></row>",
        {}, "");  // and no dimension at all
    EXPECT_EQ(sheet.Cell(1, "A"), Number(1));
    EXPECT_EQ(sheet.Cell(1, "B"), Number(2));
    EXPECT_EQ(sheet.Cell(2, "C"), Number(3));
    EXPECT_EQ(sheet.Cell(2, "D"), Number(4));
    EXPECT_EQ(sheet.Cell(5, "A"), Number(5));
    EXPECT_EQ(sheet.Cell(6, "A"), Number(6));
    EXPECT_EQ(sheet.Cell(3, "A"), kEmpty);
}

TEST_F(ReadCells, CellsAndRowsOutOfOrderAndRepeated) {
    Worksheet& sheet = Open(
        "<row r=\"4\"><c r=\"C4\"><v>43</v></c><c r=\"A4\"><v>41</v></c></row>"
        "<row r=\"2\"><c r=\"B2\"><v>22</v></c></row>"
        "<row r=\"4\"><c r=\"B4\"><v>42</v></c><c r=\"C4\"><v>99</v></c></row>");
    EXPECT_EQ(sheet.Cell(4, "A"), Number(41));
    EXPECT_EQ(sheet.Cell(4, "B"), Number(42));
    EXPECT_EQ(sheet.Cell(4, "C"), Number(99));  // the later copy of a cell wins
    EXPECT_EQ(sheet.Cell(2, "B"), Number(22));
    EXPECT_EQ(sheet.Cell(3, "B"), kEmpty);
}

TEST_F(ReadCells, PrefixedElementsAreReadLikeAnyOthers) {
    BookLayout layout;
    layout.sheets.push_back(
        {"Datos",
         "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><x:sheetData>"
         "<x:row r=\"1\"><x:c r=\"A1\"><x:v>5</x:v></x:c><x:c r=\"B1\" t=\"inlineStr\"><x:is><x:t>dato</x:t></x:is></x:c>"
         "</x:row></x:sheetData></x:worksheet>"});
    test::WriteBook(folder_ / "libro.xlsx", layout);
    Workbook book = Workbook::Open(folder_ / "libro.xlsx");
    EXPECT_EQ(book.Sheet("Datos").Cell(1, "A"), Number(5));
    EXPECT_EQ(book.Sheet("Datos").Cell(1, "B"), Text("dato"));
}

TEST_F(ReadCells, BadAddressesAreRefusedWithAMessage) {
    Worksheet& sheet = Open("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>");
    EXPECT_THROW((void)sheet.Cell(0, "A"), WorkbookError);
    EXPECT_THROW((void)sheet.Cell(1, ""), WorkbookError);
    EXPECT_THROW((void)sheet.Cell(1, "XFE"), WorkbookError);
    try {
        (void)sheet.Cell(1, "1");
        FAIL() << "a digit is not a column";
    } catch (const WorkbookError& error) {
        EXPECT_STREQ(error.what(), "La columna «1» no existe en una hoja (van de A a XFD).");
    }
}

}  // namespace
}  // namespace trevalco::workbook
