// The few library facilities whose standard form some targets lack, under
// one set of names used everywhere. Debian's Emscripten (the browser
// edition) ships a C++ library without floating-point to_chars and
// from_chars and without std::bit_cast, and a page opened from a file has no
// threads. Natively these are the standard facilities themselves; the
// fallbacks give the same bytes (the tests run the number tables through
// both builds).
#pragma once

#include <charconv>
#include <cstring>
#include <type_traits>

namespace trevalco::compat {

// Whether this build may start threads: not in the browser edition, where
// starting one throws and waiting on one never ends.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
inline constexpr bool kThreads = false;
#else
inline constexpr bool kThreads = true;
#endif

// Threads the machine runs at once, 1 where this build may start none.
unsigned HardwareThreads();

// std::to_chars of a double in a format at a precision.
std::to_chars_result ToChars(char* first, char* last, double value, std::chars_format format, int precision);

// std::from_chars of a double in the general format: no leading blank, no
// '+', no "0x"; result_out_of_range where the value is too large or too
// small for a double.
std::from_chars_result FromChars(const char* first, const char* last, double& value);

// std::bit_cast between types of one size.
template <class To, class From>
To BitCast(const From& from) noexcept {
    static_assert(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> &&
                  std::is_trivially_copyable_v<From>);
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}

// Moves `from` to `to` unless something holds that name; false with errno
// set (EEXIST when the name was taken) when it did not.
bool RenameNoReplace(const char* from, const char* to);

}  // namespace trevalco::compat
