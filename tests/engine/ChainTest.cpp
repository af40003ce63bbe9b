#include <gtest/gtest.h>

#include "Chain.h"
#include "Parametros.h"
#include "TestSupport.h"

using namespace trevalco;
using trevalco::test::Fixed;
using Util::ForcedZone;

namespace {

struct Outcome {
    chain::GeographicStart start;
    chain::Target target;
};

Outcome Convert(DirectionKey key, double lat, double lon, ForcedZone forced = ForcedZone::Off()) {
    Outcome o;
    o.start = chain::StartGeographic(key, lat, lon, forced);
    EXPECT_TRUE(o.start.shift.found);
    o.target = chain::CarryToTarget(o.start.latitude, o.start.longitude, o.start.ellipsoids,
                                    o.start.shift.shift, forced);
    return o;
}

}  // namespace

TEST(Chain, SirgasToSad69WorkedExample) {
    const Outcome o = Convert("SIRGAS_SAD69", 33.45, 70.65);
    EXPECT_EQ(o.start.latitude, -33.45);
    EXPECT_EQ(o.start.longitude, -70.65);
    EXPECT_EQ(o.start.shift.shift.dX, 64);
    EXPECT_EQ(Fixed(o.start.sourceUtm.northing, 3), "6297606.833");
    EXPECT_EQ(Fixed(o.start.sourceUtm.easting, 3), "346642.695");
    EXPECT_EQ(o.start.sourceUtm.zone, 19);
    EXPECT_EQ(Fixed(o.target.latitude, 10), "33.4496588124");
    EXPECT_EQ(Fixed(o.target.longitude, 10), "70.6493505358");
    EXPECT_EQ(Util::FormatDms(o.target.latitude, NumberText::Invariant()), " 33°  26'  58.7717\"");
    EXPECT_EQ(Util::FormatDms(o.target.longitude, NumberText::Invariant()), " 70°  38'  57.6619\"");
    EXPECT_EQ(Fixed(o.target.utm.northing, 3), "6297632.781");
    EXPECT_EQ(Fixed(o.target.utm.easting, 3), "346701.908");
    EXPECT_EQ(o.target.utm.zone, 19);
}

TEST(Chain, SirgasToPsad56WorkedExample) {
    const Outcome o = Convert("SIRGAS_PSAD56", 33.45, 70.65);
    EXPECT_EQ(Fixed(o.target.latitude, 10), "33.4461474161");
    EXPECT_EQ(Fixed(o.target.longitude, 10), "70.6478833098");
    EXPECT_EQ(Fixed(o.target.utm.northing, 3), "6297980.173");
    EXPECT_EQ(Fixed(o.target.utm.easting, 3), "346825.988");
    EXPECT_EQ(o.target.utm.zone, 19);
}

TEST(Chain, Sad69ToSirgasWorkedExample) {
    const Outcome o = Convert("", 33.45, 70.65);
    EXPECT_EQ(o.start.shift.shift.dX, -64);
    EXPECT_EQ(o.start.shift.shift.dZ, -32);
    EXPECT_EQ(Fixed(o.start.sourceUtm.northing, 3), "6297593.989");
    EXPECT_EQ(Fixed(o.start.sourceUtm.easting, 3), "346642.138");
    EXPECT_EQ(Fixed(o.target.latitude, 10), "33.4503411829");
    EXPECT_EQ(Fixed(o.target.longitude, 10), "70.6506494670");
}

TEST(Chain, Psad56ToSirgasRoundTripsTheForwardDirection) {
    const Outcome forward = Convert("SIRGAS_PSAD56", 33.45, 70.65);
    const Outcome back =
        Convert("PSAD56_SIRGAS", forward.target.latitude, forward.target.longitude);
    EXPECT_NEAR(back.target.latitude, 33.45, 1e-5);
    EXPECT_NEAR(back.target.longitude, 70.65, 1e-5);
}

TEST(Chain, SignsOfTheInputAreDiscarded) {
    const Outcome minus = Convert("SIRGAS_SAD69", -33.45, -70.65);
    const Outcome plus = Convert("SIRGAS_SAD69", 33.45, 70.65);
    EXPECT_EQ(minus.target.latitude, plus.target.latitude);
    EXPECT_EQ(minus.target.utm.northing, plus.target.utm.northing);
}

TEST(Chain, NoParametersIsReported) {
    const auto start = chain::StartGeographic("PSAD56_SIRGAS", 45, 72, ForcedZone::Off());
    EXPECT_FALSE(start.shift.found);
    EXPECT_EQ(start.sourceUtm.zone, 18);  // the source UTM is still known
    EXPECT_FALSE(chain::StartGeographic("SIRGAS_PSAD56", 17, 70, ForcedZone::Off()).shift.found);
    EXPECT_TRUE(chain::StartGeographic("SIRGAS_SAD69", 17, 70, ForcedZone::Off()).shift.found);
}

TEST(Chain, ForcedZoneAppliesToBothProjections) {
    const Outcome o = Convert("SIRGAS_SAD69", 33.45, 70.65, ForcedZone::To(18));
    EXPECT_EQ(o.start.sourceUtm.zone, 18);
    EXPECT_EQ(Fixed(o.start.sourceUtm.northing, 3), "6290351.776");
    EXPECT_EQ(o.target.utm.zone, 18);
}

TEST(Chain, UtmInputAtFullPrecision) {
    const auto start = chain::StartUtm("SIRGAS_SAD69", 19, 6297606.833, 346642.695);
    EXPECT_EQ(start.ellipsoids.source, Parametros::kSirgas);
    EXPECT_EQ(Fixed(start.latitude, 10), "33.4499999969");
    const auto lookup = chain::LookupShift("SIRGAS_SAD69", -start.latitude);
    ASSERT_TRUE(lookup.found);
    const auto full = chain::CarryToTarget(-start.latitude, -start.longitude, start.ellipsoids,
                                           lookup.shift, ForcedZone::Off());
    const auto rounded = Convert("SIRGAS_SAD69", 33.45, 70.65).target;
    // The unrounded source moves the target northing by a fraction of a millimetre.
    EXPECT_NE(full.utm.northing, rounded.utm.northing);
    EXPECT_NEAR(full.utm.northing, rounded.utm.northing, 0.001);
}

TEST(Chain, Ranges) {
    EXPECT_TRUE(chain::InBatchInputRange(17, 66));
    EXPECT_TRUE(chain::InBatchInputRange(56, 77));
    EXPECT_FALSE(chain::InBatchInputRange(16.99, 70));
    EXPECT_FALSE(chain::InBatchInputRange(33, 77.01));
    EXPECT_TRUE(chain::InTransformationRange(-17, -76));
    EXPECT_TRUE(chain::InTransformationRange(-56, -66));
    EXPECT_FALSE(chain::InTransformationRange(-33, -76.0001));
    EXPECT_FALSE(chain::InTransformationRange(-56.5, -70));
}
