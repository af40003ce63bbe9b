// The decimal-degree page's run: worked rows against the engine's chain, the
// row prompts, the end of the data, bands without parameters, and the
// direction and forced zone read at every row.
#include "RunFixture.h"

namespace trevalco::batch::test {
namespace {

struct Expected {
    Util::CellValue northing, easting, latitude2, longitude2, northing2, easting2;
    bool target = true;
};

Expected ExpectedRow(const std::string& key, double lat, double lon, Util::ForcedZone forced) {
    const auto start = chain::StartGeographic(key, lat, lon, forced);
    Expected expected;
    expected.northing = N(start.sourceUtm.northing, "########0.000");
    expected.easting = N(start.sourceUtm.easting, "########0.000");
    expected.target =
        start.shift.found && chain::InTransformationRange(start.latitude, start.longitude);
    if (!expected.target) return expected;
    const auto target = chain::CarryToTarget(start.latitude, start.longitude, start.ellipsoids,
                                             start.shift.shift, forced);
    expected.latitude2 = N(target.latitude, "###0.0000000000");
    expected.longitude2 = N(target.longitude, "###0.0000000000");
    expected.northing2 = N(target.utm.northing, "########0.000");
    expected.easting2 = N(target.utm.easting, "########0.000");
    return expected;
}

void ExpectRow(Output& out, int row, const Expected& expected) {
    SCOPED_TRACE("row " + std::to_string(row));
    EXPECT_EQ(out(row, "D"), expected.northing);
    EXPECT_EQ(out(row, "E"), expected.easting);
    if (expected.target) {
        EXPECT_EQ(out(row, "F"), expected.latitude2);
        EXPECT_EQ(out(row, "G"), expected.longitude2);
        EXPECT_EQ(out(row, "H"), expected.northing2);
        EXPECT_EQ(out(row, "I"), expected.easting2);
    } else {
        for (const char* column : {"F", "G", "H", "I"}) EXPECT_TRUE(out.Empty(row, column)) << column;
    }
}

void ExpectUntouched(Output& out, int row) {
    for (const char* column : {"D", "E", "F", "G", "H", "I"})
        EXPECT_TRUE(out.Empty(row, column)) << "row " << row << " column " << column;
}

std::string EmptyPrompt(int row) { return RowPrompt(row, kEmptyRowText).text; }

class DecimalDirections : public RunFixture, public ::testing::WithParamInterface<std::string> {};

TEST_P(DecimalDirections, WorkedRowsMatchTheChainAndTheRunEndsAfterThreeEmptyRows) {
    key = GetParam();
    const std::vector<std::pair<TestCell, TestCell>> points = {
        {33.45, 70.65},  {-33.45, -70.65}, {std::string("33.45"), std::string(" 70.65 ")},
        {20.0, 67.0},    {40.0, 72.5},     {26.0, 69.0},
        {36.0, 71.0},    {18.5, 70.1},     {43.9, 73.0},
        {30.0, 76.0}};
    std::vector<TestRow> rows;
    for (const auto& [lat, lon] : points) rows.push_back({std::string("P"), lat, lon});
    const fs::path source = Book(rows);
    const std::string before = Bytes(source);
    Ok(4);  // the empty rows 11, 12 and 13, then the saved-file message

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    EXPECT_EQ(result.end, RunEnd::Completed);
    EXPECT_EQ(result.rowsConverted, 10);
    ASSERT_TRUE(result.output);
    EXPECT_EQ(*result.output, folder / "datos_1.xlsx");
    EXPECT_EQ(Bytes(source), before);
    EXPECT_EQ(Texts(), (std::vector<std::string>{EmptyPrompt(11), EmptyPrompt(12), EmptyPrompt(13),
                                                 "Archivo Guardado como \"datos_1.xlsx\""}));
    const auto& saved = dialogs.Messages().back();
    EXPECT_EQ(saved.title, "Salvar como");
    EXPECT_EQ(saved.icon, MessageIcon::Information);
    EXPECT_EQ(saved.buttons, dialogs::Buttons::Ok);
    const auto& prompt = dialogs.Messages().front();
    EXPECT_EQ(prompt.title, "Advertencia");
    EXPECT_EQ(prompt.icon, MessageIcon::None);
    EXPECT_EQ(prompt.buttons, dialogs::Buttons::OkCancel);

    EXPECT_EQ(progress.shown, 1);
    EXPECT_EQ(progress.maximum, 15);
    EXPECT_EQ(progress.statuses,
              (std::vector<std::string>{std::string(kWaitStatus), std::string(kConvertingStatus)}));
    EXPECT_EQ(progress.rowsSet, 13);
    EXPECT_EQ(progress.finished, 1);
    EXPECT_EQ(keyReads, 10);   // once for every converted row
    EXPECT_EQ(zoneReads, 20);  // at each of its two projections

    Output out(*result.output);
    for (int row = 1; row <= 10; ++row) {
        const auto number = [&](const TestCell& cell) {
            if (const auto* value = std::get_if<double>(&cell)) return *value;
            return *NumberText::ReadNumber(std::get<std::string>(cell), NumberText::Invariant());
        };
        const auto& [lat, lon] = points[static_cast<std::size_t>(row - 1)];
        ExpectRow(out, row, ExpectedRow(key, number(lat), number(lon), forced));
    }
    EXPECT_EQ(out(1, "A"), T("P"));
    EXPECT_EQ(out(2, "B"), Util::CellValue(-33.45));
    ExpectUntouched(out, 11);
}

INSTANTIATE_TEST_SUITE_P(AllDirections, DecimalDirections,
                         ::testing::Values("SIRGAS_PSAD56", "SIRGAS_SAD69", "PSAD56_SIRGAS", ""));

using DecimalRun = RunFixture;

TEST_F(DecimalRun, BadRowsArePromptedOneAtATimeAndSkippedOnOk) {
    key = std::string(kSirgasToSad69);
    const fs::path source = Book({
        {std::string("Punto"), std::string("Latitud"), std::string("Longitud")},  // 1 header
        {{}, ErrorCell{"#N/A"}, 70.0},                                             // 2
        {{}, BoolCell{true}, 70.0},                                                // 3
        {{}, 33.0, {}},                                                            // 4 empty
        {{}, 16.0, 70.0},                                                          // 5
        {{}, 33.0, 78.0},                                                          // 6
        {{}, 17.0, 66.0},                                                          // 7
        {{}, 56.0, 77.0},                                                          // 8 source only
        {{}, -50.0, 76.0},                                                         // 9
        {{}, std::string(" 33.5 "), 70.0},                                         // 10
        {{}, std::string("33,5"), 70.0},                                           // 11
    });
    Ok(10);

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    EXPECT_EQ(result.end, RunEnd::Completed);
    const auto prompt = [](int row, std::string_view text) { return RowPrompt(row, text).text; };
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           prompt(1, kInvalidRowText), prompt(2, kInvalidRowText),
                           prompt(3, kInvalidRowText), prompt(4, kEmptyRowText),
                           prompt(5, kOutOfLimitsText), prompt(6, kOutOfLimitsText),
                           prompt(11, kInvalidRowText), prompt(12, kEmptyRowText),
                           prompt(13, kEmptyRowText), "Archivo Guardado como \"datos_1.xlsx\""}));
    // The empty rows need not follow one another: rows 4, 12 and 13 end it.
    EXPECT_EQ(progress.maximum, 16);
    EXPECT_EQ(result.rowsConverted, 3);
    EXPECT_EQ(result.rowsSkipped, 9);

    Output out(*result.output);
    for (int row : {1, 2, 3, 4, 5, 6, 11}) ExpectUntouched(out, row);
    ExpectRow(out, 7, ExpectedRow(key, 17, 66, forced));
    const Expected edge = ExpectedRow(key, 56, 77, forced);
    EXPECT_FALSE(edge.target);
    ExpectRow(out, 8, edge);
    ExpectRow(out, 9, ExpectedRow(key, 50, 76, forced));
    ExpectRow(out, 10, ExpectedRow(key, 33.5, 70, forced));
}

TEST_F(DecimalRun, CancelOnAPromptStopsTheRunAndSavesTheRowsDone) {
    const fs::path source = Book({{{}, 33.0, 70.0}, {{}, std::string("x"), 70.0}, {{}, 34.0, 71.0}});
    Cancel();
    Ok();  // the saved-file message

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    EXPECT_EQ(result.end, RunEnd::Cancelled);
    ASSERT_EQ(dialogs.Messages().size(), 2U);
    EXPECT_EQ(dialogs.Messages()[0].text, RowPrompt(2, kInvalidRowText).text);
    EXPECT_EQ(progress.finished, 1);
    Output out(*result.output);
    ExpectRow(out, 1, ExpectedRow(key, 33, 70, forced));
    ExpectUntouched(out, 3);
}

TEST_F(DecimalRun, ARowWithoutBandParametersKeepsItsSourceColumnsAndGetsNoTarget) {
    key = std::string(kPsad56ToSirgas);
    const fs::path source =
        Book({{{}, 33.45, 70.65}, {{}, 45.0, 72.0}, {{}, 50.0, 72.0}, {{}, 30.0, 70.0}});
    Ok(6);

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    const dialogs::Message band = NoParametersMessage();
    ASSERT_EQ(dialogs.Messages().size(), 6U);
    for (std::size_t i : {0U, 1U}) {
        EXPECT_EQ(dialogs.Messages()[i].text, "¡ No exixten Parametros para esta Latitud !");
        EXPECT_EQ(dialogs.Messages()[i].title, " Error ");
        EXPECT_EQ(dialogs.Messages()[i].icon, MessageIcon::Critical);
        EXPECT_EQ(dialogs.Messages()[i].buttons, dialogs::Buttons::Ok);
    }
    EXPECT_EQ(dialogs.Messages()[0].text, band.text);
    EXPECT_EQ(result.rowsConverted, 2);
    Output out(*result.output);
    ExpectRow(out, 1, ExpectedRow(key, 33.45, 70.65, forced));
    for (int row : {2, 3}) {
        const Expected expected = ExpectedRow(key, row == 2 ? 45 : 50, 72, forced);
        EXPECT_FALSE(expected.target);
        ExpectRow(out, row, expected);
    }
    // The next row is carried with its own band's shift.
    ExpectRow(out, 4, ExpectedRow(key, 30, 70, forced));
}

TEST_F(DecimalRun, DirectionAndForcedZoneAreReadAtEveryRow) {
    const std::vector<std::string> keys = {"SIRGAS_SAD69", "", "PSAD56_SIRGAS", "SIRGAS_PSAD56"};
    const std::vector<Util::ForcedZone> zones = {Util::ForcedZone::Off(), Util::ForcedZone::To(18),
                                                 Util::ForcedZone::To(20), Util::ForcedZone::Off()};
    const fs::path source =
        Book({{{}, 33.45, 70.65}, {{}, 25.0, 69.5}, {{}, 38.0, 72.1}, {{}, 21.0, 68.0}});
    std::size_t row = 0;
    key = keys[0];
    forced = zones[0];
    onPump = [&] {
        if (current == nullptr || current->CurrentRow() < 2) return;
        row = static_cast<std::size_t>(current->CurrentRow() - 1);
        key = keys[row % keys.size()];
        forced = zones[row % zones.size()];
    };
    Ok(4);

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    Output out(*result.output);
    const double points[4][2] = {{33.45, 70.65}, {25.0, 69.5}, {38.0, 72.1}, {21.0, 68.0}};
    for (std::size_t i = 0; i < 4; ++i)
        ExpectRow(out, static_cast<int>(i + 1),
                  ExpectedRow(keys[i], points[i][0], points[i][1], zones[i]));
    // Zone 18 forced on a point of zone 19 moves its easting far from 500 km.
    EXPECT_NE(out(2, "E"), ExpectedRow(keys[1], 25.0, 69.5, Util::ForcedZone::Off()).easting);
}

TEST_F(DecimalRun, TextCellsFollowTheLocaleSeparatorsAndResultsAreNumbers) {
    separators = {",", "."};
    const fs::path source = Book({{{}, std::string("33,45"), std::string("70,65")},
                                  {{}, std::string("33.45"), 70.65}});
    Ok(5);  // row 2 is invalid with a decimal comma, then three empty rows and the message

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    Output out(*result.output);
    const Expected expected = ExpectedRow(key, 33.45, 70.65, forced);
    ExpectRow(out, 1, expected);
    EXPECT_EQ(dialogs.Messages()[0].text, RowPrompt(2, kInvalidRowText).text);
    ExpectUntouched(out, 2);
    EXPECT_EQ(result.rowsConverted, 1);
}

}  // namespace
}  // namespace trevalco::batch::test
