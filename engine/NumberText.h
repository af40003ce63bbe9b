// Numbers as the user sees them: the numeric-text test, reading a number,
// the plain text of a number, and formatting through a mask such as
// "###,###,###.##0". Separators are those of the user's locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trevalco::number_text {

// The locale's decimal and thousands separators (UTF-8).
struct Separators {
    std::string decimal = ".";
    std::string group = ",";
    friend bool operator==(const Separators&, const Separators&) = default;
};

// "." as decimal point and "," for thousands: files and the command line.
inline const Separators& Invariant() {
    static const Separators separators;
    return separators;
}

// True when the text is an optional sign, digits with at most one decimal
// separator, and an optional exponent, with blanks allowed around it, and its
// value fits a double. The empty text and a text of blanks are not numeric.
bool IsNumericText(std::string_view text, const Separators& separators);

// The value of a numeric text; nothing when the text is not numeric.
std::optional<double> ReadNumber(std::string_view text, const Separators& separators);

// General form: at most 15 significant digits, no grouping, no trailing zeros,
// an exponent ("1E+15", "1E-05") only for very large or very small values.
std::string PlainText(double value, const Separators& separators);
std::string PlainText(std::int16_t value);

// The conversion that writes a blank in front of a number that is not
// negative (" 33", "-33", " 0"). Always "." as decimal point.
std::string BlankPrefixedText(double value);


// A parsed format mask. "0" is a digit always shown, "#" a digit shown only
// when significant, "," between digit places groups thousands, the first "."
// is the decimal separator and the digit places after it give the number of
// decimals, always shown. Other characters before the first or after the last
// digit place are copied as they stand. The value is rounded from its
// 15-significant-digit decimal form, halves away from zero.
class Mask {
public:
    explicit Mask(std::string_view mask);

    std::string Apply(double value, const Separators& separators) const;
    // Appends the formatted value to out (no allocation when out has room).
    void AppendTo(std::string& out, double value, const Separators& separators) const;

    int Decimals() const { return decimals_; }

private:
    std::string prefix_;
    std::string suffix_;
    int minIntegerDigits_ = 0;
    int decimals_ = 0;
    bool grouping_ = false;
};

// Format(value, mask) with the given separators.
std::string Format(double value, std::string_view mask, const Separators& separators);

// A value as its text with a number of decimals ("##0.0000000000" and the
// like), held in a form that compares quickly: two RoundedValues are equal
// exactly when their texts are.
class RoundedValue {
public:
    RoundedValue(double value, int decimals);
    bool operator==(const RoundedValue& other) const;

private:
    double value_;
    int decimals_;
    std::optional<std::uint64_t> scaled_;  // the value times 10^decimals, rounded
    bool negative_ = false;
};


}  // namespace trevalco::number_text
