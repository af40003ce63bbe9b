// Reading cells of every kind, however the sheet's XML spells them.
#include <gtest/gtest.h>

#include <tuple>

#include "PartSource.h"
#include "SheetReader.h"
#include "TestBooks.h"
#include "TrickleSource.h"
#include "Workbook.h"

namespace trevalco::workbook {
namespace {

using test::BookLayout;
using test::SheetXml;
using test::TestFolder;
using Value = cells::CellValue;

Value Text(const std::string& text) { return Value(text); }
const Value kEmpty{};

using Expected = std::tuple<std::int32_t, const char*, Value>;  // row, column, value

struct SheetCase {
    std::string name;
    std::string xml;  // the whole sheet part
    std::vector<Expected> cells;
};

TEST(ReadCells, EveryKindOfCellHoweverItIsSpelled) {
    const std::vector<SheetCase> cases = {
        {"numeros y textos",
         SheetXml("<row r=\"1\"><c r=\"A1\"><v>-33.45</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
                  "<c r=\"C1\" s=\"1\"/><c r=\"D1\" t=\"n\"><v>7E-3</v></c></row><row r=\"3\"><c r=\"B3\" t=\"s\"><v>0</v></c></row>"),
         {{1, "A", -33.45}, {1, "B", Text("70,65")}, {1, "C", kEmpty} /* formatted, no value */, {1, "d", 0.007},
          {2, "A", kEmpty}, {3, "B", Text("Latitud")}, {1048576, "XFD", kEmpty}, {1048577, "A", kEmpty}}},
        {"en linea",
         SheetXml("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>plano</t></is></c>"
                  "<c r=\"B1\" t=\"inlineStr\"><is><r><rPr><b/></rPr><t>Pun</t></r><r><t xml:space=\"preserve\">to 1 </t></r>"
                  "<rPh sb=\"0\" eb=\"1\"><t>ignorado</t></rPh></is></c>"
                  "<c r=\"C1\" t=\"inlineStr\"><is><t>a&amp;b &lt;c&gt; l\xC3\xADnea_x000D_</t></is></c>"
                  "<c r=\"D1\" t=\"s\"><v>2</v></c><c r=\"E1\" t=\"s\"><v>3</v></c></row>"),
         {{1, "A", Text("plano")}, {1, "B", Text("Punto 1 ")}, {1, "C", Text("a&b <c> l\xC3\xADnea\r")},
          {1, "D", Text("Norte")}, {1, "E", Text("_x0041_")} /* an escaped escape stays literal */}},
        {"formulas",
         SheetXml("<row r=\"1\"><c r=\"A1\" t=\"b\"><v>1</v></c><c r=\"B1\" t=\"b\"><v>0</v></c>"
                  "<c r=\"C1\" t=\"e\"><v>#N/A</v></c><c r=\"D1\" t=\"e\"><f>1/0</f><v>#DIV/0!</v></c>"
                  "<c r=\"E1\"><f>SUM(A2:A3)</f><v>12.5</v></c><c r=\"F1\" t=\"str\"><f>\"ab\"&amp;\"c\"</f><v>abc</v></c>"
                  "<c r=\"G1\"><f>A1</f></c><c r=\"H1\" t=\"d\"><v>2024-03-01T00:00:00</v></c></row>"),
         {{1, "A", Text("VERDADERO")}, {1, "B", Text("FALSO")}, {1, "C", Text("#N/A")}, {1, "D", Text("#DIV/0!")},
          {1, "E", 12.5}, {1, "F", Text("abc")}, {1, "H", Text("2024-03-01T00:00:00")},
          // A formula never calculated is no number and no empty cell either.
          {1, "G", Text(kNoResultText)}}},
        {"sin referencias",
         SheetXml("<row><c><v>1</v></c><c><v>2</v></c></row><row><c r=\"C2\"><v>3</v></c><c><v>4</v></c></row>"
                  "<row r=\"5\"><c><v>5</v></c></row><row><c><v>6</v></c></row>", ""),
         {{1, "A", 1.0}, {1, "B", 2.0}, {2, "C", 3.0}, {2, "D", 4.0}, {5, "A", 5.0}, {6, "A", 6.0}, {3, "A", kEmpty}}},
        {"desorden",
         SheetXml("<row r=\"4\"><c r=\"C4\"><v>43</v></c><c r=\"A4\"><v>41</v></c></row><row r=\"2\"><c r=\"B2\"><v>22</v></c></row>"
                  "<row r=\"4\"><c r=\"B4\"><v>42</v></c><c r=\"C4\"><v>99</v></c></row>"),
         {{4, "A", 41.0}, {4, "B", 42.0}, {4, "C", 99.0} /* the later copy wins */, {2, "B", 22.0}, {3, "B", kEmpty}}},
        {"prefijos",
         "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><x:sheetData>"
         "<x:row r=\"1\"><x:c r=\"A1\"><x:v>5</x:v></x:c><x:c r=\"B1\" t=\"inlineStr\"><x:is><x:t>dato</x:t></x:is></x:c>"
         "</x:row></x:sheetData></x:worksheet>",
         {{1, "A", 5.0}, {1, "B", Text("dato")}}},
    };
    TestFolder folder;
    BookLayout layout;
    for (const SheetCase& c : cases) layout.sheets.push_back({c.name, c.xml});
    layout.sharedStrings =
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>Latitud</t></si><si><t>70,65</t></si>"
        "<si><r><t>Nor</t></r><r><rPr><i/></rPr><t>te</t></r><rPh><t>x</t></rPh></si><si><t>_x005F_x0041_</t></si></sst>";
    test::WriteBook(folder / "libro.xlsx", layout);
    Workbook book = Workbook::Open(folder / "libro.xlsx");
    for (const SheetCase& c : cases)
        for (const auto& [row, column, value] : c.cells)
            EXPECT_EQ(book.Sheet(c.name).Cell(row, column), value) << c.name << " " << column << row;
    Worksheet& first = book.Sheet("numeros y textos");
    EXPECT_EQ(first.Cell(3, 2), Text("Latitud"));
    EXPECT_EQ(first.LastRow(), 3);
    EXPECT_EQ(first.LastColumn(), 4);
    // Rows out of order are read, but the sheet is refused for writing, and
    // saving it anyway fails rather than damage it, leaving nothing behind.
    EXPECT_THROW(book.Sheet("desorden").CheckRowOrder(), WorkbookError);
    EXPECT_NO_THROW(first.CheckRowOrder());
    book.Sheet("desorden").Write(3, "B", "x");
    EXPECT_THROW(book.SaveAs(folder / "desorden_1"), WorkbookError);
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"libro.xlsx"});
    // Bad addresses are refused with a message.
    EXPECT_THROW((void)first.Cell(0, "A"), WorkbookError);
    EXPECT_THROW((void)first.Cell(1, ""), WorkbookError);
    EXPECT_THROW((void)first.Cell(1, "XFE"), WorkbookError);
    try {
        (void)first.Cell(1, "1");
        FAIL() << "a digit is not a column";
    } catch (const WorkbookError& error) {
        EXPECT_STREQ(error.what(), "La columna «1» no existe en una hoja (van de A a XFD).");
    }
}

// Everything a read gives, as text: each cell, the first row-order fault and
// where the rows lie; or the error. The part comes `step` bytes at a time.
std::string ReadAll(const std::string& xml, std::size_t pieceBytes, std::size_t step) {
    test::TrickleSource source(xml, step);
    try {
        const CellGrid grid = ReadSheet(source, "hoja.xml", pieceBytes);
        std::string all;
        for (std::int32_t row = 1; row <= grid.LastRow(); ++row)
            for (std::int32_t column = 1; column <= grid.LastColumn(); ++column)
                if (const StoredCell* cell = grid.Find(row, column))
                    all += std::to_string(row) + "," + std::to_string(column) + (cell->formula ? "f" : "") + "=" +
                           (cell->kind == CellKind::OwnText ? std::string(grid.OwnText(*cell))
                                                            : std::to_string(cell->payload)) + " ";
        if (const auto& fault = grid.RowOrder()) all += "desorden " + std::to_string(fault->row) + "<" + std::to_string(fault->after);
        return all + " filas " + std::to_string(grid.Rows().start) + "-" + std::to_string(grid.Rows().end) +
               (grid.Rows().plain ? " simples" : "");
    } catch (const WorkbookError& error) {
        return error.what();
    }
}

TEST(ReadCells, RowsReadInPiecesOnOtherThreadsGiveWhatReadingInOrderGives) {
    const std::string rows = "<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\" t=\"inlineStr\"><is><t>uno</t></is></c></row>\n"
                             "<row r=\"2\" spans=\"1:2\"><c r=\"A2\"><f>A1</f><v>2</v></c></row>\n";
    const std::string tail = "<row r=\"9\"><c r=\"C9\" t=\"s\"><v>0</v></c></row>";
    const std::vector<std::string> sheets = {
        SheetXml(rows + tail),
        SheetXml(rows + "<!-- comentario </row> -->" + tail),
        SheetXml(rows + "<row><c><v>3</v></c></row>" + tail),              // a row numbered by the one before
        SheetXml(rows + "<row r=\"2\"><c r=\"B2\"><v>5</v></c></row>" + tail),  // a row repeated
        SheetXml(tail + rows),                                              // rows out of order
        SheetXml(rows + "<row r=\"4\"><row r=\"5\"></row></row>" + tail),   // a row in a row
        SheetXml(rows + "<row r=\"4\"><c r=\"A4\"><v>1</c></row>\n" + tail),  // damaged on line 4
        SheetXml(rows + "<row r=\"4\">\r\n<c r=\"A4\"><v>1</c></row>" + tail),  // on line 5
        SheetXml(rows + "<row r=\"4\"><c r=\"A4\" t=\"s\"><v>x</v></c></row>" + tail),
        SheetXml(rows + "<row r=\"4\"><![CDATA[</row>]]></row>" + tail),
        SheetXml("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>", "<!-- <sheetData> -->"),
        SheetXml(rows, "", "<!-- </row> -->"),
        "<worksheet><sheetDataX/><sheetData\n>" + rows + tail + "</sheetData></worksheet>",
        // Rows read without expat unless they stray from plain ASCII markup.
        SheetXml(rows + "<row r = '4' x.y-z=\"a&gt;b\"><c r=\"A4\" t=\"inlineStr\"><is><t>\tuno\ndos</t></is></c ></row>" + tail),
        SheetXml(rows + "<row r=\"4\"><c r=\"A4\" t=\"inlineStr\"><is><t>a&amp;b</t></is></c></row>" + tail),
        SheetXml(rows + "<row r=\"4\"><c r=\"A4\" t=\"inlineStr\"><is><t>a\r\nb</t></is></c></row>" + tail),
        SheetXml(rows + "<row r=\"4\"><c r=\"A4\" t=\"inlineStr\"><is><t>\xC3\xB1 \xFF</t></is></c></row>" + tail),
        SheetXml(rows + "<row r=\"4\" r=\"5\"><c r=\"A4\"><v>1</v></c></row>" + tail),
        SheetXml(rows + "<row r=\"4\"><c r=\"A4\"s=\"1\"><v>1</v></c></row>" + tail),
        SheetXml(rows + "<row r=\"4\"><c r=\"A4\"/ ></row>" + tail),
        SheetXml(rows + "<row r=\"4\"><c r=\"A4\" t=\"str\"><v>]]></v></c></row>" + tail),
        SheetXml(rows + "<row r=\"4\"><c r=\"A4\"><v>1</c></v></row>" + tail),
        SheetXml(rows + "<row r=\"4\"><c r=\"A4\" t=\"str\"><v>a\x01</v></c></row>" + tail),
    };
    for (const std::string& xml : sheets) {
        const std::string inOrder = ReadAll(xml, 0, xml.size());
        for (const std::size_t piece : {1U, 40U, 100U})
            for (const std::size_t step : {std::size_t{1}, std::size_t{7}, xml.size()})
                EXPECT_EQ(ReadAll(xml, piece, step), inOrder) << xml << " " << piece << " " << step;
    }
}

}  // namespace
}  // namespace trevalco::workbook
