// The numbers of whole layers: where general GIS tools get Chile wrong the
// command gives the band result; EPSG's shifts agree with PROJ's pipeline of
// the same triple; a round trip comes back.
#include <gtest/gtest.h>

#include <proj.h>

#include <cmath>
#include <sstream>

#include "LayerSupport.h"
#include "PointCore.h"

namespace trevalco::layers::test {
namespace {

constexpr double kMetresPerDegree = 111320.0;

double Metres(const Vertex& a, const Vertex& b, bool geographic) {
    if (!geographic) return std::hypot(a.x - b.x, a.y - b.y);
    const double east = (a.x - b.x) * std::cos(a.y * M_PI / 180) * kMetresPerDegree;
    return std::hypot(east, (a.y - b.y) * kMetresPerDegree);
}

class LayerAccuracy : public cli::test::CliFixture {
protected:
    // The one vertex of the layer `name` after `trevalco-cli layer` and after
    // `ogr2ogr -t_srs`.
    std::pair<Vertex, Vertex> Both(const std::string& point, const std::string& srs, const std::string& arguments,
                                   const std::string& ogrTarget) {
        MakeLayer(folder / "in.gpkg", "P1,POINT (" + point + ")\n", srs);
        const cli::test::CliRun run = Cli("layer " + Quoted("in.gpkg") + " " + Quoted("ours.gpkg") + " " + arguments);
        EXPECT_EQ(run.status, 0) << run.err;
        const std::string ogr = "ogr2ogr -q -t_srs " + ogrTarget + " " + Quoted("ogr.gpkg") + " " + Quoted("in.gpkg");
        EXPECT_EQ(std::system(ogr.c_str()), 0);
        const ReadLayer ours = Read(folder / "ours.gpkg"), general = Read(folder / "ogr.gpkg");
        for (const char* name : {"in.gpkg", "ours.gpkg", "ogr.gpkg"}) fs::remove(folder / name);
        if (ours.vertices.empty() || general.vertices.empty()) return {};
        return {ours.vertices[0][0], general.vertices[0][0]};
    }
};

struct GeneralToolCase {
    const char* what;
    const char* point;      // x y in the source CRS
    const char* srs;        // the source CRS as the layer carries it
    const char* arguments;  // of trevalco-cli layer
    const char* ogrTarget;
    DirectionKey direction;
    bool geographic;        // geographic input and output; else UTM 19S both
    double apart;           // metres at least between the general tool and the bands
};

const GeneralToolCase kGeneralTools[] = {
    {"PSAD56 south of 43 30 S gets no shift", "-71.5 -43.8", "EPSG:4248", "--to sirgas --sirgas 4326", "EPSG:4326",
     DirectionKey::Psad56ToSirgas, true, 400},
    {"SAD69 at 47 S gets Argentina's shift", "-71.5 -47", "EPSG:4618", "--to sirgas --sirgas 4326", "EPSG:4326",
     DirectionKey::Sad69ToSirgas, true, 5},
    {"SAD69 to SIRGAS-Chile 2021 is a no-op", "-70.65 -33", "EPSG:4618", "--to sirgas", "EPSG:20041",
     DirectionKey::Sad69ToSirgas, true, 60},
    {"PSAD56 / UTM 19S with the continental mean", "346825.988 6297980.173",
     "'+proj=utm +zone=19 +south +ellps=intl +towgs84=-288,175,-376,0,0,0,0 +units=m +no_defs'",
     "--to sirgas --sirgas 4326", "EPSG:32719", DirectionKey::Psad56ToSirgas, false, 50},
};

TEST_F(LayerAccuracy, GivesTheBandResultWhereGeneralToolsDoNot) {
    for (const GeneralToolCase& c : kGeneralTools) {
        SCOPED_TRACE(c.what);
        const auto [ours, general] = Both(c.point, c.srs, c.arguments, c.ogrTarget);
        double x = 0.0, y = 0.0;
        std::sscanf(c.point, "%lf %lf", &x, &y);
        core::Settings settings;
        settings.direction = c.direction;
        settings.rules = core::InputRules::CommandLine;
        settings.texts = false;
        settings.zone = 19;
        if (!c.geographic) settings.forced = zones::ForcedZone::To(19);
        const core::Outcome band = c.geographic
                                       ? core::ConvertPoint(core::Notation::DecimalDegrees, {-y, -x}, settings)
                                       : core::ConvertPoint(core::Notation::Utm, {y, x, 19.0}, settings);
        ASSERT_TRUE(band.Converted());
        const Vertex expected = c.geographic ? Vertex{-band.target.longitude, -band.target.latitude}
                                             : Vertex{band.target.utm.easting, band.target.utm.northing};
        EXPECT_EQ(ours.x, expected.x);
        EXPECT_EQ(ours.y, expected.y);
        EXPECT_GT(Metres(ours, general, c.geographic), c.apart);
    }
}

// EPSG's triple as PROJ carries it: geographic degrees (longitude, latitude)
// through geocentric coordinates on each ellipsoid.
Vertex ThroughProj(const Vertex& v, const char* ellipsoid, int dx, int dy, int dz, const char* to = "GRS80") {
    PJ_CONTEXT* context = proj_context_create();
    const std::string pipeline = "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=cart "
                                 "+ellps=" + std::string(ellipsoid) + " +step +proj=helmert +x=" + std::to_string(dx) +
                                 " +y=" + std::to_string(dy) + " +z=" + std::to_string(dz) +
                                 " +step +inv +proj=cart +ellps=" + to + " +step +proj=unitconvert +xy_in=rad +xy_out=deg";
    PJ* transformation = proj_create(context, pipeline.c_str());
    const PJ_COORD out = proj_trans(transformation, PJ_FWD, proj_coord(v.x, v.y, 0, 0));
    proj_destroy(transformation);
    proj_context_destroy(context);
    return {out.xyz.x, out.xyz.y};
}

// PROJ's exact transverse Mercator of zone 19 south on GRS80.
Vertex Utm19(const Vertex& v) {
    PJ_CONTEXT* context = proj_context_create();
    PJ* projection = proj_create(context, "+proj=utm +zone=19 +south +ellps=GRS80");
    const PJ_COORD out = proj_trans(projection, PJ_FWD, proj_coord(v.x * M_PI / 180, v.y * M_PI / 180, 0, 0));
    proj_destroy(projection);
    proj_context_destroy(context);
    return {out.xy.x, out.xy.y};
}

struct EpsgCase {
    const char* point;  // longitude latitude
    const char* srs;
    const char* ellipsoid;
    int dx, dy, dz;     // EPSG's published triple of that latitude
};

const EpsgCase kEpsg[] = {
    {"-69.5 -20.5", "EPSG:4248", "intl", -302, 272, -360},   // 6971
    {"-70.65 -33.45", "EPSG:4248", "intl", -328, 340, -329},  // 6972
    {"-72.5 -40.2", "EPSG:4248", "intl", -352, 403, -287},    // 6973
    {"-70.5 -29.5", "EPSG:4618", "aust_SA", -59, -11, -52},   // 6974 (the program: -64, 0, -32)
    {"-70.65 -33.45", "EPSG:4618", "aust_SA", -64, 0, -32},   // 6975
    {"-72.5 -40.2", "EPSG:4618", "aust_SA", -72, 10, -32},    // 6976
    {"-69.5 -53.5", "EPSG:4618", "aust_SA", -79, 13, -14},    // 6977
};

TEST_F(LayerAccuracy, EpsgShiftsAgreeWithProjsPipeline) {
    for (const EpsgCase& c : kEpsg) {
        SCOPED_TRACE(std::string(c.srs) + " " + c.point);
        Vertex source;
        std::sscanf(c.point, "%lf %lf", &source.x, &source.y);
        const Vertex proj = ThroughProj(source, c.ellipsoid, c.dx, c.dy, c.dz);
        const auto [ours, general] = Both(c.point, c.srs, "--to sirgas --sirgas 4326 --shifts epsg", "EPSG:4326");
        EXPECT_LT(Metres(ours, proj, true), 0.001);
        // In UTM 19S, within the series' 1 mm up to 4 degrees from the meridian.
        const auto [utm, reprojected] = Both(c.point, c.srs, "--to sirgas --sirgas 4326 --shifts epsg --target-zone 19",
                                       "EPSG:4326");
        EXPECT_LT(Metres(utm, Utm19(proj), false), 0.001);
        // `trevalco-cli convert --shifts epsg` too (ten decimals of a degree).
        const std::string direction = std::string(c.srs) == "EPSG:4248" ? "PSAD56_SIRGAS" : "SAD69_SIRGAS";
        std::istringstream fields(Cli("convert --shifts epsg --direction " + direction,
                                      std::to_string(-source.y) + " " + std::to_string(-source.x) + "\n")
                                      .out);
        double f[7] = {};
        for (double& field : f) fields >> field;
        EXPECT_LT(Metres({-f[6], -f[5]}, proj, true), 0.001);
    }
}

// A two-dimensional shift there and back does not return exactly: the
// height the first shift gives (tens of metres for PSAD56) is dropped, and
// the way back starts on the ellipsoid. PROJ's pipeline of the same triples
// there and back lands on the same place; the command must land there too,
// and within the few millimetres the dropped height costs of the start.
constexpr double kDroppedHeight = 0.005;

struct RoundTripCase {
    const char* srs;  // SIRGAS (WGS 84) geographic or UTM 19S
    const char* ring;
};

const RoundTripCase kRoundTrips[] = {
    {"EPSG:4326", "-70.1 -33.1,-70.4 -33.1,-70.4 -33.4,-70.1 -33.1"},
    {"EPSG:32719", "340000 6300000,350000 6300000,350000 6310000,340000 6300000"},
};

TEST_F(LayerAccuracy, RoundTripComesBack) {
    for (const RoundTripCase& c : kRoundTrips) {
        SCOPED_TRACE(c.srs);
        MakeLayer(folder / "sirgas.gpkg", "A1,\"POLYGON ((" + std::string(c.ring) + "))\"\n", c.srs);
        const std::string there = "layer " + Quoted("sirgas.gpkg") + " " + Quoted("psad56.gpkg") + " --to psad56";
        const std::string back =
            "layer " + Quoted("psad56.gpkg") + " " + Quoted("back.gpkg") + " --to sirgas --sirgas 4326 --overwrite";
        EXPECT_EQ(Cli(there + " --overwrite").status, 0);
        EXPECT_EQ(Cli(back).status, 0);
        const ReadLayer start = Read(folder / "sirgas.gpkg"), end = Read(folder / "back.gpkg");
        ASSERT_EQ(end.code, start.code);
        ASSERT_EQ(end.vertices.at(0).size(), start.vertices.at(0).size());
        const bool geographic = std::string(c.srs) == "EPSG:4326";
        for (std::size_t v = 0; v < start.vertices[0].size(); ++v) {
            const Vertex& a = start.vertices[0][v];
            EXPECT_LT(Metres(a, end.vertices[0][v], geographic), kDroppedHeight);
            if (!geographic) continue;
            const Vertex psad56 = ThroughProj(a, "GRS80", 328, -340, 329, "intl");  // 26 to 36 S
            EXPECT_LT(Metres(ThroughProj(psad56, "intl", -328, 340, -329), end.vertices[0][v], true), 0.001);
        }
        fs::remove(folder / "sirgas.gpkg");
    }
}

}  // namespace
}  // namespace trevalco::layers::test
