// How a text file of points is written: the field separator, the decimal
// separator of its numbers, its encoding, byte-order mark and line ends. Read
// from the file itself, and kept when the file is written back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "TextEncoding.h"

namespace trevalco::workbook {

struct TextDialect {
    char separator = ';';
    char decimal = '.';
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;
    // The line end of lines added after the file's last one.
    std::string lineEnd = "\n";
};

// Guesses separator, decimal separator and line end from the first lines of
// a file (the bytes after any byte-order mark). The separator is the one of
// ";", tab and "," that divides most of those lines, then most of them into
// the same number of fields, ";" first on a tie; a file of one column gets "," (";" when its
// numbers carry a decimal comma), or tab when `tabByDefault`. The decimal
// separator is "," when the separator is ";" or tab and most numbers with a
// fraction are written with a comma; "." otherwise. The encoding is not
// guessed here: it takes the whole file.
TextDialect DetectDialect(std::string_view head, bool tabByDefault);

}  // namespace trevalco::workbook
