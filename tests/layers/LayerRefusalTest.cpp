// Bad layers and bad requests: a clear Spanish message, the right exit
// status, and no output written when the command refuses.
#include <gtest/gtest.h>

#include "LayerSupport.h"

namespace trevalco::layers::test {
namespace {

struct RefusalCase {
    const char* what;
    const char* arguments;  // after "layer"; IN is the case's layer
    int status;
    const char* message;
    bool written;
};

const RefusalCase kCases[] = {
    {"not a layer", "nolayer.gpkg out.gpkg --to sirgas", 3, "no se puede leer", false},
    {"truncated", "cut.gpkg out.gpkg --to sirgas", 3, "no se puede leer", false},
    {"empty layer", "empty.gpkg out.gpkg --to sirgas", 3, "no tiene elementos", false},
    // Nothing converted: nothing written.
    {"north of the equator", "north.geojson out.gpkg --to psad56", 1, "(al norte del ecuador", false},
    {"not finite", "inf.csv out.gpkg --to psad56 --source-crs EPSG:4326", 1, "(coordenada no finita)", false},
    {"no CRS", "inf.csv out.gpkg --to psad56", 2, "--source-crs", false},
    // GDAL 3.6 crashes on this one when it opens it.
    {"a coordinate column twice", "twice.csv out.gpkg --to psad56 --source-crs EPSG:4326", 3, "dos columnas «Z»", false},
    {"KML outside SIRGAS", "north.geojson out.kml --to psad56", 2, "KML siempre está en WGS 84", false},
    {"contradicting CRS", "psad.gpkg out.gpkg --to sirgas --source-crs EPSG:29189", 2, "no coincide", false},
    {"own datum", "psad.gpkg out.gpkg --to psad56", 2, "ya está en PSAD56", false},
    {"other datum", "argentina.gpkg out.gpkg --to sirgas", 3, "EPSG:22195, Campo Inchauspe / Argentina 5 (datum Campo Inchauspe)", false},
    {"several layers", "two.gpkg out.gpkg --to sirgas", 2, "vertices, otra", false},
    {"unknown output", "psad.gpkg out.xyz --to sirgas", 2, "no se conoce el formato", false},
    {"empty and invalid kept", "odd.gpkg out.gpkg --to sirgas", 0, "1 sin geometría, 1 con geometría inválida", true},
    {"exists", "psad.gpkg two.gpkg --to sirgas", 3, "ya existe", true},
    {"no zone in the database", "psad17.gpkg out.gpkg --to sirgas", 2, "zona UTM 17 S", false},
};

class LayerRefusals : public cli::test::CliFixture {};

TEST_F(LayerRefusals, SayWhyAndWriteNothing) {
    workbook::test::Spill(folder / "nolayer.gpkg", "esto no es una capa\n");
    MakeLayer(folder / "psad.gpkg", "P1,POINT (346825.988 6297980.173)\n", "EPSG:24879");
    MakeLayer(folder / "psad17.gpkg", "P1,POINT (346825.988 6297980.173)\n", "EPSG:24877");
    MakeLayer(folder / "empty.gpkg", "", "EPSG:24879", "-nlt POINT");
    MakeLayer(folder / "odd.gpkg",
              "E1,POLYGON EMPTY\nB1,\"POLYGON ((300000 6300000,310000 6310000,310000 6300000,300000 6310000,"
              "300000 6300000))\"\n",
              "EPSG:24879");
    MakeLayer(folder / "north.geojson", "N1,POINT (-70.65 33.45)\n", "EPSG:4326");
    MakeLayer(folder / "argentina.gpkg", "P1,POINT (5500000 6300000)\n", "EPSG:22195");
    MakeLayer(folder / "two.gpkg", "P1,POINT (346825.988 6297980.173)\n", "EPSG:24879");
    MakeLayer(folder / "other.gpkg", "P1,POINT (346825.988 6297980.173)\n", "EPSG:24879");
    ASSERT_EQ(std::system(("ogr2ogr -update -nln otra " + Quoted("two.gpkg") + " " + Quoted("other.gpkg")).c_str()), 0);
    workbook::test::Spill(folder / "inf.csv", "name,WKT\nP1,POINT (-1e999 -33.45)\n");
    workbook::test::Spill(folder / "twice.csv", "X,Y,z,Z\n-70,-33,1,2\n");
    const std::string whole = workbook::test::Slurp(folder / "psad.gpkg");
    workbook::test::Spill(folder / "cut.gpkg", whole.substr(0, whole.size() / 3));
    for (const RefusalCase& refusal : kCases) {
        SCOPED_TRACE(refusal.what);
        std::string arguments = refusal.arguments;
        const std::size_t space = arguments.find(' '), next = arguments.find(' ', space + 1);
        const std::string output = arguments.substr(space + 1, next - space - 1);
        arguments = Quoted(arguments.substr(0, space)) + " " + Quoted(output) + arguments.substr(next);
        const cli::test::CliRun run = Cli("layer " + arguments);
        EXPECT_EQ(run.status, refusal.status) << run.err;
        EXPECT_NE(run.err.find(refusal.message), std::string::npos) << run.err;
        EXPECT_EQ(fs::exists(folder / output), refusal.written);
        if (output == "out.gpkg") fs::remove(folder / output);
    }
    for (const std::string& name : folder.Files()) EXPECT_FALSE(name.starts_with(".")) << name;
}

}  // namespace
}  // namespace trevalco::layers::test
