// The two encodings text files of points come in: UTF-8 (with or without a
// byte-order mark) and, when a file is not valid UTF-8, Windows-1252, which
// spreadsheets on Windows write when they save "as CSV". Cell texts are UTF-8
// inside the program; bytes are converted only where a text crosses the file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace trevalco::workbook {

enum class TextEncoding { Utf8, Windows1252 };

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Checks UTF-8 a block at a time; a sequence cut at a block's end is carried
// over to the next block.
class Utf8Validator {
public:
    void Feed(std::string_view bytes);
    // Whether everything fed so far, taken as a whole, is valid UTF-8.
    bool Valid() const { return valid_ && pending_ == 0; }

private:
    bool valid_ = true;
    int pending_ = 0;          // continuation bytes still expected
    unsigned char lead_ = 0;   // the lead byte of the open sequence
    bool firstContinuation_ = false;
};

bool IsAscii(std::string_view bytes);

// Appends the bytes of a field, in the file's encoding, as UTF-8.
void AppendAsUtf8(std::string& out, std::string_view bytes, TextEncoding encoding);

// Appends a UTF-8 text in the file's encoding; characters Windows-1252 lacks
// become "?".
void AppendInEncoding(std::string& out, std::string_view utf8, TextEncoding encoding);

}  // namespace trevalco::workbook
