#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "NumberText.h"

using namespace trevalco::number_text;

namespace {

const Separators kDot{".", ","};
const Separators kComma{",", "."};

}  // namespace

TEST(NumericText, AcceptsSignDigitsDecimalsExponentAndBlanks) {
    for (const char* text : {"33.45", "-33.45", "+7", " 12 ", "\t5", ".5", "5.", "1e3", "1.5E-2", "-0", "0007"})
        EXPECT_TRUE(IsNumericText(text, kDot)) << text;
    for (const char* text : {"", " ", "-", ".", "e5", "1e", "1e+", "33.4.5", "1,234.5", "3 3", "abc", "12a",
                             "0x10", "inf", "nan", "1e400", "--1", "+-1"})
        EXPECT_FALSE(IsNumericText(text, kDot)) << '"' << text << '"';
    EXPECT_EQ(ReadNumber("  -33.5 ", kDot), -33.5);
    EXPECT_EQ(ReadNumber("1e-400", kDot), 0.0);  // too small reads as zero
    // The locale's decimal separator, and only it.
    EXPECT_EQ(ReadNumber("-1,5e2", kComma), -150.0);
    EXPECT_FALSE(IsNumericText("33.45", kComma));
    EXPECT_FALSE(IsNumericText("33,45", kDot));
}

TEST(PlainText, GeneralFormWithFifteenDigits) {
    const struct { double value; const char* text; } cases[] = {
        {33.5, "33.5"}, {70.0, "70"}, {-0.0, "0"}, {14.400000000002, "14.400000000002"}, {0.1 + 0.2, "0.3"},
        {123456789012345.0, "123456789012345"}, {1e15, "1E+15"}, {0.0001, "0.0001"}, {0.00001, "1E-05"}};
    for (const auto& c : cases) EXPECT_EQ(PlainText(c.value, kDot), c.text) << c.text;
    EXPECT_EQ(PlainText(33.5, kComma), "33,5");
    EXPECT_EQ(PlainText(std::int16_t{-32768}), "-32768");
    EXPECT_EQ(BlankPrefixedText(33) + BlankPrefixedText(-33) + BlankPrefixedText(0) + BlankPrefixedText(2.5),
              " 33-33 0 2.5");
}

TEST(Format, MasksRoundingAndSeparators) {
    const struct { double value; const char* mask; const Separators& separators; const char* text; } cases[] = {
        {6297606.833, "#########.##0", kDot, "6297606.833"},
        {6297606.833, "###,###,###.##0", kDot, "6,297,606.833"},
        {6297606.833, "###,###,###.##0", kComma, "6.297.606,833"},
        // The literal tail keeps its period whatever the locale.
        {6297980.1734, "###,###,###.##0.  m.", kComma, "6.297.980,173.  m."},
        {346825.9876, "###,###,###.##0.  m.", kDot, "346,825.988.  m."},
        {999.9999, "###,###,###.##0", kComma, "1.000,000"},
        {33.45, "#0.000000", kComma, "33,450000"},
        {0.5, "##.###0", kDot, ".5000"},
        {0.0, "##.###0", kDot, ".0000"},
        {-33.4496588124, "##0.0000000000", kDot, "-33.4496588124"},
        {0.25, "########0.000", kDot, "0.250"},
        {7.0, "0", kDot, "7"},
        // The 15-digit form is rounded, halves away from zero: 2.675 is
        // stored just below, its 15-digit form is a half.
        {2.675, "0.00", kDot, "2.68"},
        {-2.675, "0.00", kDot, "-2.68"},
        {1.0005, "0.000", kDot, "1.001"},
        {0.125, "0.00", kDot, "0.13"},  // an exact half too
        {0.124999, "0.00", kDot, "0.12"},
        {9.9995, "0.000", kDot, "10.000"},
        // Just below a half in binary, a half in its 15 digits: rounded up.
        {std::nextafter(6297632.7815, 0.0), "########0.000", kDot, "6297632.782"},
        {-0.0004, "0.000", kDot, "0.000"},  // no "-0.000"
        {1234567890123.4567, "0.000", kDot, "1234567890123.460"},
        {1e20, "0.0", kDot, "100000000000000000000.0"},
        {1e-20, "0.0000000000", kDot, "0.0000000000"},
        {5e-11, "0.0000000000", kDot, "0.0000000001"},
        {999999999.9996, "0.000", kDot, "1000000000.000"},  // rounds up to a thirteenth digit
        {0.5, "000.000000000000", kDot, "000.500000000000"},
        {-1.24, "x0.0", kDot, "-x1.2"},
    };
    for (const auto& c : cases) EXPECT_EQ(Format(c.value, c.mask, c.separators), c.text) << c.mask;
    EXPECT_THROW(Mask("abc"), std::invalid_argument);
    EXPECT_THROW(Mask("0x0"), std::invalid_argument);
}

TEST(Format, RoundedValuesAreEqualExactlyWhenTheirTextsAre) {
    const struct { double x, y; int decimals; bool same; } cases[] = {
        {-33.44965881240001, -33.4496588124, 10, true}, {-33.4496588137, -33.4496588124, 10, false},
        {2.675, 2.6750000000001, 2, true},               {0.5, -0.5, 0, false},
        {0.0001, -0.0001, 2, true},                      {1e13, 1e13 + 2, 2, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundedValue(c.x, c.decimals) == RoundedValue(c.y, c.decimals), c.same) << c.x << ' ' << c.y;
}
