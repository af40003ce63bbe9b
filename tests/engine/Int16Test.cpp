// The 16-bit rules: each conversion's edges of the range.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "Int16.h"

using namespace trevalco;

TEST(WholeNumber16, HalvesGoToEvenAndRangeIsSixteenBits) {
    const struct { double value; std::optional<std::int16_t> whole; } cases[] = {
        {18.5, 18}, {19.5, 20}, {-2.5, -2}, {18.51, 19}, {32767.4, 32767}, {-32768.5, -32768},
        {32767.5, std::nullopt}, {-32768.51, std::nullopt}, {std::nan(""), std::nullopt},
        {std::numeric_limits<double>::infinity(), std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(WholeNumber16(c.value), c.whole) << c.value;
}

TEST(Truncate16, TowardZeroWithinSixteenBits) {
    const struct { double value; std::optional<int> whole; } cases[] = {
        {33.9, 33}, {-33.9, -33}, {32767.99, 32767}, {-32768.99, -32768},
        {32768.0, std::nullopt}, {-32769.0, std::nullopt}, {std::nan(""), std::nullopt}};
    for (const auto& c : cases) {
        if (c.whole)
            EXPECT_EQ(Truncate16(c.value), *c.whole) << c.value;
        else
            EXPECT_THROW(Truncate16(c.value), Overflow) << c.value;
    }
    EXPECT_EQ(Checked16(-32768), -32768);
    EXPECT_THROW(Checked16(32768), Overflow);
}
