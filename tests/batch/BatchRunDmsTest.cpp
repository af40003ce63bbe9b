// The degree-minute-second page's run: worked rows against the chain, the
// cell prompts with their cell names, the zero notices, and the end after
// the fourth skipped row.
#include "RunFixture.h"

namespace trevalco::batch::test {
namespace {

using DmsRun = RunFixture;

struct Dms {
    double degrees, minutes, seconds;
    double Value() const { return std::fabs(degrees) + minutes / 60 + seconds / 3600; }
};

TestRow Row(TestCell latD, TestCell latM, TestCell latS, TestCell lonD, TestCell lonM,
            TestCell lonS) {
    return {std::string("P"), latD, latM, latS, lonD, lonM, lonS};
}

TestRow Row(Dms lat, Dms lon) {
    return Row(lat.degrees, lat.minutes, lat.seconds, lon.degrees, lon.minutes, lon.seconds);
}

void ExpectRow(Output& out, int row, const std::string& key, double lat, double lon) {
    SCOPED_TRACE("row " + std::to_string(row));
    const auto start = chain::StartGeographic(key, lat, lon, Util::ForcedZone::Off());
    const auto text = [&](double value, const char* mask) {
        return N(value, mask);
    };
    EXPECT_EQ(out(row, "H"), text(std::fabs(start.latitude), "##0.0000000000"));
    EXPECT_EQ(out(row, "I"), text(std::fabs(start.longitude), "##0.0000000000"));
    EXPECT_EQ(out(row, "J"), text(start.sourceUtm.northing, "########0.000"));
    EXPECT_EQ(out(row, "K"), text(start.sourceUtm.easting, "########0.000"));
    if (!start.shift.found || !chain::InTransformationRange(start.latitude, start.longitude)) {
        for (const char* column : {"L", "M", "N", "O"}) EXPECT_TRUE(out.Empty(row, column)) << column;
        return;
    }
    const auto target = chain::CarryToTarget(start.latitude, start.longitude, start.ellipsoids,
                                             start.shift.shift, Util::ForcedZone::Off());
    EXPECT_EQ(out(row, "L"), text(target.latitude, "##0.0000000000"));
    EXPECT_EQ(out(row, "M"), text(target.longitude, "##0.0000000000"));
    EXPECT_EQ(out(row, "N"), text(target.utm.northing, "########0.000"));
    EXPECT_EQ(out(row, "O"), text(target.utm.easting, "########0.000"));
}

void ExpectUntouched(Output& out, int row) {
    for (const char* column : {"H", "I", "J", "K", "L", "M", "N", "O"})
        EXPECT_TRUE(out.Empty(row, column)) << "row " << row << " column " << column;
}

std::string Prompt(const std::string& cell, std::string_view code) {
    return Util::CellMessage(cell, Util::CellPromptText(code));
}

TEST_F(DmsRun, WorkedRowsZeroNoticesAndTheEndAfterFourEmptyRows) {
    key = std::string(kSirgasToSad69);
    const fs::path source = Book({
        Row({33, 27, 0}, {70, 39, 0}),
        Row({-33, 27, 0.5}, {70, 39, 0}),
        Row(33.0, {}, {}, 70.0, 39.0, 0.0),
        Row({17, 0, 0}, {66, 0, 0}),
        Row({56, 30, 0}, {76, 10, 0}),  // within the degree limits, past the transformation range
        Row({33, 59, 59.999}, {70, 59, 59.5}),
    });
    const std::string before = Bytes(source);
    Ok(2 + 4 + 1);

    const RunResult result = Run(Setup(source, DmsColumns{}));

    EXPECT_EQ(result.end, RunEnd::Completed);
    const auto notice = [](const std::string& cell) {
        return Util::CellMessage(cell, Util::kZeroNoticeText);
    };
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           notice("C,3"), notice("D,3"), Prompt("B,7", "CV"), Prompt("B,8", "CV"),
                           Prompt("B,9", "CV"), Prompt("B,10", "CV"),
                           "Archivo Guardado como     datos_1.xlsx "}));
    EXPECT_EQ(dialogs.Messages()[0].title, "Advertencia");
    EXPECT_EQ(dialogs.Messages()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(dialogs.Messages()[0].buttons, dialogs::Buttons::Ok);
    EXPECT_EQ(dialogs.Messages()[2].title, "Advertencia");
    EXPECT_EQ(dialogs.Messages()[2].icon, MessageIcon::None);
    EXPECT_EQ(dialogs.Messages()[2].buttons, dialogs::Buttons::OkCancel);
    EXPECT_EQ(dialogs.Messages().back().title, "Error");
    EXPECT_EQ(dialogs.Messages().back().icon, MessageIcon::Exclamation);
    EXPECT_EQ(progress.maximum, 11);
    EXPECT_EQ(result.rowsConverted, 5);
    EXPECT_EQ(Bytes(source), before);

    Output out(*result.output);
    ExpectRow(out, 1, key, Dms{33, 27, 0}.Value(), Dms{70, 39, 0}.Value());
    ExpectRow(out, 2, key, Dms{33, 27, 0.5}.Value(), Dms{70, 39, 0}.Value());
    ExpectRow(out, 3, key, 33, Dms{70, 39, 0}.Value());
    ExpectRow(out, 4, key, 17, 66);
    ExpectRow(out, 5, key, 56.5, Dms{76, 10, 0}.Value());
    EXPECT_EQ(out(5, "H"), Util::CellValue(56.5));
    EXPECT_TRUE(out.Empty(5, "L"));
    ExpectRow(out, 6, key, Dms{33, 59, 59.999}.Value(), Dms{70, 59, 59.5}.Value());
}

TEST_F(DmsRun, BadCellsArePromptedByNameAndTheFourthSkipEndsTheRun) {
    const fs::path source = Book({
        Row(16.0, 0.0, 0.0, 70.0, 0.0, 0.0),               // degrees out of limits
        Row(33.5, 0.0, 0.0, 70.0, 0.0, 0.0),               // degrees with decimals
        Row({33, 10, 0}, {70, 10, 0}),                     // good
        Row(33.0, 0.0, 0.0, 70.0, 60.0, 0.0),              // longitude minutes out of range
        Row(std::string("treinta"), 0.0, 0.0, 70.0, 0.0, 0.0),  // not numeric: the fourth skip
        Row({34, 0, 0}, {71, 0, 0}),                       // never reached
    });
    Ok(4 + 1);

    const RunResult result = Run(Setup(source, DmsColumns{}));

    EXPECT_EQ(result.end, RunEnd::Completed);
    EXPECT_EQ(Texts(), (std::vector<std::string>{Prompt("B,1", "FL"), Prompt("B,2", "ND"),
                                                 Prompt("F,4", "FR"), Prompt("B,5", "NN"),
                                                 "Archivo Guardado como     datos_1.xlsx "}));
    EXPECT_EQ(result.rowsSkipped, 4);
    Output out(*result.output);
    ExpectUntouched(out, 1);
    ExpectRow(out, 3, key, Dms{33, 10, 0}.Value(), Dms{70, 10, 0}.Value());
    ExpectUntouched(out, 4);
    ExpectUntouched(out, 6);
}

TEST_F(DmsRun, ABadLatitudeSkipsTheLongitudeAndCancelStopsTheRun) {
    const fs::path source = Book({
        Row(33.0, 60.0, 0.0, 70.0, 0.0, 0.0),           // minutes 60
        Row(33.0, 0.0, 60.0, 70.0, 0.0, 0.0),           // seconds 60
        Row(33.0, -1.0, 0.0, 99.0, 0.0, 0.0),           // minutes below 0; longitude never read
        Row(33.0, 10.5, 0.0, 70.0, 0.0, 0.0),           // minutes with decimals: Cancel
        Row({34, 0, 0}, {71, 0, 0}),
    });
    Ok(3);
    Cancel();
    Ok();

    const RunResult result = Run(Setup(source, DmsColumns{}));

    EXPECT_EQ(result.end, RunEnd::Cancelled);
    EXPECT_EQ(Texts(), (std::vector<std::string>{Prompt("C,1", "FR"), Prompt("D,2", "FR"),
                                                 Prompt("C,3", "FR"), Prompt("C,4", "ND"),
                                                 "Archivo Guardado como     datos_1.xlsx "}));
    EXPECT_EQ(progress.finished, 1);
    Output out(*result.output);
    ExpectUntouched(out, 5);
}

TEST_F(DmsRun, DegreesWithoutBandParametersWriteOnlyTheSourceColumns) {
    key = std::string(kSirgasToPsad56);
    const fs::path source = Book({Row({45, 0, 0}, {72, 0, 0}), Row({33, 27, 0}, {70, 39, 0})});
    Ok(1 + 4 + 1);

    const RunResult result = Run(Setup(source, DmsColumns{}));

    EXPECT_EQ(dialogs.Messages()[0].text, NoParametersMessage().text);
    Output out(*result.output);
    ExpectRow(out, 1, key, 45, 72);
    EXPECT_FALSE(out.Empty(1, "J"));
    EXPECT_TRUE(out.Empty(1, "L"));
    ExpectRow(out, 2, key, Dms{33, 27, 0}.Value(), Dms{70, 39, 0}.Value());
}

}  // namespace
}  // namespace trevalco::batch::test
