// The shift grids as PROJ applies them (+proj=hgridshift) against the point
// core's own results: random points, both sides of every band limit, the
// limit itself, the sliver beside it and the outside; the NTv2 header as
// the format lays it down; and the command's refusals.
#include <gtest/gtest.h>

#include <gdal_priv.h>
#include <proj.h>

#include <cmath>
#include <cstring>
#include <random>

#include "CliRunner.h"
#include "EpsgShifts.h"
#include "Gdal.h"
#include "GridFile.h"
#include "PointChain.h"
#include "PointCore.h"

namespace trevalco::layers {
namespace {

namespace fs = std::filesystem;

constexpr double kMetresPerDegree = 111320.0;
constexpr double kDegree = M_PI / 180;

struct Offsets {
    bool ok = false;
    double latitude = 0.0, longitude = 0.0;  // degrees, north and east positive
};

// What PROJ's hgridshift does to a point (magnitudes, degrees south and west).
class ProjGrid {
public:
    explicit ProjGrid(const fs::path& file)
        : context_(proj_context_create()),
          grid_(proj_create(context_, ("+proj=hgridshift +grids=" + file.string()).c_str())) {}
    ~ProjGrid() {
        proj_destroy(grid_);
        proj_context_destroy(context_);
    }
    ProjGrid(const ProjGrid&) = delete;
    ProjGrid& operator=(const ProjGrid&) = delete;

    bool Opened() const { return grid_ != nullptr; }
    Offsets At(double latitude, double longitude) {
        proj_errno_reset(grid_);
        const PJ_COORD out = proj_trans(grid_, PJ_FWD, proj_coord(-longitude * kDegree, -latitude * kDegree, 0, 0));
        error_ = proj_errno(grid_);
        if (out.lp.lam == HUGE_VAL) return {};
        return {true, out.lp.phi / kDegree + latitude, out.lp.lam / kDegree + longitude};
    }
    // The error of the last point (0: none).
    int Error() const { return error_; }

private:
    PJ_CONTEXT* context_;
    PJ* grid_;
    int error_ = 0;
};

// The point core's target less its source.
Offsets Program(DirectionKey key, double latitude, double longitude, ShiftSet shifts = ShiftSet::Seed) {
    core::Settings settings{key, zones::ForcedZone::Off(), std::nullopt, core::InputRules::CommandLine};
    settings.texts = false;
    settings.shifts = ShiftsFor(shifts);
    const core::Outcome outcome = core::ConvertPoint(core::Notation::DecimalDegrees, {latitude, longitude}, settings);
    if (!outcome.Converted()) return {};
    return {true, latitude - outcome.target.latitude, longitude - outcome.target.longitude};
}

// Millimetres on the ground between two offsets at a latitude.
double Millimetres(const Offsets& a, const Offsets& b, double latitude) {
    return 1000 * kMetresPerDegree *
           std::hypot(a.latitude - b.latitude, (a.longitude - b.longitude) * std::cos(latitude * kDegree));
}

class Grids : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterDrivers(); }

    // The grid of a direction, written in both formats.
    ShiftGrid Write(DirectionKey key, ShiftSet shifts = ShiftSet::Seed) {
        const ShiftGrid grid = BuildGrid({key, shifts, kDefaultStep, limits::kLatitude});
        for (const char* extension : {".gsb", ".tif"})
            WriteGrid(grid, {"1.1"}, File(key, extension), true);
        return grid;
    }
    fs::path File(DirectionKey key, const char* extension) const {
        return folder.Path() / (std::string(NameOf(key)) + extension);
    }

    workbook::test::TestFolder folder;
};

TEST_F(Grids, ProjGivesTheProgramsResultWithinAMillimetre) {
    struct Point {
        double latitude, longitude;
        Offsets ours;
    };
    for (const DirectionKey key : kDirections) {
        const ShiftGrid grid = Write(key);
        std::mt19937 random(7);
        std::uniform_real_distribution<double> latitude(grid.bands.front().low, grid.bands.back().high);
        std::uniform_real_distribution<double> longitude(limits::kLongitude.low, limits::kLongitude.high);
        std::vector<Point> points(20000);
        for (Point& p : points) {
            p.latitude = latitude(random), p.longitude = longitude(random);
            p.ours = Program(key, p.latitude, p.longitude);
        }
        for (const char* extension : {".gsb", ".tif"}) {
            SCOPED_TRACE(std::string(NameOf(key)) + extension);
            ProjGrid proj(File(key, extension));
            ASSERT_TRUE(proj.Opened());
            double worst = 0;
            for (const Point& p : points) {
                const Offsets theirs = proj.At(p.latitude, p.longitude);
                ASSERT_TRUE(p.ours.ok && theirs.ok) << p.latitude << " " << p.longitude;
                worst = std::max(worst, Millimetres(p.ours, theirs, p.latitude));
            }
            EXPECT_LT(worst, 1.0);
            std::printf("%s%s: worst %.4f mm over %zu points, %ju bytes\n", std::string(NameOf(key)).c_str(),
                        extension, worst, points.size(),
                        static_cast<std::uintmax_t>(fs::file_size(File(key, extension))));
        }
    }
}

// The offsets the chain gives a point with the program's band of another
// latitude (the point core's chain, without its input limits).
Offsets Carried(DirectionKey key, double latitude, double longitude, double bandOf) {
    const chain::Target target = chain::CarryToTarget(-latitude, -longitude, datums::EllipsoidsFor(key),
                                                      *bands::BandShifts(key, -bandOf), zones::ForcedZone::Off());
    return {true, latitude - target.latitude, longitude - target.longitude};
}

// Where PROJ must put a point beside a limit: in the program's band of
// `bandOf` (0: of its own latitude), or nowhere (kNoGrid).
struct LimitCase {
    Datum local;
    double latitude, bandOf;
};
constexpr double kNoGrid = -1;

const LimitCase kLimitCases[] = {
    // PSAD56 has no shift at 17 S and 44 S themselves: the bands beside them reach them.
    {Datum::Psad56, 17 - 1e-5, kNoGrid}, {Datum::Psad56, 17, 17.5}, {Datum::Psad56, 17 + 1e-5, 0},
    {Datum::Psad56, 44 - 1e-5, 0}, {Datum::Psad56, 44, 43.5}, {Datum::Psad56, 44 + 1e-5, kNoGrid},
    // SAD69's shift of 17 S and north of it reaches kLimitDepth north of 17 S.
    {Datum::Sad69, 17 - 2 * kLimitDepth, kNoGrid}, {Datum::Sad69, 17 - 1e-5, 0}, {Datum::Sad69, 17, 0},
    {Datum::Sad69, 17 + kSliver / 2, 17}, {Datum::Sad69, 17 + 2 * kSliver, 0}, {Datum::Sad69, 17 + 1e-5, 0},
    {Datum::Sad69, 44 - 1e-5, 0}, {Datum::Sad69, 44 - 2 * kSliver, 0}, {Datum::Sad69, 44 - kSliver / 2, 44},
    {Datum::Sad69, 44, 0}, {Datum::Sad69, 44 + 1e-5, 0},
    {Datum::Sad69, 56 - 1e-5, 0}, {Datum::Sad69, 56, 0}, {Datum::Sad69, 56 + 1e-5, kNoGrid},
    // 26 S and 36 S belong to the band south of them, in both.
    {Datum::Psad56, 26 - 1e-5, 0}, {Datum::Psad56, 26 - 2 * kSliver, 0}, {Datum::Psad56, 26 - kSliver / 2, 26},
    {Datum::Psad56, 26, 0}, {Datum::Psad56, 26 + 1e-5, 0},
    {Datum::Psad56, 36 - 1e-5, 0}, {Datum::Psad56, 36 - 2 * kSliver, 0}, {Datum::Psad56, 36 - kSliver / 2, 36},
    {Datum::Psad56, 36, 0}, {Datum::Psad56, 36 + 1e-5, 0},
    {Datum::Sad69, 26 - 1e-5, 0}, {Datum::Sad69, 26 - 2 * kSliver, 0}, {Datum::Sad69, 26 - kSliver / 2, 26},
    {Datum::Sad69, 26, 0}, {Datum::Sad69, 26 + 1e-5, 0},
    {Datum::Sad69, 36 - 1e-5, 0}, {Datum::Sad69, 36 - 2 * kSliver, 0}, {Datum::Sad69, 36 - kSliver / 2, 36},
    {Datum::Sad69, 36, 0}, {Datum::Sad69, 36 + 1e-5, 0},
};

TEST_F(Grids, BesideEveryLimitProjGivesTheDocumentedBand) {
    for (const DirectionKey key : kDirections) {
        Write(key);
        for (const char* extension : {".gsb", ".tif"}) {
            ProjGrid proj(File(key, extension));
            double worst = 0;
            for (const LimitCase& c : kLimitCases) {
                if (c.local != datums::LocalDatumOf(key)) continue;
                for (const double longitude : {66.0, 68.123, 70.65, 73.3, 76.0}) {
                    SCOPED_TRACE(std::string(NameOf(key)) + extension + " " + std::to_string(c.latitude));
                    const Offsets theirs = proj.At(c.latitude, longitude);
                    ASSERT_EQ(theirs.ok, c.bandOf != kNoGrid);
                    if (!theirs.ok) continue;
                    const Offsets ours = Carried(key, c.latitude, longitude, c.bandOf == 0 ? c.latitude : c.bandOf);
                    worst = std::max(worst, Millimetres(ours, theirs, c.latitude));
                }
            }
            EXPECT_LT(worst, 1.0);
            std::printf("%s%s: worst %.4f mm beside the limits\n", std::string(NameOf(key)).c_str(), extension, worst);
        }
    }
}

TEST_F(Grids, OutsideTheAreaProjSaysNoGrid) {
    for (const DirectionKey key : {kSirgasToPsad56, kSad69ToSirgas}) {
        const ShiftGrid grid = Write(key);
        const double north = grid.bands.front().low, south = grid.bands.back().high;
        ProjGrid proj(File(key, ".gsb"));
        for (const auto& [lat, lon] : std::vector<std::pair<double, double>>{
                 {north - 0.01, 70}, {south + 0.01, 70}, {30, limits::kLongitude.low - 0.01},
                 {30, limits::kLongitude.high + 0.01}}) {
            EXPECT_FALSE(proj.At(lat, lon).ok) << lat << " " << lon;
            EXPECT_EQ(proj.Error(), PROJ_ERR_COORD_TRANSFM_OUTSIDE_GRID);
        }
    }
}

TEST_F(Grids, EpsgGridGivesEpsgsShifts) {
    const ShiftGrid grid = Write(kPsad56ToSirgas, ShiftSet::Epsg);
    ProjGrid proj(File(kPsad56ToSirgas, ".tif"));
    for (const double lat : {17.5, 20.0, 26.0, 26.00001, 35.99999, 36.0, 43.5}) {
        const Offsets ours = Program(kPsad56ToSirgas, lat, 70.5, ShiftSet::Epsg), theirs = proj.At(lat, 70.5);
        ASSERT_TRUE(ours.ok && theirs.ok) << lat;
        EXPECT_LT(Millimetres(ours, theirs, lat), 1.0) << lat;
    }
    EXPECT_FALSE(proj.At(17.49, 70.5).ok);
    EXPECT_FALSE(proj.At(43.51, 70.5).ok);
}

// The NTv2 file, one 16-byte record after another: an 8-byte label, then its value.
struct Ntv2Records {
    std::string bytes;
    std::size_t at = 0;
    std::string Record() { return bytes.substr((at += 16) - 16, 16); }
    template <typename T>
    T Value() {
        T value;
        std::memcpy(&value, Record().data() + 8, sizeof value);
        return value;
    }
};

TEST_F(Grids, Ntv2HeaderIsWhatTheFormatRequires) {
    const ShiftGrid grid = Write(kSirgasToSad69);
    Ntv2Records r{workbook::test::Slurp(File(kSirgasToSad69, ".gsb"))};
    EXPECT_EQ(r.Value<int>(), 11);  // NUM_OREC
    EXPECT_EQ(r.Value<int>(), 11);  // NUM_SREC
    EXPECT_EQ(r.Value<int>(), static_cast<int>(grid.pieces.size()));
    for (const char* record : {"GS_TYPE SECONDS ", "VERSION TREVALCO", "SYSTEM_FSIRGAS  ", "SYSTEM_TSAD69   "})
        EXPECT_EQ(r.Record(), record);
    for (const double axis : {datums::kSirgas.a, datums::kSirgas.b, datums::kSad69.a, datums::kSad69.b})
        EXPECT_EQ(r.Value<double>(), axis);
    struct Extent { double s, n, e, w; };
    std::vector<Extent> extents;
    for (const GridPiece& piece : grid.pieces) {
        SCOPED_TRACE(piece.name);
        EXPECT_EQ(r.Record(), "SUB_NAME" + (piece.name + "        ").substr(0, 8));
        for (const char* record : {"PARENT  NONE    ", "CREATED 1.1     ", "UPDATED SEED    "})
            EXPECT_EQ(r.Record(), record);
        const Extent x{r.Value<double>(), r.Value<double>(), r.Value<double>(), r.Value<double>()};
        const double latStep = r.Value<double>(), lonStep = r.Value<double>();
        const int count = r.Value<int>();
        EXPECT_NEAR(x.s, -piece.south * 3600, 1e-6);
        EXPECT_NEAR(x.n, -piece.north * 3600, 1e-6);
        EXPECT_NEAR(x.e, piece.east * 3600, 1e-6);  // positive west
        EXPECT_NEAR(x.w, piece.west * 3600, 1e-6);
        const double rows = (x.n - x.s) / latStep + 1, columns = (x.w - x.e) / lonStep + 1;
        EXPECT_NEAR(rows, std::round(rows), 1e-9);
        EXPECT_NEAR(columns, std::round(columns), 1e-9);
        EXPECT_EQ(count, std::lround(rows) * std::lround(columns));
        for (const Extent& o : extents)  // grids without a parent touch, never overlap
            EXPECT_TRUE(x.s >= o.n - 1e-6 || x.n <= o.s + 1e-6 || x.e >= o.w - 1e-6 || x.w <= o.e + 1e-6);
        extents.push_back(x);
        r.at += 16 * static_cast<std::size_t>(count);
    }
    EXPECT_EQ(r.Record().substr(0, 8), "END     ");
    EXPECT_EQ(r.at, r.bytes.size());
}

TEST_F(Grids, GdalReadsBothFilesAlike) {
    const ShiftGrid grid = Write(kPsad56ToSirgas);
    GDALDatasetUniquePtr tif(GDALDataset::Open(File(kPsad56ToSirgas, ".tif").c_str(), GDAL_OF_RASTER));
    ASSERT_TRUE(tif);
    EXPECT_STREQ(tif->GetMetadataItem("TYPE"), "HORIZONTAL_OFFSET");
    EXPECT_STREQ(tif->GetRasterBand(2)->GetDescription(), "longitude_offset");
    EXPECT_STREQ(tif->GetRasterBand(2)->GetMetadataItem("positive_value"), "east");
    EXPECT_STREQ(tif->GetRasterBand(1)->GetUnitType(), "arc-second");
    char** tifGrids = tif->GetMetadata("SUBDATASETS");
    GDALDatasetUniquePtr gsb(GDALDataset::Open(File(kPsad56ToSirgas, ".gsb").c_str(), GDAL_OF_RASTER));
    ASSERT_TRUE(gsb);
    char** gsbGrids = gsb->GetMetadata("SUBDATASETS");
    ASSERT_EQ(CSLCount(tifGrids), 2 * static_cast<int>(grid.pieces.size()));
    ASSERT_EQ(CSLCount(gsbGrids), 2 * static_cast<int>(grid.pieces.size()));
    for (std::size_t i = 0; i < grid.pieces.size(); ++i) {
        const GridPiece& piece = grid.pieces[i];
        const auto name = [i](std::size_t first) { return "SUBDATASET_" + std::to_string(i + first) + "_NAME"; };
        GDALDatasetUniquePtr a(GDALDataset::Open(CSLFetchNameValue(tifGrids, name(1).c_str()), GDAL_OF_RASTER));
        GDALDatasetUniquePtr b(GDALDataset::Open(CSLFetchNameValue(gsbGrids, name(0).c_str()), GDAL_OF_RASTER));
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->GetRasterXSize(), piece.columns);
        EXPECT_EQ(b->GetRasterYSize(), piece.rows);
        float east = 0, west = 0, north = 0;
        ASSERT_EQ(a->GetRasterBand(2)->RasterIO(GF_Read, 1, 1, 1, 1, &east, 1, 1, GDT_Float32, 0, 0), CE_None);
        ASSERT_EQ(b->GetRasterBand(2)->RasterIO(GF_Read, 1, 1, 1, 1, &west, 1, 1, GDT_Float32, 0, 0), CE_None);
        ASSERT_EQ(b->GetRasterBand(1)->RasterIO(GF_Read, 1, 1, 1, 1, &north, 1, 1, GDT_Float32, 0, 0), CE_None);
        EXPECT_EQ(east, -west);
        EXPECT_EQ(north, piece.latitudeOffsets[static_cast<std::size_t>(piece.columns) + 1]);
        EXPECT_EQ(east, piece.longitudeOffsets[static_cast<std::size_t>(piece.columns) + 1]);
    }
}

using GridCommand = cli::test::CliFixture;

TEST_F(GridCommand, WritesTheGridAndRefusesWhatItCannotWrite) {
    const cli::test::CliRun written = Cli("grid --direction sad69_sirgas " + Quoted("g.tif"));
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, (folder / "g.tif").string() + "\n");
    const auto size = fs::file_size(folder / "g.tif");
    EXPECT_EQ(Cli("grid --direction SIRGAS_PSAD56 " + Quoted("g.tif")).status, 3);
    EXPECT_EQ(fs::file_size(folder / "g.tif"), size);
    for (const char* refused : {"--direction SIRGAS_PSAD56 g.txt", "--direction SIRGAS_PSAD56 --step 0.5 g.gsb",
                                "--direction SIRGAS_PSAD56 --step 0.005 g.gsb", "--direction SIRGAS_PSAD56 --step 0.03 g.gsb",
                                "--direction PSAD56_SIRGAS --latitudes 45:50 g.gsb", "g.gsb"}) {
        const cli::test::CliRun run = Cli(std::string("grid ") + refused);
        EXPECT_EQ(run.status, 2) << refused;
        EXPECT_NE(run.err.find("trevalco-cli grid: "), std::string::npos) << refused;
    }
    EXPECT_FALSE(fs::exists(folder / "g.gsb"));
}

}  // namespace
}  // namespace trevalco::layers
