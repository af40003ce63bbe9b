// `trevalco-cli layer` run as a user runs it, on layers made from a text
// table of PSAD56 / UTM 19S features: every vertex read back must be the
// point core's result and `trevalco-cli convert`'s.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "LayerConversion.h"
#include "LayerSupport.h"
#include "PointCore.h"

namespace trevalco::layers::test {
namespace {

// Around 33.45 S; a line across the 26 S band limit; a polygon with a hole
// at 30 S; a polygon at 44.5 S, where PSAD56 has no shift.
const std::string kPoint = "P1,POINT Z (346825.988 6297980.173 512.4)\n";
const std::string kLine = "L1,\"LINESTRING (400000 7135000,400000 7113000)\"\n";
const std::string kPolygons =
    "A1,\"POLYGON ((300000 6680000,310000 6680000,310000 6690000,300000 6690000,300000 6680000),"
    "(302000 6682000,304000 6682000,304000 6684000,302000 6682000))\"\n"
    "B1,\"POLYGON ((300000 5070000,301000 5070000,301000 5071000,300000 5070000))\"\n";

struct FormatCase {
    const char* output;
    bool mixed;         // points and lines too (a shapefile and DXF hold one kind)
    int code;           // the CRS read back (or from the .prj beside a DXF)
    double tolerance;   // the digits a text format keeps
    bool names;         // the attributes survive
    bool ordered;       // the vertices keep their order (a shapefile turns its rings clockwise)
};

const FormatCase kFormats[] = {
    {"out.gpkg", true, 20049, 0.0, true, true},     {"shape.shp", false, 20049, 0.0, true, false},
    {"out.geojson", true, 20049, 1e-6, true, true}, {"out.fgb", true, 20049, 0.0, true, true},
    {"out.kml", true, 4326, 1e-9, true, true},      {"table.csv", true, 20049, 1e-6, true, true},
    {"drawing.dxf", false, 20049, 1e-6, false, false},
};

// The vertex of `vertices` nearest to `v`: where a format reorders a ring.
Vertex Nearest(const std::vector<Vertex>& vertices, const Vertex& v) {
    return *std::ranges::min_element(vertices, {}, [&v](const Vertex& w) { return std::hypot(w.x - v.x, w.y - v.y); });
}

class LayerCommand : public cli::test::CliFixture {
protected:
    // `trevalco-cli convert`'s target (x, y) of each vertex.
    std::vector<Vertex> ThroughConvert(const std::vector<Vertex>& vertices, bool geographic) {
        std::ostringstream lines;
        lines.precision(17);
        for (const Vertex& v : vertices) lines << v.y << ' ' << v.x << " 19\n";
        const cli::test::CliRun run =
            Cli("convert --direction PSAD56_SIRGAS --from utm --force-zone 19", lines.str());
        std::vector<Vertex> carried;
        std::istringstream fields(run.out);
        double f[10];
        while (fields >> f[0] >> f[1] >> f[2] >> f[3] >> f[4] >> f[5] >> f[6] >> f[7] >> f[8] >> f[9])
            carried.push_back(geographic ? Vertex{-f[6], -f[5]} : Vertex{f[8], f[7]});
        return carried;
    }
};

TEST_F(LayerCommand, WritesEveryFormatWithTheCoreResults) {
    MakeLayer(folder / "in.gpkg", kPoint + kLine + kPolygons, "EPSG:24879", "-dim XYZ");
    MakeLayer(folder / "polygons.gpkg", kPolygons, "EPSG:24879");
    const ReadLayer mixed = Read(folder / "in.gpkg"), polygons = Read(folder / "polygons.gpkg");
    for (const FormatCase& format : kFormats) {
        SCOPED_TRACE(format.output);
        const bool kml = std::string(format.output).ends_with(".kml");
        const cli::test::CliRun run =
            Cli("layer " + Quoted(format.mixed ? "in.gpkg" : "polygons.gpkg") + " " + Quoted(format.output) + " --to sirgas");
        EXPECT_EQ(run.status, 1) << run.err;  // B1 is left out
        const ReadLayer& source = format.mixed ? mixed : polygons;
        if (format.mixed) {
            EXPECT_NE(run.err.find("1 cruza un límite de banda, latitud 26 S: elemento 2;"), std::string::npos);
        }
        EXPECT_NE(run.err.find("1 omitido (sin parámetros para la latitud), latitud 44."), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(": elemento " + std::to_string(source.names.size()) + "; PSAD56 tiene"),
                  std::string::npos)
            << run.err;
        const fs::path output = folder / format.output;
        const bool dxf = output.extension() == ".dxf";
        const ReadLayer out = Read(output, output.extension() == ".csv" ? CsvOpenOptions() : std::vector<std::string>{});
        EXPECT_EQ(dxf ? PrjCode(fs::path(output).replace_extension(".prj")) : out.code, format.code);
        ASSERT_EQ(out.vertices.size(), source.vertices.size() - 1);
        if (output.extension() == ".gpkg") {  // the spatial index, made as the features went in, holds them all
            GDALDatasetUniquePtr written(GDALDataset::Open(output.c_str(), GDAL_OF_VECTOR));
            OGRLayer* index = written->ExecuteSQL(
                "SELECT count(*), rtreecheck('rtree_vertices_geom') FROM rtree_vertices_geom", nullptr, nullptr);
            ASSERT_NE(index, nullptr);
            OGRFeatureUniquePtr row(index->GetNextFeature());
            EXPECT_EQ(row->GetFieldAsInteger64(0), static_cast<GIntBig>(out.vertices.size()));
            EXPECT_STREQ(row->GetFieldAsString(1), "ok");
            written->ReleaseResultSet(index);
        }
        for (std::size_t f = 0; f + 1 < source.vertices.size(); ++f) {
            if (format.names) {
                EXPECT_EQ(out.names[f], source.names[f]);
                EXPECT_EQ(out.types[f], source.types[f]);
            }
            const std::vector<Vertex> byConvert = ThroughConvert(source.vertices[f], kml);
            ASSERT_EQ(out.vertices[f].size(), source.vertices[f].size());
            ASSERT_EQ(byConvert.size(), source.vertices[f].size());
            std::vector<Vertex> expected;
            for (const Vertex& v : source.vertices[f]) {
                const core::Outcome core = ThroughCore(v, kml);
                expected.push_back(kml ? Vertex{-core.target.longitude, -core.target.latitude}
                                       : Vertex{core.target.utm.easting, core.target.utm.northing});
            }
            for (std::size_t v = 0; v < expected.size(); ++v) {
                const Vertex& written = out.vertices[f][v];
                const Vertex core = format.ordered ? expected[v] : Nearest(expected, written);
                const Vertex convert = format.ordered ? byConvert[v] : Nearest(byConvert, written);
                EXPECT_NEAR(written.x, core.x, format.tolerance);
                EXPECT_NEAR(written.y, core.y, format.tolerance);
                if (format.ordered) {
                    EXPECT_EQ(written.z, source.vertices[f][v].z);  // kept as it was
                }
                EXPECT_NEAR(written.x, convert.x, kml ? 1e-9 : 5e-4);
                EXPECT_NEAR(written.y, convert.y, kml ? 1e-9 : 5e-4);
            }
        }
    }
}

// A layer that declares no Z holds a point with one: FlatGeobuf cannot keep
// it, and the summary says so; GeoPackage keeps it.
TEST_F(LayerCommand, SaysWhichFeaturesLoseTheirZ) {
    MakeLayer(folder / "mixed.gpkg", "Z1,POINT Z (300000 6300000 512.5)\nL1,\"LINESTRING (300000 6300000,300100 6300100)\"\n",
              "EPSG:24879");
    for (const auto& [output, lost] : {std::pair{"mixed.fgb", true}, std::pair{"mixed-out.gpkg", false}}) {
        const cli::test::CliRun run = Cli("layer " + Quoted("mixed.gpkg") + " " + Quoted(output) + " --to sirgas");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err.find(", 1 sin su Z o M") != std::string::npos, lost) << run.err;
        EXPECT_EQ(Read(folder / output).vertices[0][0].z, lost ? 0.0 : 512.5);
    }
}

}  // namespace
}  // namespace trevalco::layers::test
