// Cell addresses: row numbers from 1 and column letters "A" to "XFD".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trevalco::workbook {

inline constexpr std::int32_t kMaxRows = 1'048'576;
inline constexpr std::int32_t kMaxColumns = 16'384;  // column XFD

// "A" gives 1, "Z" 26, "AA" 27, "XFD" 16384; lower case is accepted. Anything
// else (empty, not letters, past XFD) gives 0.
std::int32_t ColumnIndex(std::string_view letters);

// The letters of a column index within 1..16384 ("" outside it).
std::string ColumnName(std::int32_t index);

struct CellPosition {
    std::int32_t row = 0;
    std::int32_t column = 0;
    friend bool operator==(const CellPosition&, const CellPosition&) = default;
};

// Reads an A1-style reference such as "B12" or "$B$12"; nothing when it is
// malformed or lies outside the sheet's 1,048,576 rows and XFD columns.
std::optional<CellPosition> ParseCellReference(std::string_view reference);

// The smallest range holding every cell included so far (all 0 while empty).
class CellBounds {
public:
    void Include(std::int32_t row, std::int32_t column) {
        if (empty_) {
            firstRow_ = lastRow_ = row;
            firstColumn_ = lastColumn_ = column;
            empty_ = false;
            return;
        }
        firstRow_ = row < firstRow_ ? row : firstRow_;
        lastRow_ = row > lastRow_ ? row : lastRow_;
        firstColumn_ = column < firstColumn_ ? column : firstColumn_;
        lastColumn_ = column > lastColumn_ ? column : lastColumn_;
    }
    std::int32_t FirstRow() const { return firstRow_; }
    std::int32_t LastRow() const { return lastRow_; }
    std::int32_t FirstColumn() const { return firstColumn_; }
    std::int32_t LastColumn() const { return lastColumn_; }

private:
    bool empty_ = true;
    std::int32_t firstRow_ = 0;
    std::int32_t lastRow_ = 0;
    std::int32_t firstColumn_ = 0;
    std::int32_t lastColumn_ = 0;
};

// "B12" from a position inside the sheet.
std::string CellName(CellPosition position);

}  // namespace trevalco::workbook
