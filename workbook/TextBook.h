// A text file (.csv, .txt) as a workbook of one sheet, named after the file
// name up to its first ".". Opening reads the file once to learn its dialect
// and to refuse a malformed file before anything else is done; the cells are
// read on demand, and saving splices the written cells into a fresh copy of
// the source (DelimitedWriter), so the source itself is never changed.
#pragma once

#include <filesystem>
#include <string>

#include "CellGrid.h"
#include "DelimitedReader.h"
#include "TextDialect.h"
#include "WrittenCells.h"

namespace trevalco::workbook {

class TextBook {
public:
    // Throws WorkbookError with the reason (no file name: the caller adds it).
    static TextBook Open(const std::filesystem::path& path, const TextLimits& limits);

    const std::string& SheetName() const { return sheetName_; }
    const TextDialect& Dialect() const { return dialect_; }

    // Numbers where a field reads as one with the file's decimal separator,
    // UTF-8 texts elsewhere; empty fields hold no cell.
    CellGrid ReadCells() const;

    // Writes the source with the written cells spliced in to `target`.
    // Refuses when the source changed since it was opened.
    void Write(const WrittenCells& written, const std::filesystem::path& target) const;

private:
    void CheckUnchanged() const;

    std::filesystem::path source_;
    std::string sheetName_;
    TextDialect dialect_;
    TextLimits limits_;
    std::uintmax_t size_ = 0;
    std::filesystem::file_time_type modified_;
};

}  // namespace trevalco::workbook
