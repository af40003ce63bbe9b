#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "NumberText.h"

using namespace trevalco::NumberText;

namespace {

const Separators kDot{".", ","};
const Separators kComma{",", "."};

}  // namespace

TEST(NumericText, AcceptsSignDigitsDecimalsExponentAndBlanks) {
    for (const char* text : {"33.45", "-33.45", "+7", " 12 ", "\t5", ".5", "5.", "1e3", "1.5E-2",
                             "-0", "0007"})
        EXPECT_TRUE(IsNumericText(text, kDot)) << text;
    EXPECT_EQ(ReadNumber("  -33.5 ", kDot), -33.5);
    EXPECT_EQ(ReadNumber("1.5E-2", kDot), 0.015);
    EXPECT_EQ(ReadNumber("1e-400", kDot), 0.0);  // too small reads as zero
}

TEST(NumericText, RefusesEverythingElse) {
    for (const char* text : {"", " ", "   ", "-", ".", "e5", "1e", "1e+", "33.4.5", "1,234.5",
                             "3 3", "abc", "12a", "0x10", "inf", "nan", "1e400", "--1", "+-1"})
        EXPECT_FALSE(IsNumericText(text, kDot)) << '"' << text << '"';
}

TEST(NumericText, FollowsTheLocaleDecimalSeparator) {
    EXPECT_EQ(ReadNumber("33,45", kComma), 33.45);
    EXPECT_FALSE(IsNumericText("33.45", kComma));
    EXPECT_FALSE(IsNumericText("33,45", kDot));
    EXPECT_EQ(ReadNumber("-1,5e2", kComma), -150.0);
}

TEST(PlainText, GeneralFormWithFifteenDigits) {
    EXPECT_EQ(PlainText(33.5, kDot), "33.5");
    EXPECT_EQ(PlainText(33.5, kComma), "33,5");
    EXPECT_EQ(PlainText(70.0, kDot), "70");
    EXPECT_EQ(PlainText(-0.0, kDot), "0");
    EXPECT_EQ(PlainText(14.400000000002, kDot), "14.400000000002");
    EXPECT_EQ(PlainText(0.1 + 0.2, kDot), "0.3");
    EXPECT_EQ(PlainText(6297606.833, kDot), "6297606.833");
    EXPECT_EQ(PlainText(123456789012345.0, kDot), "123456789012345");
    EXPECT_EQ(PlainText(1e15, kDot), "1E+15");
    EXPECT_EQ(PlainText(0.0001, kDot), "0.0001");
    EXPECT_EQ(PlainText(0.00001, kDot), "1E-05");
    EXPECT_EQ(PlainText(std::int16_t{-32768}), "-32768");
    EXPECT_EQ(PlainText(std::int16_t{19}), "19");
}

TEST(PlainText, BlankPrefixedForm) {
    EXPECT_EQ(BlankPrefixedText(33), " 33");
    EXPECT_EQ(BlankPrefixedText(-33), "-33");
    EXPECT_EQ(BlankPrefixedText(0), " 0");
    EXPECT_EQ(BlankPrefixedText(2.5), " 2.5");
}

TEST(WholeNumber16, HalvesGoToEvenAndRangeIsSixteenBits) {
    EXPECT_EQ(WholeNumber16(18.5), 18);
    EXPECT_EQ(WholeNumber16(19.5), 20);
    EXPECT_EQ(WholeNumber16(-2.5), -2);
    EXPECT_EQ(WholeNumber16(18.51), 19);
    EXPECT_EQ(WholeNumber16(32767.4), 32767);
    EXPECT_EQ(WholeNumber16(-32768.5), -32768);
    EXPECT_EQ(WholeNumber16(32767.5), std::nullopt);
    EXPECT_EQ(WholeNumber16(-32768.51), std::nullopt);
    EXPECT_EQ(WholeNumber16(std::nan("")), std::nullopt);
    EXPECT_EQ(WholeNumber16(std::numeric_limits<double>::infinity()), std::nullopt);
}

TEST(Format, MasksOfTheProgramWithDotLocale) {
    EXPECT_EQ(Format(6297606.833, "#########.##0", kDot), "6297606.833");
    EXPECT_EQ(Format(6297606.833, "###,###,###.##0", kDot), "6,297,606.833");
    EXPECT_EQ(Format(6297980.1734, "###,###,###.##0.  m.", kDot), "6,297,980.173.  m.");
    EXPECT_EQ(Format(346825.9876, "###,###,###.##0.  m.", kDot), "346,825.988.  m.");
    EXPECT_EQ(Format(33.45, "#0.000000", kDot), "33.450000");
    EXPECT_EQ(Format(14.4, "####0.0000", kDot), "14.4000");
    EXPECT_EQ(Format(0.5, "##.###0", kDot), ".5000");
    EXPECT_EQ(Format(0.0, "##.###0", kDot), ".0000");
    EXPECT_EQ(Format(33.4496588124, "###0.0000000000", kDot), "33.4496588124");
    EXPECT_EQ(Format(-33.4496588124, "##0.0000000000", kDot), "-33.4496588124");
    EXPECT_EQ(Format(0.25, "########0.000", kDot), "0.250");
    EXPECT_EQ(Format(346642.695, "#######0.000", kDot), "346642.695");
    EXPECT_EQ(Format(7.0, "0", kDot), "7");
}

TEST(Format, MasksOfTheProgramWithCommaLocale) {
    EXPECT_EQ(Format(6297606.833, "#########.##0", kComma), "6297606,833");
    EXPECT_EQ(Format(6297606.833, "###,###,###.##0", kComma), "6.297.606,833");
    // The literal tail keeps its period whatever the locale.
    EXPECT_EQ(Format(6297980.1734, "###,###,###.##0.  m.", kComma), "6.297.980,173.  m.");
    EXPECT_EQ(Format(33.45, "#0.000000", kComma), "33,450000");
    EXPECT_EQ(Format(999.9999, "###,###,###.##0", kComma), "1.000,000");
}

TEST(Format, RoundsTheFifteenDigitFormHalvesAwayFromZero) {
    // 2.675 is stored just below; its 15-digit form 2.67500000000000 is a half.
    EXPECT_EQ(Format(2.675, "0.00", kDot), "2.68");
    EXPECT_EQ(Format(-2.675, "0.00", kDot), "-2.68");
    EXPECT_EQ(Format(1.0005, "0.000", kDot), "1.001");
    EXPECT_EQ(Format(0.125, "0.00", kDot), "0.13");
    EXPECT_EQ(Format(0.124999, "0.00", kDot), "0.12");
    EXPECT_EQ(Format(9.9995, "0.000", kDot), "10.000");
    EXPECT_EQ(Format(-0.0004, "0.000", kDot), "0.000");  // no "-0.000"
    // Beyond fifteen digits the digits are those of the 15-digit form.
    EXPECT_EQ(Format(1234567890123.4567, "0.000", kDot), "1234567890123.460");
    EXPECT_EQ(Format(1e20, "0.0", kDot), "100000000000000000000.0");
    EXPECT_EQ(Format(1e-20, "0.0000000000", kDot), "0.0000000000");
    EXPECT_EQ(Format(5e-11, "0.0000000000", kDot), "0.0000000001");
}

TEST(Format, SameAtDecimalsMatchesTheTexts) {
    EXPECT_TRUE(SameAtDecimals(-33.44965881240001, -33.4496588124, 10));
    EXPECT_FALSE(SameAtDecimals(-33.4496588137, -33.4496588124, 10));
    EXPECT_TRUE(SameAtDecimals(2.675, 2.6750000000001, 2));
    EXPECT_FALSE(SameAtDecimals(0.5, -0.5, 0));
    EXPECT_TRUE(SameAtDecimals(0.0001, -0.0001, 2));
}

TEST(Format, BadMasksAreProgrammingErrors) {
    EXPECT_THROW(Mask("abc"), std::invalid_argument);
    EXPECT_THROW(Mask("0x0"), std::invalid_argument);
}
