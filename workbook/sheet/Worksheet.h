// One worksheet of an open workbook: its cells read by row number and column
// letter, and the text and number cells written into it since it was opened.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "CellGrid.h"
#include "CellValue.h"
#include "WrittenCells.h"

namespace trevalco::workbook {

class RowSpool;
class LazySharedStrings;

class Worksheet {
public:
    // `book` names the workbook in messages ("«/home/ana/datos.xlsx»").
    Worksheet(std::string name, std::string part, CellGrid grid, const LazySharedStrings& shared,
              std::string book = {});
    Worksheet(const Worksheet&) = delete;
    Worksheet& operator=(const Worksheet&) = delete;

    const std::string& Name() const { return name_; }

    // The cell at a row (from 1) and a column given by its letters ("A" to
    // "XFD", either case) or its number (from 1): empty, a number, or a text
    // (shared and inline texts, a formula's cached value, booleans as
    // "VERDADERO"/"FALSO", error values such as "#N/A"). A written cell reads
    // back as its text, a written number as its value. Rows past the sheet's last row read as empty. Throws
    // WorkbookError for a row below 1 or a column that is not one, and when
    // the cell's shared text is damaged or missing.
    cells::CellValue Cell(std::int32_t row, std::string_view column) const;
    cells::CellValue Cell(std::int32_t row, std::int32_t column) const;

    // Writes a text cell (stored as an inline string; the cell's style stays).
    // Throws WorkbookError outside the sheet's 1,048,576 rows and XFD columns.
    void Write(std::int32_t row, std::string_view column, std::string_view text);
    void Write(std::int32_t row, std::int32_t column, std::string_view text);
    // Writes a number cell. `digits` is the number as shown, with "." as
    // decimal point and no grouping ("6297632.781", "-33.4496588124"), and is
    // stored as it stands; `decimals` is how many decimals it is shown with.
    // Throws WorkbookError as Write does, and for digits that are not such a number.
    void WriteNumber(std::int32_t row, std::string_view column, std::string_view digits, int decimals);
    void WriteNumber(std::int32_t row, std::int32_t column, std::string_view digits, int decimals);

    // Lets `spool` take the written cells of rows the writes have moved past
    // (text files); it must outlive the sheet.
    void SpoolRowsTo(RowSpool* spool) { spool_ = spool; }

    // The last row and column that hold a cell, read or written (0 when none).
    std::int32_t LastRow() const;
    std::int32_t LastColumn() const;

    // Throws WorkbookError (the reason only) when the sheet's rows repeat or
    // come out of order: such a sheet is read, but cannot be written.
    void CheckRowOrder() const;

    // For saving.
    const std::string& Part() const { return part_; }
    bool Changed() const;
    bool OverwroteFormula() const { return overwroteFormula_; }
    const WrittenCells& Written() const { return written_; }
    const RowsLayout& Rows() const { return grid_.Rows(); }
    // The used range after the writes, as the sheet's dimension ("A1:P100").
    std::string UsedRange() const;

private:
    std::int32_t ColumnOf(std::string_view column) const;
    std::string SharedText(const StoredCell& cell, std::int32_t row, std::int32_t column) const;
    void CheckWritable(std::int32_t row, std::int32_t column);

    std::string name_;
    std::string part_;
    CellGrid grid_;
    const LazySharedStrings& shared_;
    std::string book_;
    WrittenCells written_;
    RowSpool* spool_ = nullptr;
    bool overwroteFormula_ = false;
};

}  // namespace trevalco::workbook
