// The point tab's own rules that need no window: the forced zone its
// "Forzar Zonas" box and buttons select.
#include <gtest/gtest.h>

#include "PointTabRules.h"

namespace trevalco::point {
namespace {

using zones::ForcedZone;

TEST(PointTabRules, ForcedZoneFromTheBoxAndItsButtons) {
    std::array<bool, 8> buttons{};
    EXPECT_EQ(ReadForcedZone(0, buttons), ForcedZone::Off());
    EXPECT_EQ(ReadForcedZone(2, {true}), ForcedZone::Off());         // grey is not ticked
    EXPECT_EQ(ReadForcedZone(1, buttons), ForcedZone::To(22));       // none of OpZ12..OpZ21
    buttons[4] = true;                                               // OpZ18
    EXPECT_EQ(ReadForcedZone(1, buttons), ForcedZone::To(18));
    buttons[1] = true;  // OpZ13 is read before OpZ18
    EXPECT_EQ(ReadForcedZone(1, buttons), ForcedZone::To(13));
}

}  // namespace
}  // namespace trevalco::point
