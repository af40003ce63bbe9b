// Layers in other projections of the SIRGAS side: the same points given in
// geographic coordinates and projected by ogr2ogr must come out of the
// command where the geographic ones do.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "LayerSupport.h"

namespace trevalco::layers::test {
namespace {

// Around Santiago and a line toward Valparaíso: zone 19, one band.
const std::string kFeatures =
    "P1,POINT (-70.65 -33.45)\n"
    "L1,\"LINESTRING (-70.9 -33.1,-71.6 -33.05,-71.62 -33.04)\"\n";

// A transverse Mercator of SIRGAS-Chile 2021 that EPSG does not hold.
std::string TransverseMercator() {
    OGRSpatialReference srs;
    srs.importFromEPSG(20041);
    srs.SetProjCS("SIRGAS-Chile 2021 / TM 71 W");
    srs.SetTM(0, -71, 1, 200000, 7000000);
    char* wkt = nullptr;
    srs.exportToWkt(&wkt);
    const std::string text(wkt);
    CPLFree(wkt);
    return text;
}

struct ProjectionCase {
    const char* what;
    const char* geographic;  // the CRS the points are given in
    std::string projected;   // what ogr2ogr projects them to
    bool negativeNorthings;
};

class LayerProjections : public cli::test::CliFixture {
protected:
    // ogr2ogr's projection of `source` to `srs`, which PROJ takes back
    // exactly: the command must not see a difference.
    void Project(const std::string& source, const std::string& srs, const std::string& output) {
        std::ofstream(folder / "srs.txt") << srs;
        const std::string target = srs.starts_with("EPSG:") ? srs : Quoted("srs.txt");
        const std::string command = "ogr2ogr -q -t_srs " + target + " " + Quoted(output) + " " + Quoted(source);
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
};

TEST_F(LayerProjections, GiveWhatTheGeographicPointsGive) {
    const ProjectionCase cases[] = {
        {"Web Mercator", "EPSG:4326", "EPSG:3857", true},
        {"WGS 84 / UTM 19N", "EPSG:4326", "EPSG:32619", true},
        {"a SIRGAS-Chile transverse Mercator", "EPSG:20041", TransverseMercator(), false},
    };
    for (const ProjectionCase& c : cases) {
        SCOPED_TRACE(c.what);
        MakeLayer(folder / "geographic.gpkg", kFeatures, c.geographic);
        Project("geographic.gpkg", c.projected, "projected.gpkg");
        const ReadLayer projected = Read(folder / "projected.gpkg");
        ASSERT_EQ(projected.vertices.size(), 2u);
        EXPECT_EQ(projected.vertices[0][0].y < 0, c.negativeNorthings);
        for (const char* zone : {"", " --geographic"}) {
            const std::string to = std::string(" --to psad56") + zone + " --overwrite";
            const cli::test::CliRun reference = Cli("layer " + Quoted("geographic.gpkg") + " " + Quoted("a.gpkg") +
                                                    to + (*zone ? "" : " --target-zone 19"));
            // Without --target-zone, the zone of the layer's centre: 19.
            const cli::test::CliRun run = Cli("layer " + Quoted("projected.gpkg") + " " + Quoted("b.gpkg") + to);
            ASSERT_EQ(reference.status, 0) << reference.err;
            ASSERT_EQ(run.status, 0) << run.err;
            const ReadLayer expected = Read(folder / "a.gpkg"), got = Read(folder / "b.gpkg");
            EXPECT_EQ(got.code, *zone ? 4248 : 24879);
            ASSERT_EQ(got.vertices.size(), expected.vertices.size());
            const double tolerance = *zone ? 1e-9 : 1e-4;  // degrees; metres
            for (std::size_t f = 0; f < expected.vertices.size(); ++f) {
                ASSERT_EQ(got.vertices[f].size(), expected.vertices[f].size());
                for (std::size_t v = 0; v < expected.vertices[f].size(); ++v) {
                    EXPECT_NEAR(got.vertices[f][v].x, expected.vertices[f][v].x, tolerance);
                    EXPECT_NEAR(got.vertices[f][v].y, expected.vertices[f][v].y, tolerance);
                }
            }
        }
    }
}

}  // namespace
}  // namespace trevalco::layers::test
