// A text file (.csv, .txt) as a workbook of one sheet, named after the file
// name up to its first ".". Opening reads the file once to learn its dialect
// and to refuse a malformed file before anything else is done. Saving
// splices the written cells into a fresh copy of the source (see
// DelimitedWriter), so the source itself is never changed.
//
// The book is also its sheet's RowSpool: during a long run the written cells
// of rows the run has passed are spliced into a private spool file at once,
// so memory holds only the cells read and the latest written rows; saving
// then copies the spool and splices the rest of the source.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CellGrid.h"
#include "DelimitedReader.h"
#include "DelimitedWriter.h"
#include "RowSpool.h"
#include "TempDir.h"
#include "TextDialect.h"
#include "WrittenCells.h"

namespace trevalco::workbook {

class TextBook final : public RowSpool {
public:
    // Throws WorkbookError with the reason (no file name: the caller adds it).
    TextBook(const std::filesystem::path& path, const TextLimits& limits);
    ~TextBook() override;
    TextBook(const TextBook&) = delete;
    TextBook& operator=(const TextBook&) = delete;

    const std::string& SheetName() const { return sheetName_; }
    const TextDialect& Dialect() const { return dialect_; }

    // Numbers where a field reads as one with the file's decimal separator,
    // UTF-8 texts elsewhere; empty fields hold no cell.
    CellGrid ReadCells() const;

    // Writes the source with every written cell (those spooled and those in
    // `written`) spliced in to `target`. Refuses when the source changed
    // since it was opened.
    void Write(const WrittenCells& written, const std::filesystem::path& target);

    bool Take(const WrittenCells& written) override;
    std::optional<cells::CellValue> Cell(std::int32_t row, std::int32_t column) const override;
    const CellBounds& Bounds() const override { return spooledBounds_; }

private:
    void CheckUnchanged() const;
    cells::CellValue ValueOf(std::string_view field) const;

    std::filesystem::path source_;
    std::string sheetName_;
    TextDialect dialect_;
    TextLimits limits_;
    std::int32_t records_ = 0;
    std::uintmax_t size_ = 0;
    std::filesystem::file_time_type modified_;

    // The spool: the output's first spooledRows_ rows, as they will be saved.
    struct Spool;
    std::unique_ptr<Spool> spool_;
    std::int32_t spooledRows_ = 0;
    CellBounds spooledBounds_;
};

}  // namespace trevalco::workbook
