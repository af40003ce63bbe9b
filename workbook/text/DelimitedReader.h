// Reads a delimited text file record by record, in blocks, holding at most
// one block and one record in memory. A record is one row of the sheet: one
// line, or several when a quoted field holds line breaks (RFC 4180). Fields
// come back as the bytes that stand in the file, quotes included, so that a
// writer can copy them untouched.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "PackageLimits.h"

namespace trevalco::workbook {

// How far a text file may go: it is a sheet, so its lines are rows and its
// fields columns; the file is bounded like a sheet's part and a line like a
// part read whole into memory.
struct TextLimits {
    std::uint64_t maxFileBytes = std::uint64_t{1} << 30;
    std::uint64_t maxLineBytes = std::uint64_t{64} << 20;
    std::int64_t maxFields = 16'384;      // the columns of a sheet, A to XFD
    std::int64_t maxRecords = 1'048'576;  // the rows of a sheet

    static TextLimits Of(const PackageLimits& limits) {
        TextLimits text;
        text.maxFileBytes = limits.maxEntryBytes;
        text.maxLineBytes = limits.maxSmallPartBytes;
        return text;
    }
};

struct FieldSpan {
    std::uint32_t offset = 0;  // within the record
    std::uint32_t length = 0;
};

struct TextRecord {
    std::string_view bytes;    // the record without its line end
    std::string_view lineEnd;  // "\n", "\r\n", or "" for a last line without one
    std::vector<FieldSpan> fields;
    std::int64_t line = 0;     // the file's line it starts on, from 1

    std::string_view Field(std::size_t index) const {
        return bytes.substr(fields[index].offset, fields[index].length);
    }
};

class DelimitedReader {
public:
    // Opens the file; a UTF-8 byte-order mark at its start is kept apart
    // (Preamble) and not part of the first record. Reading may start at the
    // byte `offset` of a record that begins on line `line` instead. Throws
    // WorkbookError.
    DelimitedReader(const std::filesystem::path& path, char separator, const TextLimits& limits,
                    std::uint64_t offset = 0, std::int64_t line = 1);
    ~DelimitedReader();
    DelimitedReader(const DelimitedReader&) = delete;
    DelimitedReader& operator=(const DelimitedReader&) = delete;

    std::string_view Preamble() const { return preamble_; }

    // The next record (valid until the next call); false at the end. Throws
    // WorkbookError for a quote left open at the end of the file, a NUL or
    // other control byte (not a text file), a record past the limits, or a
    // failed read.
    bool Next(TextRecord& record);

    // Up to `size` bytes from the start of the file (after the byte-order
    // mark), for guessing the dialect; only before the first Next.
    std::string_view Head(std::size_t size);

    // Where the next record starts: its byte in the file and its line.
    std::uint64_t Offset() const { return bufferOffset_ + begin_; }
    std::int64_t Line() const { return line_; }

private:
    bool Fill();  // keeps [begin_, end_) and reads behind it; false at the end
    [[noreturn]] void Fail(const std::string& reason) const;

    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, FileCloser> file_;
    char separator_;
    TextLimits limits_;
    std::string preamble_;
    std::array<bool, 256> stops_{};        // bytes an unquoted field stops at
    std::array<bool, 256> quotedStops_{};  // bytes a quoted field stops at
    std::vector<char> buffer_;
    std::uint64_t bufferOffset_ = 0;       // the file's byte at buffer_[0]
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    std::int64_t line_ = 1;
    std::int64_t records_ = 0;
};

// The text of a field: the bytes between its quotes with doubled quotes made
// single, or the bytes as they stand when the field is not quoted.
void AppendFieldText(std::string& out, std::string_view field);

}  // namespace trevalco::workbook
