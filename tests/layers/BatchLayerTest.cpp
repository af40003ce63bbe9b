// `trevalco-cli batch --layer`: the converted rows of a workbook also as a
// KML for a filing, each point the point core's target with EPSG's shifts
// (43.8 S has none there, while the program's bands reach 44 S).
#include <gtest/gtest.h>

#include "EpsgShifts.h"
#include "LayerSupport.h"
#include "PointCore.h"

namespace trevalco::layers::test {
namespace {

class BatchLayer : public cli::test::CliFixture {};

TEST_F(BatchLayer, WritesTheConvertedRowsAsAKmlBesideTheWorkbook) {
    workbook::test::Spill(folder / "puntos.csv", "P1,33.45,70.65\nP2,40.1,72.5\nP3,12.0,70.0\nP4,43.8,71.5\n");
    const cli::test::CliRun run = Cli("batch " + Quoted("puntos.csv") + " --sheet puntos --from dd --direction PSAD56_SIRGAS" +
                                      " --shifts epsg --layer " + Quoted("puntos.kml"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("puntos.kml"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("; desplazamientos epsg\n"), std::string::npos) << run.err;
    const ReadLayer layer = Read(folder / "puntos.kml");
    EXPECT_EQ(layer.code, 4326);
    ASSERT_EQ(layer.names, (std::vector<std::string>{"P1", "P2"}));  // P3 and P4 have no target
    const double points[][2] = {{33.45, 70.65}, {40.1, 72.5}};
    for (std::size_t i = 0; i < layer.names.size(); ++i) {
        core::Settings settings;
        settings.direction = DirectionKey::Psad56ToSirgas;
        settings.texts = false;
        settings.shifts = &EpsgShifts::FromDatabase();
        const core::Outcome core = core::ConvertPoint(core::Notation::DecimalDegrees, {points[i][0], points[i][1]}, settings);
        ASSERT_EQ(layer.vertices[i].size(), 1U);
        EXPECT_NEAR(layer.vertices[i][0].x, -core.target.longitude, 1e-9);
        EXPECT_NEAR(layer.vertices[i][0].y, -core.target.latitude, 1e-9);
    }
    const cli::test::CliRun refused = Cli("batch " + Quoted("puntos.csv") + " --sheet puntos --from dd --direction SIRGAS_PSAD56" +
                                          " --overwrite --layer " + Quoted("otra.kml"));
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("KML siempre está en WGS 84: solo se escribe una capa convertida a SIRGAS (--direction "
                               "PSAD56_SIRGAS o SAD69_SIRGAS)"),
              std::string::npos)
        << refused.err;
}

}  // namespace
}  // namespace trevalco::layers::test
