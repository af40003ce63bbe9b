// Where a run finds the end of the data, one sheet a row: empty or skipped
// rows with data below them are told but never count toward the end; the
// end rule counts only the rows after the last row with data; a sheet whose
// data simply ends runs as it always did, prompts and progress bar included.
// Before anything is written, output columns that hold data in the rows the
// run will write are asked about once.
#include "RunFixture.h"

namespace trevalco::batch::test {
namespace {

using EndOfData = RunFixture;

const TestRow kBlank{};
TestRow Point(double a, double b) { return {std::string("P"), a, b}; }
TestRow Dms(TestCell latD, double lonD) { return {std::string("P"), latD, 0.0, 0.0, lonD, 0.0, 0.0}; }
UtmColumns Zone19() {
    UtmColumns columns;
    columns.zone = 19;
    return columns;
}

TEST_F(EndOfData, IsFoundAfterTheLastRowWithData) {
    struct Case {
        const char* sheet;
        PageColumns page;
        std::vector<TestRow> rows;
        int prompts;               // answered OK, before the saved-file message
        std::int32_t lastRow, maximum, converted;
    };
    const TestRow p = Point(33.45, 70.65), u = Point(6297606.833, 346642.695);
    std::vector<TestRow> tenPoints(10, p);
    const std::vector<Case> cases = {
        // P1, blank, P2, blank, P3, blank, P4, P5: every point converted.
        {"blanks between points", DecimalColumns{}, {p, kBlank, p, kBlank, p, kBlank, p, p}, 3 + 3, 11, 13, 5},
        {"data in rows 1 to 10, nothing below", DecimalColumns{}, tenPoints, 3, 13, 15, 10},
        {"a half-empty last row counts", DecimalColumns{}, {p, {std::string("P"), 33.0}}, 3, 4, 7, 1},
        {"four empty rows between UTM points", Zone19(), {u, kBlank, kBlank, kBlank, kBlank, u}, 4 + 4, 10, 11, 2},
        {"four skipped degree rows between points", DmsColumns{},
         {Dms(33.0, 70.0), Dms(16.0, 70.0), Dms(33.5, 70.0), Dms(std::string("x"), 70.0), Dms(57.0, 70.0),
          Dms(34.0, 71.0)},
         4 + 4, 10, 11, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sheet);
        const fs::path source = Book(c.rows);
        Ok(c.prompts + 1);

        const RunResult result = Run(Setup(source, c.page));

        EXPECT_EQ(result.end, RunEnd::Completed);
        EXPECT_EQ(std::tie(result.lastRow, progress.maximum, result.rowsConverted, result.rowsUnreached),
                  std::make_tuple(c.lastRow, c.maximum, c.converted, 0));
        EXPECT_EQ(dialogs.Messages().back().text.find('\n'), std::string::npos);
        fs::remove(*result.output);
    }
}

// Cancel with data below: the saved-file message gains the counts.
TEST_F(EndOfData, ARunThatLeavesDataUnreachedSaysSo) {
    const fs::path source = Book({Point(33.45, 70.65), kBlank, Point(33.45, 70.65), Point(34.0, 71.0)});
    Cancel();
    Ok();

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    EXPECT_EQ(result.end, RunEnd::Cancelled);
    EXPECT_EQ(dialogs.Messages().back().text,
              "Archivo Guardado como \"datos_1.xlsx\"\nFilas convertidas: 1; omitidas: 0; sin alcanzar: 2.");
}

// Output columns with data in rows that will be written: asked once; a
// header's cells and rows that will not be written are not looked at.
TEST_F(EndOfData, OutputColumnsWithDataAreAskedAboutBeforeAnythingIsWritten) {
    const fs::path source = Book({{std::string("Punto"), std::string("Lat"), std::string("Lon"), std::string("Cota")},
                                  {std::string("P1"), 33.45, 70.65, 512.4, std::string("muro")},
                                  {std::string("P2"), std::string("x"), 70.65, 600.0},
                                  {std::string("P3"), 34.0, 71.0, 610.0}});
    const std::string sourceBytes = Bytes(source);
    for (const auto answer : {dialogs::Answer::Cancel, dialogs::Answer::Ok}) {
        const std::size_t before = dialogs.Messages().size();
        dialogs.Answer(answer);
        if (answer == dialogs::Answer::Ok) Ok(2 + 3 + 1);  // header and P2, three empty rows, saved

        const RunResult result = Run(Setup(source, DecimalColumns{}));

        const dialogs::Message& question = dialogs.Messages().at(before);
        EXPECT_EQ(question.text, "Las columnas D, E ya tienen datos en 2 filas; ¿reemplazarlos?");
        EXPECT_EQ(question.buttons, dialogs::Buttons::YesNo);
        EXPECT_EQ(result.end, answer == dialogs::Answer::Ok ? RunEnd::Completed : RunEnd::KeptColumns);
        EXPECT_EQ(folder.Files().size(), answer == dialogs::Answer::Ok ? 2U : 1U);
    }
    EXPECT_EQ(Bytes(source), sourceBytes);
}

}  // namespace
}  // namespace trevalco::batch::test
