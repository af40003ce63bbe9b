// Where a run finds the end of the data, one sheet a row: empty or skipped
// rows with data below them are told but never count toward the end; the
// end rule counts only the rows after the last row with data; a sheet whose
// data simply ends runs as it always did, prompts and progress bar included.
// (The window's tests ask about filled output columns and rows never reached.)
#include "RunFixture.h"

namespace trevalco::batch::test {
namespace {

using EndOfData = RunFixture;

const TestRow kBlank{};
TestRow Point(double a, double b) { return {std::string("P"), a, b}; }
TestRow Dms(TestCell latD, double lonD) { return {std::string("P"), latD, 0.0, 0.0, lonD, 0.0, 0.0}; }

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
    UtmColumns zone19;
    zone19.zone = 19;
    const std::vector<Case> cases = {
        // P1, blank, P2, blank, P3, blank, P4, P5: every point converted.
        {"blanks between points", DecimalColumns{}, {p, kBlank, p, kBlank, p, kBlank, p, p}, 3 + 3, 11, 13, 5},
        {"data in rows 1 to 10, nothing below", DecimalColumns{}, tenPoints, 3, 13, 15, 10},
        {"a half-empty last row counts", DecimalColumns{}, {p, {std::string("P"), 33.0}}, 3, 4, 7, 1},
        {"four empty rows between UTM points", zone19, {u, kBlank, kBlank, kBlank, kBlank, u}, 4 + 4, 10, 11, 2},
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

}  // namespace
}  // namespace trevalco::batch::test
