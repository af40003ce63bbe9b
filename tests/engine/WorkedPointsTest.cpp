// Worked points through the chain, each figure from a source independent of
// this code: "doc" rows are the documented worked examples (exact to their
// last digit), "proj" rows come from PROJ 9: cct with the pipeline
// unitconvert, cart (source axes), helmert (the band's dX, dY, dZ), inverse
// cart (target axes), and proj +proj=tmerc +lon_0=-69 +k=0.9996 +x_0=500000
// +y_0=10000000 for the UTM (see docs/accuracy/make-figures.sh). One row per
// direction and band catches a wrong triple in any cell of the shift table.
#include <gtest/gtest.h>

#include <cmath>

#include "Chain.h"
#include "Parametros.h"

using namespace trevalco;
using Util::ForcedZone;

namespace {

struct WorkedPoint {
    const char* key;
    double lat, lon;
    int forcedZone;                  // 0: not forced
    double n, e;                     // source UTM
    int zone;
    double lat2, lon2, n2, e2;       // target; NAN where the source gives none
    bool proj;                       // PROJ figure (else documented)
};

constexpr double X = NAN;

const WorkedPoint kPoints[] = {
    {"SIRGAS_SAD69", 33.45, 70.65, 0, 6297606.833, 346642.695, 19, 33.4496588124, 70.6493505358, 6297632.781, 346701.908, false},
    {"SIRGAS_PSAD56", 33.45, 70.65, 0, 6297606.833, 346642.695, 19, 33.4461474161, 70.6478833098, 6297980.173, 346825.988, false},
    {"", 33.45, 70.65, 0, 6297593.989, 346642.138, 19, 33.4503411829, 70.6506494670, X, X, false},
    {"", 33.45, 70.65, 0, 6297593.9891, 346642.1382, 19, X, X, 6297568.0413, 346582.9254, true},
    // Every text but the three keys is SAD69 to SIRGAS; the signs of the input are discarded.
    {"sirgas_psad56", -33.45, -70.65, 0, 6297593.989, 346642.138, 19, 33.4503411829, 70.6506494670, X, X, false},
    {"SIRGAS_SAD69", 33.45, 70.65, 18, 6290351.776, 904437.020, 18, X, X, X, X, false},
    {"SIRGAS_SAD69", 33.45, 70.65, 17, 6250514.541, 1463974.289, 17, X, X, X, X, false},
    {"SIRGAS_SAD69", 20, 67, 0, 7787269.285, 709243.230, 19, X, X, X, X, false},
    {"SIRGAS_SAD69", 45, 74.9, 0, 5017044.737, 507881.530, 18, X, X, X, X, false},
    {"SIRGAS_SAD69", 55, 68, 0, 3904751.292, 563967.423, 19, X, X, X, X, false},
    {"SIRGAS_PSAD56", 20, 70, 0, 7788206.4439, 395390.6762, 19, 19.99636461661, 69.99817724237, 7788582.1489, 395574.6889, true},
    {"SIRGAS_PSAD56", 40, 70, 0, 5571763.9355, 414639.5382, 19, 39.99594067708, 69.99774084445, 5572140.7467, 414823.4896, true},
    {"PSAD56_SIRGAS", 20, 70, 0, 7788178.6666, 395386.3861, 19, 20.00363539066, 70.00182290109, 7787802.9645, 395202.3753, true},
    {"PSAD56_SIRGAS", 30, 70, 0, 6680745.4763, 403545.7101, 19, 30.00380473351, 70.00198928889, 6680370.4732, 403361.6577, true},
    {"PSAD56_SIRGAS", 40, 70, 0, 5571688.0155, 414635.6786, 19, 40.00405937177, 70.00225951432, 5571311.2062, 414451.7284, true},
    {"SIRGAS_SAD69", 20, 70, 0, 7788206.4439, 395390.6762, 19, 19.99953164462, 69.99943425096, 7788250.9949, 395449.1761, true},
    {"SIRGAS_SAD69", 40, 70, 0, 5571763.9355, 414639.5382, 19, 39.99958754237, 69.99924775361, 5571795.0301, 414702.9277, true},
    {"SIRGAS_SAD69", 50, 70, 0, 4460890.1849, 428333.5525, 19, 49.99965414412, 69.99902659802, 4460910.2042, 428402.5363, true},
    {"SAD69_SIRGAS", 20, 70, 0, 7788198.8072, 395390.2979, 19, 20.00046835053, 70.00056574886, 7788154.2567, 395331.7985, true},
    {"SAD69_SIRGAS", 40, 70, 0, 5571748.5297, 414639.2275, 19, 40.00041245194, 70.00075225411, 5571717.4354, 414575.8383, true},
    {"SAD69_SIRGAS", 50, 70, 0, 4460870.8189, 428333.2906, 19, 50.00034584805, 70.00097341702, 4460850.7997, 428264.3070, true},
};

ForcedZone Forced(int zone) { return zone == 0 ? ForcedZone::Off() : ForcedZone::To(static_cast<std::int16_t>(zone)); }

void ExpectNear(double actual, double expected, double tolerance, const char* what) {
    if (!std::isnan(expected)) {
        EXPECT_NEAR(actual, expected, tolerance) << what;
    }
}

}  // namespace

TEST(Chain, WorkedPoints) {
    for (const WorkedPoint& p : kPoints) {
        SCOPED_TRACE(testing::Message() << '"' << p.key << "\" " << p.lat << ' ' << p.lon << " zone " << p.forcedZone);
        // A documented figure must round to itself; PROJ differs by rounding and,
        // 1 degree from the central meridian, a fraction of a millimetre.
        const double deg = p.proj ? 2e-10 : 5e-11, m = p.proj ? 2e-3 : 5e-4;
        const auto start = chain::StartGeographic(p.key, p.lat, p.lon, Forced(p.forcedZone));
        ASSERT_TRUE(start.shift.found);
        ExpectNear(start.sourceUtm.northing, p.n, m, "source northing");
        ExpectNear(start.sourceUtm.easting, p.e, m, "source easting");
        EXPECT_EQ(start.sourceUtm.zone, p.zone);
        EXPECT_EQ(start.sourceUtm.centralMeridian, 183 - 6 * p.zone);
        const auto target = chain::CarryToTarget(start.latitude, start.longitude, start.ellipsoids,
                                                 start.shift.shift, Forced(p.forcedZone));
        ExpectNear(target.latitude, p.lat2, deg, "target latitude");
        ExpectNear(target.longitude, p.lon2, deg, "target longitude");
        ExpectNear(target.utm.northing, p.n2, m, "target northing");
        ExpectNear(target.utm.easting, p.e2, m, "target easting");
        EXPECT_EQ(target.utm.zone, p.zone);
    }
}

TEST(Chain, WithoutParametersTheSourceIsStillProjected) {
    const auto start = chain::StartGeographic("PSAD56_SIRGAS", 45, 72, ForcedZone::Off());
    EXPECT_FALSE(start.shift.found);
    EXPECT_EQ(start.sourceUtm.zone, 18);
    // Carried on without a shift, the change of ellipsoid alone: the two values
    // of pi bring the longitude back just short of 72, into zone 19.
    const auto target = chain::CarryToTarget(start.latitude, start.longitude, start.ellipsoids, {}, ForcedZone::Off());
    EXPECT_NEAR(target.latitude, 44.99917787, 1e-8);
    EXPECT_NEAR(target.longitude, 71.99999999999993, 2e-14);
    EXPECT_EQ(target.utm.zone, 19);
}

TEST(Chain, UtmInputAtFullPrecision) {
    const auto start = chain::StartUtm("SIRGAS_SAD69", 19, 6297606.833, 346642.695);
    EXPECT_EQ(start.ellipsoids.source, Parametros::kSirgas);
    EXPECT_NEAR(start.latitude, 33.4499999969, 5e-11);
    const auto full = chain::CarryToTarget(-start.latitude, -start.longitude, start.ellipsoids,
                                           chain::LookupShift("SIRGAS_SAD69", -start.latitude).shift,
                                           ForcedZone::Off());
    // The unrounded source moves the documented target northing by about 0.3 mm.
    EXPECT_NE(full.utm.northing, 6297632.781);
    EXPECT_NEAR(full.utm.northing, 6297632.781, 0.001);
}

TEST(Chain, Ranges) {
    EXPECT_TRUE(chain::InBatchInputRange(17, 66) && chain::InBatchInputRange(56, 77));
    EXPECT_FALSE(chain::InBatchInputRange(16.99, 70) || chain::InBatchInputRange(33, 77.01));
    EXPECT_TRUE(chain::InTransformationRange(-17, -76) && chain::InTransformationRange(-56, -66));
    EXPECT_FALSE(chain::InTransformationRange(-33, -76.0001) || chain::InTransformationRange(-56.5, -70));
}
