#include "NumberText.h"

#include "Compat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace trevalco::number_text {

namespace {

constexpr std::array<double, 16> kPowersOfTen{1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// "00", "01", ... "99": two digits at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A value rounded to a number of decimals: its sign, the digits of its whole
// part (no leading zeros, possibly none) and exactly `decimals` fraction digits.
// Held inline: the largest double has 309 whole digits.
constexpr std::size_t kMaxDecimals = 30;

struct RoundedDigits {
    bool negative = false;
    std::size_t wholeLength = 0;
    std::array<char, 320> whole;
    std::array<char, kMaxDecimals> fraction;

    std::string_view Whole() const { return {whole.data(), wholeLength}; }
};

// Fast exact rounding for the common case. Rounding the 15-significant-digit
// form and rounding the double itself agree whenever the value has at least
// three spare digits beyond the requested decimals and its scaled fraction is
// not close to one half; both perturbations are then far below the margin.
// Returns the value scaled by 10^decimals and rounded, or nothing.
[[gnu::always_inline]] inline bool FastScaledMagnitude(double magnitude, int decimals, std::uint64_t& out) {
    if (decimals < 0 || decimals > 12) return false;
    if (!(magnitude < kPowersOfTen[static_cast<std::size_t>(12 - decimals)])) return false;
    const double scaled = magnitude * kPowersOfTen[static_cast<std::size_t>(decimals)];
    // Truncation is the floor here: scaled is not negative and below 10^12,
    // so the whole part converts both ways exactly.
    const auto floor = static_cast<std::uint64_t>(scaled);
    const double rest = scaled - static_cast<double>(floor);
    if (std::fabs(rest - 0.5) < 1e-3) return false;
    out = floor + (rest > 0.5 ? 1U : 0U);
    return true;
}

void SplitScaled(std::uint64_t scaled, int decimals, RoundedDigits& out) {
    std::array<char, 24> digits;
    const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), scaled).ptr;
    const auto length = static_cast<std::size_t>(end - digits.data());
    const auto d = static_cast<std::size_t>(decimals);
    if (length <= d) {
        out.wholeLength = 0;
        std::fill_n(out.fraction.begin(), d - length, '0');
        std::copy_n(digits.data(), length, out.fraction.begin() + static_cast<std::ptrdiff_t>(d - length));
    } else {
        out.wholeLength = length - d;
        std::copy_n(digits.data(), out.wholeLength, out.whole.begin());
        std::copy_n(digits.data() + out.wholeLength, d, out.fraction.begin());
        if (out.wholeLength == 1 && out.whole[0] == '0') out.wholeLength = 0;
    }
}

// The general path: take the 15-significant-digit decimal form and round its
// digit string to the decimals, halves away from zero.
void RoundFromDecimalForm(double magnitude, int decimals, RoundedDigits& out) {
    std::array<char, 40> buffer{};
    auto [end, ec] = compat::ToChars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                   std::chars_format::scientific, 14);
    (void)ec;
    // buffer: d.dddddddddddddde+XX
    std::string digits;
    digits.reserve(16);
    digits += buffer[0];
    const char* p = buffer.data() + 2;
    while (p < end && *p != 'e') digits += *p++;
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, exponent);

    // digits[i] stands for 10^(exponent - i); keep those down to 10^-decimals.
    // One-digit results are written with assign(1, c), not = "c": GCC 12 at -O3
    // inlines the assignment of a literal into a memcpy that it then wrongly
    // reports as overlapping (-Wrestrict, GCC bug 105329).
    const int kept = exponent + 1 + decimals;
    if (kept < 0 || digits.find_first_not_of('0') == std::string::npos) {
        digits.assign(1, '0');
        exponent = 0;
    } else if (kept == 0) {
        if (digits[0] >= '5') {
            digits.assign(1, '1');
            exponent = -decimals;
        } else {
            digits.assign(1, '0');
            exponent = 0;
        }
    } else if (static_cast<std::size_t>(kept) < digits.size()) {
        const bool up = digits[static_cast<std::size_t>(kept)] >= '5';
        digits.resize(static_cast<std::size_t>(kept));
        if (up) {
            std::size_t i = digits.size();
            while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
            if (i == 0) {
                digits.insert(digits.begin(), '1');
                ++exponent;
            } else {
                ++digits[i - 1];
            }
        }
    }
    // Spread the digits over whole and fraction places.
    std::fill_n(out.fraction.begin(), decimals, '0');
    out.wholeLength = exponent >= 0 ? static_cast<std::size_t>(exponent) + 1 : 0;
    std::fill_n(out.whole.begin(), out.wholeLength, '0');
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const int power = exponent - static_cast<int>(i);
        if (power >= 0)
            out.whole[out.wholeLength - 1 - static_cast<std::size_t>(power)] = digits[i];
        else if (-power <= decimals)
            out.fraction[static_cast<std::size_t>(-power - 1)] = digits[i];
    }
    std::size_t leadingZeros = 0;
    while (leadingZeros < out.wholeLength && out.whole[leadingZeros] == '0') ++leadingZeros;
    std::copy(out.whole.begin() + static_cast<std::ptrdiff_t>(leadingZeros),
              out.whole.begin() + static_cast<std::ptrdiff_t>(out.wholeLength), out.whole.begin());
    out.wholeLength -= leadingZeros;
}

void Round(double value, int decimals, RoundedDigits& out) {
    const double magnitude = std::fabs(value);
    if (std::uint64_t scaled = 0; FastScaledMagnitude(magnitude, decimals, scaled))
        SplitScaled(scaled, decimals, out);
    else
        RoundFromDecimalForm(magnitude, decimals, out);
    const auto fraction = std::string_view(out.fraction.data(), static_cast<std::size_t>(decimals));
    const bool zero = out.wholeLength == 0 && fraction.find_first_not_of('0') == std::string_view::npos;
    out.negative = std::signbit(value) && !zero;
}

bool IsPlaceholder(char c) { return c == '0' || c == '#'; }

}  // namespace

std::optional<double> ReadNumber(std::string_view text, const Separators& separators) {
    text = Trim(text);
    const std::size_t n = text.size();
    std::size_t i = 0;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // The digits are gathered as one whole number on the way; it is only
    // used when there are at most 15 of them.
    std::uint64_t digits = 0;
    std::size_t digitCount = 0;
    const std::size_t wholeStart = i;
    while (i < n && IsDigit(text[i])) {
        digits = digits * 10 + static_cast<std::uint64_t>(text[i++] - '0');
        ++digitCount;
    }
    const std::string_view wholePart = text.substr(wholeStart, i - wholeStart);
    std::string_view fractionPart;
    bool point = false;
    const std::string_view decimal = separators.decimal;
    if (!decimal.empty() && text.substr(i).starts_with(decimal)) {
        point = true;
        i += decimal.size();
        const std::size_t fractionStart = i;
        while (i < n && IsDigit(text[i])) {
            digits = digits * 10 + static_cast<std::uint64_t>(text[i++] - '0');
            ++digitCount;
        }
        fractionPart = text.substr(fractionStart, i - fractionStart);
    }
    if (digitCount == 0) return std::nullopt;
    std::string_view exponentPart;  // sign and digits
    bool negativeExponent = false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        const std::size_t exponentStart = ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
        const std::size_t exponentDigits = i;
        while (i < n && IsDigit(text[i])) ++i;
        if (i == exponentDigits) return std::nullopt;
        exponentPart = text.substr(exponentStart, i - exponentStart);
    }
    if (i != n) return std::nullopt;

    // At most 15 digits and no exponent: the digits as a whole number and
    // the power of ten are both exact doubles, so one division rounds
    // correctly, as from_chars would.
    if (digitCount <= 15 && exponentPart.empty()) {
        const double value = static_cast<double>(digits) / kPowersOfTen[fractionPart.size()];
        return negative ? -value : value;
    }

    // Otherwise from_chars, on the text with "." as decimal point.
    std::string ascii(wholePart);
    if (point) {
        ascii += '.';
        ascii += fractionPart;
    }
    if (!exponentPart.empty()) {
        ascii += 'e';
        ascii += exponentPart;
    }
    double value = 0.0;
    const auto result = compat::FromChars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (!negativeExponent) return std::nullopt;  // too large for a double
        value = 0.0;                                 // too small: it reads as zero
    } else if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size()) {
        return std::nullopt;
    }
    if (!std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

bool IsNumericText(std::string_view text, const Separators& separators) {
    return ReadNumber(text, separators).has_value();
}

std::string PlainText(double value, const Separators& separators) {
    if (value == 0.0) return "0";
    std::array<char, 40> buffer{};
    auto [end, ec] = compat::ToChars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::general, 15);
    (void)ec;
    std::string text;
    for (const char* p = buffer.data(); p != end; ++p) {
        if (*p == '.')
            text += separators.decimal;
        else if (*p == 'e')
            text += 'E';
        else
            text += *p;
    }
    return text;
}

std::string PlainText(std::int16_t value) { return std::to_string(value); }

std::string BlankPrefixedText(double value) {
    std::string text = PlainText(value, Invariant());
    if (text.front() != '-') text.insert(text.begin(), ' ');
    return text;
}

Mask::Mask(std::string_view mask) {
    const auto first = mask.find_first_of("0#");
    if (first == std::string_view::npos)
        throw std::invalid_argument("format mask without digit places");
    const auto last = mask.find_last_of("0#");
    auto point = mask.find('.', first);
    if (point != std::string_view::npos && point > last) point = std::string_view::npos;
    prefix_ = mask.substr(0, first);
    suffix_ = mask.substr(last + 1);

    const auto integerEnd = point == std::string_view::npos ? last + 1 : point;
    bool forced = false;
    for (auto i = first; i < integerEnd; ++i) {
        const char c = mask[i];
        if (c == ',') {
            grouping_ = true;
        } else if (IsPlaceholder(c)) {
            forced = forced || c == '0';
            if (forced) ++minIntegerDigits_;
        } else {
            throw std::invalid_argument("format mask with text between its digit places");
        }
    }
    if (point != std::string_view::npos) {
        for (auto i = point + 1; i <= last; ++i) {
            if (!IsPlaceholder(mask[i]))
                throw std::invalid_argument("format mask with text between its decimals");
            ++decimals_;
        }
    }
    if (decimals_ > static_cast<int>(kMaxDecimals))
        throw std::invalid_argument("format mask with too many decimals");
}

void Mask::AppendTo(std::string& out, double value, const Separators& separators) const {
    std::uint64_t scaled = 0;
    if (!grouping_ && minIntegerDigits_ <= 32 && separators.decimal.size() == 1 &&
        FastScaledMagnitude(std::fabs(value), decimals_, scaled)) {
        // The common case, built in place from the right: the scaled value's
        // digits, the decimal separator after the decimals, zeros up to the
        // forced whole places. Gives what the general path gives.
        const bool negative = std::signbit(value) && scaled != 0;
        if (negative && !prefix_.empty()) out += '-';
        if (!prefix_.empty()) out += prefix_;
        std::array<char, 64> text;
        char* const end = text.data() + text.size();
        char* p = end;
        const auto pair = [&p](std::uint64_t twoDigits) {
            p -= 2;
            std::memcpy(p, kDigitPairs.data() + 2 * twoDigits, 2);
        };
        int k = decimals_;
        for (; k >= 2; k -= 2) {
            pair(scaled % 100);
            scaled /= 100;
        }
        if (k == 1) {
            *--p = static_cast<char>('0' + scaled % 10);
            scaled /= 10;
        }
        if (decimals_ > 0) *--p = separators.decimal[0];
        char* const wholeEnd = p;
        for (; scaled >= 100; scaled /= 100) pair(scaled % 100);
        if (scaled >= 10) pair(scaled);
        else if (scaled > 0) *--p = static_cast<char>('0' + scaled);
        for (auto whole = wholeEnd - p; whole < minIntegerDigits_; ++whole) *--p = '0';
        if (negative && prefix_.empty()) *--p = '-';
        out.append(p, static_cast<std::size_t>(end - p));
        if (!suffix_.empty()) out += suffix_;
        return;
    }
    if (std::isnan(value)) {
        out += "NaN";
        return;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-Infinity" : "Infinity";
        return;
    }
    RoundedDigits digits;
    Round(value, decimals_, digits);
    if (digits.negative) out += '-';
    out += prefix_;
    const std::string_view whole = digits.Whole();
    const auto padding = static_cast<std::size_t>(minIntegerDigits_) > whole.size()
                             ? static_cast<std::size_t>(minIntegerDigits_) - whole.size()
                             : 0U;
    const std::size_t width = padding + whole.size();
    if (!grouping_) {
        out.append(padding, '0');
        out += whole;
    } else {
        for (std::size_t i = 0; i < width; ++i) {
            if (i > 0 && (width - i) % 3 == 0) out += separators.group;
            out += i < padding ? '0' : whole[i - padding];
        }
    }
    if (decimals_ > 0) {
        out += separators.decimal;
        out.append(digits.fraction.data(), static_cast<std::size_t>(decimals_));
    }
    out += suffix_;
}

std::string Mask::Apply(double value, const Separators& separators) const {
    std::string out;
    AppendTo(out, value, separators);
    return out;
}

std::string Format(double value, std::string_view mask, const Separators& separators) {
    return Mask(mask).Apply(value, separators);
}

RoundedValue::RoundedValue(double value, int decimals) : value_(value), decimals_(decimals) {
    if (std::uint64_t scaled = 0; std::isfinite(value) && FastScaledMagnitude(std::fabs(value), decimals, scaled))
        scaled_ = scaled;
    negative_ = scaled_ && std::signbit(value) && *scaled_ != 0;
}

bool RoundedValue::operator==(const RoundedValue& other) const {
    if (decimals_ == other.decimals_ && scaled_ && other.scaled_)
        return *scaled_ == *other.scaled_ && negative_ == other.negative_;
    const auto text = [](double value, int decimals) {
        return Mask("0." + std::string(static_cast<std::size_t>(decimals), '0'))
            .Apply(value, Invariant());
    };
    return text(value_, decimals_) == text(other.value_, other.decimals_);
}

}  // namespace trevalco::number_text
