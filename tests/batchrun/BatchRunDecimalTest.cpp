// The decimal-degree page's run: the documented point, the row prompts, the
// end of the data, bands without parameters, and the direction and forced
// zone read at every row.
#include "RunFixture.h"

namespace trevalco::batch::test {
namespace {

using DecimalRun = RunFixture;

// The documented point 33.45 S 70.65 W on SIRGAS and its images.
const std::vector<std::string> kToSad69 = {"6297606.833", "346642.695", "33.4496588124", "70.6493505358",
                                           "6297632.781", "346701.908"};
const std::vector<std::string> kToPsad56 = {"6297606.833", "346642.695", "33.4461474161", "70.6478833098",
                                            "6297980.173", "346825.988"};

// The target columns F to I hold the SIRGAS point 33.45 S 70.65 W, to a centimetre.
void ExpectBackOnSirgas(Output& out, int row) {
    for (const auto& [column, value, tolerance] :
         {std::tuple{"F", 33.45, 1e-7}, {"G", 70.65, 1e-7}, {"H", 6297606.833, 0.01}, {"I", 346642.695, 0.01}})
        EXPECT_NEAR(out.Number(row, column), value, tolerance) << row << column;
}

// The directions' figures are in the worked points' table, run through the
// point core and trevalco-cli; here the run writes one of them, row by row.
TEST_F(DecimalRun, TheDocumentedPointAndTheEndAfterThreeEmptyRows) {
    key = kSirgasToSad69;
    // The same point as numbers, with signs, and as texts.
    const fs::path source = Book({{std::string("P"), 33.45, 70.65},
                                  {{}, -33.45, -70.65},
                                  {{}, std::string(" 33.4500000000"), std::string("70.6500000000 ")}});
    const std::string before = Bytes(source);
    Ok(3 + 1);

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    EXPECT_EQ(result.end, RunEnd::Completed);
    EXPECT_EQ(std::tie(result.rowsConverted, result.rowsSkipped, result.lastRow), std::make_tuple(3, 3, 6));
    EXPECT_EQ(*result.output, folder / "datos_1.xlsx");
    EXPECT_EQ(Bytes(source), before);
    EXPECT_EQ(Texts(), (std::vector<std::string>{Prompt(4, kEmptyRowText), Prompt(5, kEmptyRowText),
                                                 Prompt(6, kEmptyRowText), "Archivo Guardado como \"datos_1.xlsx\""}));
    const auto& saved = dialogs.Messages().back();
    EXPECT_EQ(std::tie(saved.title, saved.icon, saved.buttons),
              std::make_tuple(std::string("Salvar como"), dialogs::MessageIcon::Information, dialogs::Buttons::Ok));
    const auto& prompt = dialogs.Messages().front();
    EXPECT_EQ(std::tie(prompt.title, prompt.icon, prompt.buttons),
              std::make_tuple(std::string("Advertencia"), dialogs::MessageIcon::None, dialogs::Buttons::OkCancel));
    EXPECT_EQ(progress.maximum, 8);
    EXPECT_EQ(progress.statuses, (std::vector<std::string>{std::string(kWaitStatus), std::string(kConvertingStatus)}));
    EXPECT_EQ(std::tie(progress.rowsSet, progress.finished), std::make_tuple(6, 1));
    Output out(*result.output);
    for (int row = 1; row <= 3; ++row) out.ExpectRow(row, 'D', kToSad69);
}

TEST_F(DecimalRun, BadRowsArePromptedOneAtATimeAndSkippedOnOk) {
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
        {{}, std::string("33,5"), 70.0},                                           // 10
    });
    Ok(11);

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    EXPECT_EQ(result.end, RunEnd::Completed);
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           Prompt(1, kInvalidRowText), Prompt(2, kInvalidRowText), Prompt(3, kInvalidRowText),
                           Prompt(4, kEmptyRowText), Prompt(5, kOutOfLimitsText), Prompt(6, kOutOfLimitsText),
                           Prompt(10, kInvalidRowText), Prompt(11, kEmptyRowText), Prompt(12, kEmptyRowText),
                           Prompt(13, kEmptyRowText), "Archivo Guardado como \"datos_1.xlsx\""}));
    // Row 4 has data below it: rows 11, 12 and 13 end the data.
    EXPECT_EQ(progress.maximum, 15);
    EXPECT_EQ(result.rowsConverted, 2);
    EXPECT_EQ(result.rowsSourceOnly, 1);
    EXPECT_EQ(result.rowsSkipped, 10);
    Output out(*result.output);
    for (int row : {1, 2, 3, 4, 5, 6, 10}) out.ExpectRow(row, 'D', {"", "", "", "", "", ""});
    for (int row : {7, 9}) EXPECT_FALSE(out.Empty(row, "I")) << row;
    EXPECT_FALSE(out.Empty(8, "E"));  // 77 W: within the limits, past the transformation range
    EXPECT_TRUE(out.Empty(8, "F"));
}

TEST_F(DecimalRun, ARowWithoutBandParametersKeepsItsSourceColumnsAndTheNextItsOwnShift) {
    key = kPsad56ToSirgas;
    const fs::path source = Book({{{}, 45.0, 72.0}, {{}, 50.0, 72.0}, {{}, 33.4461474161, 70.6478833098}});
    Ok(2 + 3 + 1);

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    ASSERT_EQ(dialogs.Messages().size(), 6U);
    for (std::size_t i : {0U, 1U}) {
        const auto& band = dialogs.Messages()[i];
        EXPECT_EQ(std::tie(band.text, band.title, band.icon, band.buttons),
                  std::make_tuple(std::string("¡ No exixten Parametros para esta Latitud !"), std::string(" Error "),
                                  dialogs::MessageIcon::Critical, dialogs::Buttons::Ok));
    }
    EXPECT_EQ(result.rowsSourceOnly, 2);
    Output out(*result.output);
    for (int row : {1, 2}) {
        EXPECT_FALSE(out.Empty(row, "E")) << row;
        EXPECT_TRUE(out.Empty(row, "F")) << row;
    }
    ExpectBackOnSirgas(out, 3);
}

TEST_F(DecimalRun, DirectionAndForcedZoneAreReadAtEveryRow) {
    const std::vector<std::pair<DirectionKey, zones::ForcedZone>> settings = {
        {kSirgasToSad69, zones::ForcedZone::Off()}, {kSirgasToPsad56, zones::ForcedZone::Off()},
        {kSirgasToSad69, zones::ForcedZone::To(18)}};
    const fs::path source = Book({{{}, 33.45, 70.65}, {{}, 33.45, 70.65}, {{}, 33.45, 70.65}});
    onPump = [&] {
        const std::size_t next = current ? static_cast<std::size_t>(current->CurrentRow() - 1) : 0;
        if (next < settings.size()) std::tie(key, forced) = settings[next];
    };
    Ok(3 + 1);

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    Output out(*result.output);
    out.ExpectRow(1, 'D', kToSad69);
    out.ExpectRow(2, 'D', kToPsad56);
    // Zone 18 on a point of zone 19: its eastings lie far east of 500 km.
    EXPECT_GT(out.Number(3, "E"), 900000);
    EXPECT_GT(out.Number(3, "I"), 900000);
    EXPECT_EQ(out.Shown(3, "F", "0.0000000000"), kToSad69[2]);
}

TEST_F(DecimalRun, TextCellsAndResultsFollowTheLocaleSeparatorsAndCancelStopsTheRun) {
    separators = {",", "."};
    const fs::path source = Book({{{}, std::string("33,45"), std::string("70,65")},
                                  {{}, std::string("33.45"), 70.65},  // invalid with a decimal comma
                                  {{}, 34.0, 71.0}});
    Cancel();
    Ok();  // the saved-file message

    const RunResult result = Run(Setup(source, DecimalColumns{}));

    EXPECT_EQ(std::tie(result.end, result.lastRow, result.rowsConverted), std::make_tuple(RunEnd::Cancelled, 2, 1));
    EXPECT_EQ(Texts().front(), Prompt(2, kInvalidRowText));
    EXPECT_EQ(progress.finished, 1);
    Output out(*result.output);
    out.ExpectRow(1, 'D', {"6297606,833", "346642,695", "33,4496588124", "70,6493505358", "6297632,781", "346701,908"});
    for (int row : {2, 3}) EXPECT_TRUE(out.Empty(row, "D")) << row;
}

}  // namespace
}  // namespace trevalco::batch::test
