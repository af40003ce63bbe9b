// The UTM page's run: the documented point, the page's zone for every row,
// the silent input range, the prompted transformation range, bad cells and
// bands without parameters.
#include "RunFixture.h"

namespace trevalco::batch::test {
namespace {

using UtmRun = RunFixture;

UtmColumns Zone(std::int16_t zone) {
    UtmColumns columns;
    columns.zone = zone;
    return columns;
}

TEST_F(UtmRun, TheDocumentedPointAndTheEndWithTheFourthEmptyRow) {
    const fs::path source = Book({{std::string("P"), 6297606.833, 346642.695},
                                  {std::string("P"), std::string("6297606.833"), std::string(" 346642.695")}});
    const std::string before = Bytes(source);
    Ok(4 + 1);

    const RunResult result = Run(Setup(source, Zone(19)));

    EXPECT_EQ(result.end, RunEnd::Completed);
    EXPECT_EQ(progress.maximum, 7);
    EXPECT_EQ(Texts(), (std::vector<std::string>{Prompt(3, kEmptyRowText), Prompt(4, kEmptyRowText),
                                                 Prompt(5, kEmptyRowText), Prompt(6, kEmptyRowText),
                                                 "Archivo Guardado como     datos_1.xlsx "}));
    EXPECT_EQ(dialogs.Messages().back().title, "Error");
    EXPECT_EQ(std::tie(result.rowsConverted, result.rowsSkipped), std::make_tuple(2, 4));
    EXPECT_EQ(Bytes(source), before);
    Output out(*result.output);
    for (int row : {1, 2})
        out.ExpectRow(row, 'D', {"33.4499999969", "70.6500000000", "6297632.781", "346701.908", "33.4496588093",
                                 "70.6493505358"});
}

TEST_F(UtmRun, RangesBadCellsBandsWithoutParametersAndThePagesZone) {
    key = kSirgasToPsad56;
    const fs::path source = Book({
        {{}, 8894000.0, 610000.0},        // 10 S: north of 17, source position only, silently
        {{}, 5571000.0, 372000.0},        // 76.5 W: past the transformation range, prompted
        {{}, std::string("norte"), 300000.0},
        {{}, 1e300, 1e300},               // no position at all
        {{}, 6300000.0, {}},
        {{}, 4460000.0, 715000.0},        // 50 S: no PSAD56 parameters
        {{}, 6297000.0, 639500.0},        // 33.46 S 73.50 W
        {{}, 6297606.833, 346642.695},    // 70.65 W in zone 19 lies at 76.65 W in zone 18
    });
    Ok(10);

    const RunResult result = Run(Setup(source, Zone(18)));

    EXPECT_EQ(result.end, RunEnd::Completed);
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           Prompt(2, kOutOfLimitsText), Prompt(3, kInvalidRowText), Prompt(4, kInvalidRowText),
                           Prompt(5, kEmptyRowText), dialogs::NoParametersMessage().text, Prompt(8, kOutOfLimitsText),
                           Prompt(9, kEmptyRowText), Prompt(10, kEmptyRowText), Prompt(11, kEmptyRowText),
                           "Archivo Guardado como     datos_1.xlsx "}));
    EXPECT_EQ(progress.maximum, 13);
    EXPECT_EQ(std::tie(result.rowsConverted, result.rowsSourceOnly, result.rowsSkipped), std::make_tuple(1, 4, 6));
    Output out(*result.output);
    for (int row : {1, 2, 6, 8}) {
        EXPECT_FALSE(out.Empty(row, "D")) << row;
        EXPECT_TRUE(out.Empty(row, "F")) << row;
    }
    for (int row : {3, 4, 5}) out.ExpectRow(row, 'D', {"", "", "", "", "", ""});
    EXPECT_FALSE(out.Empty(7, "I"));
    EXPECT_NEAR(out.Number(8, "E"), 76.65, 1e-6);
}

}  // namespace
}  // namespace trevalco::batch::test
