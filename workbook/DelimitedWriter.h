// Writes a text file back with the written cells spliced in: every record,
// field, quote, separator and line end of the source is copied byte for byte
// except the fields written, which take the written value in the file's own
// dialect (numbers with its decimal separator, texts in its encoding, quoted
// when the field was quoted or the text needs it). A field written past a
// line's last field extends the line with separators; a row written past the
// last line adds lines.
#pragma once

#include <filesystem>

#include "DelimitedReader.h"
#include "TextDialect.h"
#include "WrittenCells.h"

namespace trevalco::workbook {

// Streams `source` to `target` (created or truncated). Throws WorkbookError.
void WriteDelimited(const std::filesystem::path& source, const TextDialect& dialect, const TextLimits& limits,
                    const WrittenCells& written, const std::filesystem::path& target);

}  // namespace trevalco::workbook
