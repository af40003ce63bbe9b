// Texts going into and coming out of spreadsheet XML.
#pragma once

#include <string>
#include <string_view>

namespace trevalco::workbook {

// Appends text escaped for element content or a double-quoted attribute.
// Characters that XML cannot carry (controls other than tab, line feed and
// carriage return) are written as the workbook's own _xHHHH_ escapes, and a
// literal "_x" that would read as one is protected the same way.
void AppendEscaped(std::string& out, std::string_view text);

// Whether two tag or attribute names are the same. A sheet's names are a
// letter or a few ("c", "v", "r", "row"), compared millions of times: in
// place, not through a call to memcmp each.
inline bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// Undoes the _xHHHH_ escapes of a stored text in place.
void DecodeEscapes(std::string& text);

}  // namespace trevalco::workbook
