#include "Compat.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

// strtod reads more than from_chars does (blanks, '+', hexadecimal, the
// locale's decimal point): those are refused first, then strtod reads what
// is left in the "C" locale, the one a program starts in and the browser
// edition never leaves.
std::from_chars_result FromChars(const char* first, const char* last, double& value) {
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
