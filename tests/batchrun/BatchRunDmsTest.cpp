// The degree-minute-second page's run: worked rows, the cell prompts with
// their cell names, the zero notices, bands without parameters, and the end
// after the fourth skipped row.
#include "RunFixture.h"

namespace trevalco::batch::test {
namespace {

using DmsRun = RunFixture;

using S = cells::CellStatus;

TestRow Row(TestCell latD, TestCell latM, TestCell latS, TestCell lonD, TestCell lonM, TestCell lonS) {
    return {std::string("P"), latD, latM, latS, lonD, lonM, lonS};
}

std::string Prompt(const std::string& cell, cells::CellStatus code) {
    return dialogs::CellMessage(cell, dialogs::CellPromptText(code));
}

const std::vector<std::string> kNothing(8, "");

TEST_F(DmsRun, WorkedRowsZeroNoticesBandsAndTheEndAfterFourSkippedRows) {
    key = kSirgasToPsad56;
    const fs::path source = Book({
        Row(33.0, 27.0, 0.0, 70.0, 39.0, 0.0),
        Row(-33.0, 27.0, 0.5, 70.0, 39.0, 0.0),
        Row(33.0, {}, {}, 70.0, 39.0, 0.0),
        Row(17.0, 0.0, 0.0, 66.0, 0.0, 0.0),    // the limits; no PSAD56 parameters at 17 S
        Row(56.0, 30.0, 0.0, 76.0, 10.0, 0.0),  // within the degree limits, past the bands and 76 W
        Row(33.0, 59.0, 59.999, 70.0, 59.0, 59.5),
        Row(45.0, 0.0, 0.0, 72.0, 0.0, 0.0),  // no PSAD56 parameters
    });
    const std::string before = Bytes(source);
    Ok(5 + 4 + 1);

    const RunResult result = Run(Setup(source, DmsColumns{}));

    EXPECT_EQ(result.end, RunEnd::Completed);
    const auto notice = [](const std::string& cell) { return dialogs::CellMessage(cell, dialogs::kZeroNoticeText); };
    const std::string band = dialogs::NoParametersMessage().text;
    EXPECT_EQ(Texts(), (std::vector<std::string>{notice("C,3"), notice("D,3"), band, band, band, Prompt("B,8", S::Empty), Prompt("B,9", S::Empty), Prompt("B,10", S::Empty),
                                                 Prompt("B,11", S::Empty), "Archivo Guardado como     datos_1.xlsx "}));
    const auto& zero = dialogs.Messages()[0];
    EXPECT_EQ(std::tie(zero.title, zero.icon, zero.buttons),
              std::make_tuple(std::string("Advertencia"), dialogs::MessageIcon::Exclamation, dialogs::Buttons::Ok));
    const auto& cell = dialogs.Messages()[5];
    EXPECT_EQ(std::tie(cell.title, cell.icon, cell.buttons),
              std::make_tuple(std::string("Advertencia"), dialogs::MessageIcon::None, dialogs::Buttons::OkCancel));
    const auto& saved = dialogs.Messages().back();
    EXPECT_EQ(std::tie(saved.title, saved.icon), std::make_tuple(std::string("Error"), dialogs::MessageIcon::Exclamation));
    EXPECT_EQ(progress.maximum, 12);
    EXPECT_EQ(std::tie(result.rowsConverted, result.rowsSourceOnly, result.rowsSkipped), std::make_tuple(4, 3, 4));
    EXPECT_EQ(Bytes(source), before);

    Output out(*result.output);
    out.ExpectRow(1, 'H', {"33.4500000000", "70.6500000000", "6297606.833", "346642.695", "33.4461474161",
                           "70.6478833098", "6297980.173", "346825.988"});
    out.ExpectRow(2, 'H', {"33.4501388889", "70.6500000000"});
    out.ExpectRow(3, 'H', {"33.0000000000", "70.6500000000"});
    out.ExpectRow(4, 'H', {"17.0000000000", "66.0000000000"});
    out.ExpectRow(5, 'H', {"56.5000000000", "76.1666666667"});
    out.ExpectRow(6, 'H', {"33.9999997222", "70.9998611111"});
    out.ExpectRow(7, 'H', {"45.0000000000", "72.0000000000"});
    for (int row : {1, 2, 3, 6}) EXPECT_FALSE(out.Empty(row, "O")) << row;
    for (int row : {4, 5, 7}) {
        EXPECT_FALSE(out.Empty(row, "K")) << row;
        EXPECT_TRUE(out.Empty(row, "L")) << row;
    }
}

TEST_F(DmsRun, BadCellsArePromptedByNameTheFourthSkipAfterTheDataEndsTheRunAndCancelStopsIt) {
    struct Case {
        std::vector<TestRow> rows;
        bool cancelLast;
        std::vector<std::string> prompts;
    };
    const std::vector<Case> cases = {
        {{Row(16.0, 0.0, 0.0, 70.0, 0.0, 0.0),                     // degrees out of limits
          Row(33.5, 0.0, 0.0, 70.0, 0.0, 0.0),                     // degrees with decimals
          Row(33.0, 10.0, 0.0, 70.0, 10.0, 0.0),                   // good
          Row(33.0, 0.0, 0.0, 70.0, 60.0, 0.0),                    // longitude minutes out of range
          Row(std::string("treinta"), 0.0, 0.0, 70.0, 0.0, 0.0)},  // not numeric: the last data row, the first skip counted
         false,
         {Prompt("B,1", S::OutOfLimits), Prompt("B,2", S::HasDecimals), Prompt("F,4", S::OutOfRange), Prompt("B,5", S::NotNumeric),
          Prompt("B,6", S::Empty), Prompt("B,7", S::Empty), Prompt("B,8", S::Empty)}},
        {{Row(33.0, 60.0, 0.0, 70.0, 0.0, 0.0),    // minutes 60
          Row(33.0, 0.0, 60.0, 70.0, 0.0, 0.0),    // seconds 60
          Row(33.0, -1.0, 0.0, 99.0, 0.0, 0.0),    // minutes below 0; the longitude is never read
          Row(33.0, 10.5, 0.0, 70.0, 0.0, 0.0),    // minutes with decimals: Cancel
          Row(34.0, 0.0, 0.0, 71.0, 0.0, 0.0)},
         true,
         {Prompt("C,1", S::OutOfRange), Prompt("D,2", S::OutOfRange), Prompt("C,3", S::OutOfRange), Prompt("C,4", S::HasDecimals)}},  // row 5 never reached
    };
    for (const Case& c : cases) {
        const fs::path source = Book(c.rows);
        Ok(static_cast<int>(c.prompts.size()) - 1);
        if (c.cancelLast) Cancel(); else Ok();
        Ok();

        const RunResult result = Run(Setup(source, DmsColumns{}));

        EXPECT_EQ(result.end, c.cancelLast ? RunEnd::Cancelled : RunEnd::Completed);
        std::vector<std::string> expected = c.prompts;
        expected.push_back(std::string("Archivo Guardado como     datos_1.xlsx ") +
                           (c.cancelLast ? "\nFilas convertidas: 0; omitidas: 3; sin alcanzar: 1." : ""));
        const std::vector<std::string> texts = Texts();
        EXPECT_EQ(std::vector<std::string>(texts.end() - static_cast<std::ptrdiff_t>(expected.size()), texts.end()),
                  expected);
        Output out(*result.output);
        out.ExpectRow(c.cancelLast ? 5 : 1, 'H', kNothing);
        out.ExpectRow(c.cancelLast ? 4 : 6, 'H', kNothing);
        EXPECT_EQ(result.rowsConverted, c.cancelLast ? 0 : 1);
        if (!c.cancelLast) out.ExpectRow(3, 'H', {"33.1666666667", "70.1666666667"});
        fs::remove(*result.output);
    }
}

}  // namespace
}  // namespace trevalco::batch::test
