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

// "B12" from a position inside the sheet.
std::string CellName(CellPosition position);

}  // namespace trevalco::workbook
