// Text files as workbooks of one sheet: cells read in the file's dialect,
// only the fields written change when saved, malformed files are refused
// before anything is written, and long runs are spooled.
#include <gtest/gtest.h>

#include "TestBooks.h"
#include "Workbook.h"

namespace trevalco::workbook {
namespace {

using test::Slurp;
using test::Spill;
using Value = cells::CellValue;

TEST(TextFiles, ReadAsOneSheetInTheirDialect) {
    const std::vector<std::tuple<const char*, std::string, std::vector<std::tuple<int, int, Value>>>> cases = {
        {"datos.final.csv", "Punto;Lat\r\nPe\xF1" "a;-33,5\r\n\"a;\"\"b\"\"\nc\";1e3\r\n",
         {{1, 1, Value("Punto")}, {2, 1, Value("Peña")}, {2, 2, Value(-33.5)}, {3, 1, Value("a;\"b\"\nc")},
          {3, 2, Value(1000.0)}, {4, 1, Value()}}},
        {"datos.csv", "33.45,70.65\n,\"x\"", {{1, 1, Value(33.45)}, {1, 2, Value(70.65)}, {2, 1, Value()}, {2, 2, Value("x")}}},
        {"datos.txt", "\xEF\xBB\xBFPe\xC3\xB1" "a\t1,5\n\"2,5\"\t-0,25", {{1, 1, Value("Peña")}, {1, 2, Value(1.5)}, {2, 1, Value(2.5)}}},
        {"datos.csv", "P 1 , 33.45\n", {{1, 1, Value("P 1 ")}, {1, 2, Value(33.45)}}},
    };
    for (const auto& [name, bytes, cells] : cases) {
        test::TestFolder folder;
        Spill(folder / name, bytes);
        Workbook book = Workbook::Open(folder / name);
        ASSERT_EQ(book.SheetNames(), std::vector<std::string>{"datos"}) << name;
        for (const auto& [row, column, value] : cells)
            EXPECT_EQ(book.Sheet("datos").Cell(row, column), value) << bytes << " " << row << "," << column;
    }
}

TEST(TextFiles, OnlyTheFieldsWrittenChange) {
    // Source, writes (row, column, digits or text, decimals or -1 for a text), and the output.
    const std::vector<std::tuple<std::string, std::vector<std::tuple<int, int, std::string, int>>, std::string>> cases = {
        {"a;2,5\r\n", {{1, 2, "-1.50", 2}, {1, 4, "x;y", -1}, {3, 1, "z", -1}}, "a;-1,50;;\"x;y\"\r\n\r\nz\r\n"},
        {"\"q\",1.5", {{1, 1, "w\"x", -1}, {2, 2, "2.25", 2}}, "\"w\"\"x\",1.5\n,2.25\n"},
        {"Pe\xF1" "a;\"1,5\";;x\n", {{1, 2, "7", 0}, {1, 3, "ñu", -1}}, "Pe\xF1" "a;\"7\";\xF1u;x\n"},
        {"\xEF\xBB\xBF" "ñ\t1\n\n", {{2, 3, "ç", -1}}, "\xEF\xBB\xBF" "ñ\t1\n\t\tç\n"},
    };
    for (const auto& [bytes, writes, expected] : cases) {
        test::TestFolder folder;
        Spill(folder / "p.csv", bytes);
        Workbook book = Workbook::Open(folder / "p.csv");
        Worksheet& sheet = book.Sheet("p");
        for (const auto& [row, column, text, decimals] : writes)
            decimals < 0 ? sheet.Write(row, column, text) : sheet.WriteNumber(row, column, text, decimals);
        EXPECT_EQ(book.SaveAs(folder / "p_1"), folder / "p_1.csv");
        EXPECT_EQ(Slurp(folder / "p_1.csv"), expected) << bytes;
        EXPECT_EQ(Slurp(folder / "p.csv"), bytes);
    }
}

TEST(TextFiles, MalformedFilesAreRefusedWithTheirReason) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a;b\n\"abc;d\ne\n", "la comilla que abre un campo en la línea 2 no se cierra"},
        {"a;b\nc" + std::string(1, '\0') + "d\n", "no es un archivo de texto"},
        {"a;b\n\x01\x02\x03\n", "no es un archivo de texto (tiene bytes de control, como el byte nulo, en la línea 2)"},
        {std::string(16384, ';') + "\n", "la línea 1 tiene más de 16384 campos"},
        {std::string(1'048'577, '\n'), "tiene más de 1048576 líneas"},
        {"a\n" + std::string((1 << 20) + 1, 'x') + "\n", "la línea 2 es más larga de lo que admite una hoja"},
        {"a\n\"" + std::string((1 << 20) + 1, 'x') + "\n", "la comilla que abre un campo en la línea 2 no se cierra antes"},
    };
    OpenOptions options;
    options.limits.maxSmallPartBytes = 1 << 20;
    for (const auto& [bytes, reason] : cases) {
        test::TestFolder folder;
        Spill(folder / "p.csv", bytes);
        try {
            Workbook::Open(folder / "p.csv", options).SaveAs(folder / "p_1");
            ADD_FAILURE() << "opened: " << reason;
        } catch (const WorkbookError& error) {
            EXPECT_NE(std::string(error.what()).find(reason), std::string::npos) << error.what();
        }
        EXPECT_EQ(folder.Files(), std::vector<std::string>{"p.csv"});
    }
}

TEST(TextFiles, LongRunsAreSpooledAndStillReadBack) {
    test::TestFolder folder;
    std::string source;
    std::string expected;
    const int rows = 70'000;  // more written cells than the sheet holds before spooling
    for (int row = 1; row <= rows; ++row) {
        source += "P" + std::to_string(row) + ";1,5\r\n";
        expected += "P" + std::to_string(row) + ";1,5;" + (row == 3 ? "otra" : std::to_string(row) + ",25") + "\r\n";
    }
    Spill(folder / "p.csv", source);
    Workbook book = Workbook::Open(folder / "p.csv");
    Worksheet& sheet = book.Sheet("p");
    for (int row = 1; row <= rows; ++row) sheet.WriteNumber(row, 3, std::to_string(row) + ".25", 2);
    EXPECT_EQ(sheet.Cell(5, 3), Value(5.25));  // spooled
    EXPECT_EQ(sheet.Cell(5, 1), Value("P5"));
    EXPECT_EQ(sheet.LastRow(), rows);
    sheet.Write(3, 3, "otra");  // into a spooled row
    book.SaveAs(folder / "p_1");
    EXPECT_EQ(Slurp(folder / "p_1.csv"), expected);

    Spill(folder / "p.csv", source + "P;0\r\n");  // the source changed under the open book
    try {
        book.Save();
        ADD_FAILURE() << "saved over a changed source";
    } catch (const WorkbookError& error) {
        EXPECT_NE(std::string(error.what()).find("el archivo de origen cambió"), std::string::npos) << error.what();
    }
}

}  // namespace
}  // namespace trevalco::workbook
