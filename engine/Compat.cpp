#include "Compat.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <thread>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trevalco::compat {

// Feature tests: the standard facility where the library has it.
#if defined(__cpp_lib_to_chars) || (defined(__GLIBCXX__) && _GLIBCXX_RELEASE >= 11)
#define TREVALCO_FLOAT_CHARCONV 1
#else
#define TREVALCO_FLOAT_CHARCONV 0
#endif

unsigned HardwareThreads() {
    if constexpr (!kThreads) return 1;
    return std::max(1U, std::thread::hardware_concurrency());
}

#if TREVALCO_FLOAT_CHARCONV

std::to_chars_result ToChars(char* first, char* last, double value, std::chars_format format, int precision) {
    return std::to_chars(first, last, value, format, precision);
}

std::from_chars_result FromChars(const char* first, const char* last, double& value) {
    return std::from_chars(first, last, value);
}

#else

// The standard defines to_chars with a precision as printf's %.*e, %.*f or
// %.*g, so snprintf gives the same characters.
std::to_chars_result ToChars(char* first, char* last, double value, std::chars_format format, int precision) {
    const char* form = format == std::chars_format::scientific ? "%.*e"
                       : format == std::chars_format::fixed    ? "%.*f"
                                                               : "%.*g";
    const auto room = static_cast<std::size_t>(last - first);
    char local[400];
    const int length = std::snprintf(local, sizeof local, form, precision, value);
    if (length < 0 || static_cast<std::size_t>(length) > room) return {last, std::errc::value_too_large};
    std::memcpy(first, local, static_cast<std::size_t>(length));
    return {first + length, std::errc()};
}

namespace {

// The plain decimals a sheet holds, "-33.4500" or "6297606.833": at most
// 2^53 as digits and at most 22 after the point, with no exponent, are one
// exact integer divided by one exact power of ten, a single correctly rounded
// division that gives the bits strtod gives (Clinger's fast path) without
// strtod's long double arithmetic, emulated in WebAssembly. Nothing for any
// other text.
std::optional<std::from_chars_result> FromPlainDecimal(const char* first, const char* last, double& value) {
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
    const char* p = first;
    const bool negative = p != last && *p == '-';
    p += negative;
    std::uint64_t digits = 0;
    int read = 0, decimals = 0;
    bool point = false;
    for (; p != last; ++p) {
        if (*p == '.' && !point) {
            point = true;
        } else if (*p >= '0' && *p <= '9') {
            digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
            if (digits > kExactLimit) return std::nullopt;
            ++read;
            decimals += point;
        } else {
            break;
        }
    }
    const bool exponent = p != last && (*p == 'e' || *p == 'E');
    if (read == 0 || exponent || decimals >= static_cast<int>(std::size(kPowers))) return std::nullopt;
    const double magnitude = static_cast<double>(digits) / kPowers[decimals];
    value = negative ? -magnitude : magnitude;
    return std::from_chars_result{p, std::errc()};
}

}  // namespace

// strtod reads more than from_chars does (blanks, '+', hexadecimal, the
// locale's decimal point): those are refused first, then strtod reads what
// is left in the "C" locale, the one a program starts in and the browser
// edition never leaves.
std::from_chars_result FromChars(const char* first, const char* last, double& value) {
    if (const auto plain = FromPlainDecimal(first, last, value)) return *plain;
    const char* p = first;
    if (p != last && *p == '-') ++p;
    const bool digitOrPoint = p != last && ((*p >= '0' && *p <= '9') || *p == '.');
    const bool word = p != last && (*p == 'i' || *p == 'I' || *p == 'n' || *p == 'N');
    if (!digitOrPoint && !word) return {first, std::errc::invalid_argument};
    if (p + 1 < last && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        value = p == first ? 0.0 : -0.0;  // from_chars reads the "0" and stops at the "x"
        return {p + 1, std::errc()};
    }
    const std::string text(first, last);  // strtod needs the end marked
    char* end = nullptr;
    errno = 0;
    const double read = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) return {first, std::errc::invalid_argument};
    const char* stop = first + (end - text.c_str());
    // Only a value that overflows or vanishes is out of range for from_chars;
    // strtod also says so of a subnormal one.
    if (errno == ERANGE && (read == 0.0 || std::isinf(read))) return {stop, std::errc::result_out_of_range};
    value = read;
    return {stop, std::errc()};
}

#endif

bool RenameNoReplace(const char* from, const char* to) {
#if defined(RENAME_NOREPLACE)
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without the flag: a new link fails just as well when
    // the name is taken.
    if (::link(from, to) != 0) return false;
    ::unlink(from);
    return true;
#else
    // No renameat2 and no link (the browser edition's files live in the
    // page's memory, where nothing but this program writes): the name is
    // checked, then taken.
    struct stat existing {};
    if (::lstat(to, &existing) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from, to) == 0;
#endif
}

}  // namespace trevalco::compat
