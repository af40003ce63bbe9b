// The UTM page's run: worked rows against the chain, the page's zone for
// every row, the silent input range and the prompted transformation range.
#include "RunFixture.h"

namespace trevalco::batch::test {
namespace {

class UtmRun : public RunFixture {
protected:
    // The source UTM of a position on the source datum of the direction, in
    // a zone, to the millimetre.
    std::pair<double, double> UtmOf(double lat, double lon, std::int16_t zone) const {
        const auto start = chain::StartGeographic(key, lat, lon, Util::ForcedZone::To(zone));
        const auto mm = [](double metres) { return std::round(metres * 1000) / 1000; };
        return {mm(start.sourceUtm.northing), mm(start.sourceUtm.easting)};
    }

    UtmColumns Zone(std::int16_t zone) const {
        UtmColumns columns;
        columns.zone = zone;
        return columns;
    }

    // What the chain gives for a row; false when it writes no target columns.
    void ExpectRow(Output& out, int row, double northing, double easting, std::int16_t zone) {
        SCOPED_TRACE("row " + std::to_string(row));
        const auto start = chain::StartUtm(key, zone, northing, easting);
        EXPECT_EQ(out(row, "D"), N(start.latitude, "##0.0000000000"));
        EXPECT_EQ(out(row, "E"), N(start.longitude, "##0.0000000000"));
        const double lat = -start.latitude;
        const double lon = -start.longitude;
        const auto lookup = chain::LookupShift(key, lat);
        if (!chain::InBatchInputRange(start.latitude, start.longitude) || !lookup.found ||
            !chain::InTransformationRange(lat, lon)) {
            for (const char* column : {"F", "G", "H", "I"}) EXPECT_TRUE(out.Empty(row, column)) << column;
            return;
        }
        const auto target = chain::CarryToTarget(lat, lon, start.ellipsoids, lookup.shift, forced);
        EXPECT_EQ(out(row, "F"), N(target.utm.northing, "#######0.000"));
        EXPECT_EQ(out(row, "G"), N(target.utm.easting, "#######0.000"));
        EXPECT_EQ(out(row, "H"), N(target.latitude, "##0.0000000000"));
        EXPECT_EQ(out(row, "I"), N(target.longitude, "##0.0000000000"));
    }
};

TEST_F(UtmRun, WorkedRowsMatchTheChainAndTheRunEndsWithTheFourthEmptyRow) {
    key = std::string(kSirgasToSad69);
    const std::vector<std::pair<double, double>> points = {
        {33.45, 70.65}, {20.0, 68.0}, {25.5, 69.9}, {30.0, 71.5}, {35.9, 70.2},
        {40.0, 71.9},   {44.5, 71.0}, {50.0, 70.5}, {53.1, 69.2}, {18.2, 69.5}};
    std::vector<TestRow> rows;
    for (const auto& [lat, lon] : points) {
        const auto [northing, easting] = UtmOf(lat, lon, 19);
        rows.push_back({std::string("P"), northing, std::to_string(easting)});
    }
    const fs::path source = Book(rows);
    const std::string before = Bytes(source);
    Ok(4 + 1);

    const RunResult result = Run(Setup(source, Zone(19)));

    EXPECT_EQ(result.end, RunEnd::Completed);
    EXPECT_EQ(progress.maximum, 15);
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           RowPrompt(11, kEmptyRowText).text, RowPrompt(12, kEmptyRowText).text,
                           RowPrompt(13, kEmptyRowText).text, RowPrompt(14, kEmptyRowText).text,
                           "Archivo Guardado como     datos_1.xlsx "}));
    EXPECT_EQ(dialogs.Messages().back().title, "Error");
    EXPECT_EQ(result.rowsConverted, 10);
    EXPECT_EQ(keyReads, 20);  // the ellipsoids, then the band, for every row
    EXPECT_EQ(Bytes(source), before);
    Output out(*result.output);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double northing = std::get<double>(rows[i][1]);
        const double easting = std::stod(std::get<std::string>(rows[i][2]));
        ExpectRow(out, static_cast<int>(i + 1), northing, easting, 19);
    }
    EXPECT_EQ(out(1, "D"), Util::CellValue(33.4499999969));
}

TEST_F(UtmRun, EveryRowIsTakenInThePagesZone) {
    key = std::string(kSirgasToSad69);
    const auto [northing, easting] = UtmOf(33.45, 70.65, 19);
    const fs::path source = Book({{{}, northing, easting}});
    Ok(1 + 4 + 1);  // 76.65 west lies past the transformation range

    const RunResult result = Run(Setup(source, Zone(18)));

    EXPECT_EQ(dialogs.Messages()[0].text, RowPrompt(1, kOutOfLimitsText).text);
    Output out(*result.output);
    ExpectRow(out, 1, northing, easting, 18);
    EXPECT_NEAR(std::get<double>(out(1, "E")), 76.65, 1e-6);
}

TEST_F(UtmRun, RangesBadCellsAndBandsWithoutParameters) {
    key = std::string(kSirgasToPsad56);
    const auto far = UtmOf(10.0, 74.0, 18);    // north of 17: source position only, silently
    const auto west = UtmOf(40.0, 76.5, 18);   // past 76 west: prompted
    const auto south = UtmOf(50.0, 72.0, 18);  // no PSAD56 parameters
    const auto good = UtmOf(33.45, 73.5, 18);
    const fs::path source = Book({
        {{}, far.first, far.second},
        {{}, west.first, west.second},
        {{}, std::string("norte"), 300000.0},
        {{}, 1e300, 1e300},  // no position at all
        {{}, 6300000.0, {}},
        {{}, south.first, south.second},
        {{}, good.first, good.second},
    });
    Ok(9);

    const RunResult result = Run(Setup(source, Zone(18)));

    EXPECT_EQ(result.end, RunEnd::Completed);
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           RowPrompt(2, kOutOfLimitsText).text, RowPrompt(3, kInvalidRowText).text,
                           RowPrompt(4, kInvalidRowText).text, RowPrompt(5, kEmptyRowText).text,
                           NoParametersMessage().text, RowPrompt(8, kEmptyRowText).text,
                           RowPrompt(9, kEmptyRowText).text, RowPrompt(10, kEmptyRowText).text,
                           "Archivo Guardado como     datos_1.xlsx "}));
    EXPECT_EQ(progress.maximum, 12);
    EXPECT_EQ(result.rowsConverted, 1);
    Output out(*result.output);
    ExpectRow(out, 1, far.first, far.second, 18);
    EXPECT_FALSE(out.Empty(1, "D"));
    ExpectRow(out, 2, west.first, west.second, 18);
    for (int row : {3, 4, 5})
        for (const char* column : {"D", "E", "F", "G", "H", "I"})
            EXPECT_TRUE(out.Empty(row, column)) << row << column;
    ExpectRow(out, 6, south.first, south.second, 18);
    EXPECT_FALSE(out.Empty(6, "D"));
    ExpectRow(out, 7, good.first, good.second, 18);
    EXPECT_FALSE(out.Empty(7, "F"));
}

}  // namespace
}  // namespace trevalco::batch::test
