// Features left out and band crossings as a user meets them: one summary
// line a cause (count, first ids, what to do), every one of them in the
// report, and no output at all when nothing could be converted.
#include <gtest/gtest.h>

#include <sstream>

#include "LayerSupport.h"
#include "OmissionReport.h"

namespace trevalco::layers::test {
namespace {

struct Row {
    std::string id, cause, latitude, longitude;
};

std::vector<Row> ReportRows(const fs::path& path) {
    std::istringstream lines(workbook::test::Slurp(path));
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, OmissionReport::kHeader);
    std::vector<Row> rows;
    while (std::getline(lines, line)) {
        Row row;
        std::istringstream fields(line);
        std::getline(fields, row.id, ',');
        std::getline(fields, row.cause, ',');
        std::getline(fields, row.latitude, ',');
        std::getline(fields, row.longitude, ',');
        rows.push_back(row);
    }
    return rows;
}

// A CSV layer (WGS 84 by --source-crs) converted to PSAD56; the ids are the
// data lines' numbers.
const char* const kLayer =
    "name,WKT\n"
    "OK,POINT (-70.65 -33.45)\n"                         // 1
    "INF,POINT (-1e999 -33.45)\n"                        // 2
    "NORTH,POINT (-70.65 33.45)\n"                       // 3
    "WEST,POINT (-80 -33)\n"                             // 4
    "EDGE,POINT (-76.5 -33)\n"                           // 5: within the input limits, not the transformation's
    "CROSS,\"LINESTRING (-70 -25.5,-70 -26.5)\"\n";      // 6
constexpr int kSouthOfBands = 12;                        // 7 to 18, at 45.5 S

struct ExpectedRow {
    const char* id;
    Cause cause;
    const char* latitude;
    const char* longitude;
};

const ExpectedRow kRows[] = {
    {"2", Cause::NotFinite, "", ""},
    {"3", Cause::OutsideRange, "33.45", "-70.65"},
    {"4", Cause::OutOfLimits, "-33", "-80"},
    {"5", Cause::TransformationRange, "-33", "-76.5"},
    {"6", Cause::Crossing, "-26", "-70"},
    {"7", Cause::NoParameters, "-45.5", "-72"},
};

class LayerOmissions : public cli::test::CliFixture {};

TEST_F(LayerOmissions, GroupedInTheSummaryListedInTheReport) {
    std::string layer = kLayer;
    for (int i = 0; i < kSouthOfBands; ++i) layer += "S" + std::to_string(i) + ",POINT (-72 -45.5)\n";
    workbook::test::Spill(folder / "in.csv", layer);
    const cli::test::CliRun run = Cli("layer " + Quoted("in.csv") + " " + Quoted("out.gpkg") +
                                      " --to psad56 --source-crs EPSG:4326 --report " + Quoted("report.csv"));
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(Read(folder / "out.gpkg").names, (std::vector<std::string>{"OK", "CROSS"}));
    const std::vector<std::string> lines = {
        "1 omitido (coordenada no finita): elemento 2; corrija",
        "1 omitido (al norte del ecuador o al este de Greenwich), latitud 33.45 N: elemento 3;",
        "1 omitido (fuera de los límites), latitud 33 S: elemento 4; el programa convierte entre 17..56 S y 66..77 W",
        "1 omitido (fuera del rango de la transformación), latitud 33 S: elemento 5;",
        "12 omitidos (sin parámetros para la latitud), latitud 45.5 S: elementos 7, 8, 9, 10, 11, 12, 13, 14, 15, 16 y "
        "2 más; PSAD56 tiene parámetros solo entre 17 y 44 S con --shifts seed; convierta a SAD69 (--to sad69), que "
        "tiene parámetros para todos\n",
        "1 cruza un límite de banda, latitud 26 S: elemento 6; cada vértice",
    };
    for (const std::string& line : lines) EXPECT_NE(run.err.find("trevalco-cli layer: " + line), std::string::npos) << line;
    EXPECT_EQ(run.err.find("elemento 17"), std::string::npos) << "no flood of single features";

    const std::vector<Row> rows = ReportRows(folder / "report.csv");
    ASSERT_EQ(rows.size(), std::size(kRows) + kSouthOfBands - 1);
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        SCOPED_TRACE(kRows[i].id);
        EXPECT_EQ(rows[i].id, kRows[i].id);
        EXPECT_EQ(rows[i].cause, CauseName(kRows[i].cause));
        EXPECT_EQ(rows[i].latitude, kRows[i].latitude);
        EXPECT_EQ(rows[i].longitude, kRows[i].longitude);
    }
    EXPECT_EQ(rows.back().id, std::to_string(6 + kSouthOfBands));
}

TEST_F(LayerOmissions, NothingConvertedWritesNothing) {
    MakeLayer(folder / "south.gpkg", "S1,POINT (-72 -45.5)\nS2,POINT (-72 -46)\n", "EPSG:4326");
    const std::string arguments = "layer " + Quoted("south.gpkg") + " " + Quoted("out.gpkg") + " --to psad56";
    const cli::test::CliRun run = Cli(arguments + " --report " + Quoted("report.csv"));
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("no se convirtió ningún elemento: no se escribió"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(fs::exists(folder / "out.gpkg"));
    EXPECT_EQ(ReportRows(folder / "report.csv").size(), 2u);
    // The report is a file of its own, refused before anything is read.
    for (const char* report : {"out.gpkg", "south.gpkg"}) {
        const cli::test::CliRun same = Cli(arguments + " --report " + Quoted(report));
        EXPECT_EQ(same.status, 2) << same.err;
        EXPECT_NE(same.err.find("--report"), std::string::npos) << same.err;
    }
    EXPECT_EQ(Cli(arguments + " --report " + Quoted("report.csv")).status, 3);  // exists, without --overwrite
    // Nor does the output ever replace its input, even with --overwrite.
    MakeLayer(folder / "keep.gpkg", "K1,POINT (-70.65 -33.45)\n", "EPSG:4326");
    const std::string before = workbook::test::Slurp(folder / "keep.gpkg");
    const cli::test::CliRun onItself =
        Cli("layer " + Quoted("keep.gpkg") + " " + Quoted("./keep.gpkg") + " --to psad56 --overwrite");
    EXPECT_EQ(onItself.status, 2) << onItself.err;
    EXPECT_NE(onItself.err.find("distinto de la capa de entrada"), std::string::npos) << onItself.err;
    EXPECT_EQ(workbook::test::Slurp(folder / "keep.gpkg"), before);
    for (const std::string& name : folder.Files()) EXPECT_FALSE(name.starts_with(".")) << name;
}

}  // namespace
}  // namespace trevalco::layers::test
