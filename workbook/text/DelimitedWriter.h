// Writes a text file back with the written cells spliced in: every record,
// field, quote, separator and line end of the source is copied byte for byte
// except the fields written, which take the written value in the file's own
// dialect (numbers with its decimal separator, texts in its encoding, quoted
// when the field was quoted or the text needs it). A field written past a
// line's last field extends the line with separators; a row written past the
// last line adds lines.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "DelimitedReader.h"
#include "TextDialect.h"
#include "WrittenCells.h"

namespace trevalco::workbook {

// A file written through a large buffer. Throws WorkbookError.
class TextOutput {
public:
    explicit TextOutput(const std::filesystem::path& path);
    void Append(std::string_view bytes);
    void Flush();
    void Close();  // flushes and closes; nothing may follow
    std::uint64_t Size() const { return written_ + buffer_.size(); }

    // For building a record in place; Spill() writes when enough is held.
    std::string& Buffer() { return buffer_; }
    void Spill();

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    std::string buffer_;
    std::uint64_t written_ = 0;
};

// Copies the records of `reader` to `out`, the first being row `row` + 1,
// with the written cells of their rows spliced in; stops after row `lastRow`
// (0: at the end of the file). Leaves `row` at the last row copied and
// `lineEnd` at its line end.
void SpliceRecords(DelimitedReader& reader, std::int32_t& row, std::int32_t lastRow, const WrittenCells& written,
                   const TextDialect& dialect, TextOutput& out, std::string& lineEnd);

// Adds the rows written below row `row`, the last one in the file, whose
// line ended with `lineEnd`.
void AppendRowsBelow(std::int32_t row, std::string_view lineEnd, const WrittenCells& written,
                     const TextDialect& dialect, TextOutput& out);

}  // namespace trevalco::workbook
