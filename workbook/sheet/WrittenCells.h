// The cells written into a worksheet since it was opened (texts, and numbers
// kept as the digits written), apart from the cells read so that saving can
// merge them into the sheet's XML.
#pragma once

#include "CellReference.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trevalco::workbook {

// One written cell: its text, and for a number the decimals it is shown with.
struct WrittenCell {
    std::int32_t column = 0;  // 1-based
    std::string_view text;    // a number's digits: "-" optional, "." as decimal point
    int decimals = kText;     // kText for a text cell

    static constexpr int kText = -1;
    bool IsNumber() const { return decimals != kText; }
};

class WrittenCells {
public:
    // Writes (or rewrites) a cell; row and column 1-based and inside the sheet.
    // `decimals` is WrittenCell::kText for a text, else a number's decimals (0 to 30).
    void Write(std::int32_t row, std::int32_t column, std::string_view text, int decimals = WrittenCell::kText);
    // The written cell at a row and column, or nothing.
    bool Find(std::int32_t row, std::int32_t column, WrittenCell& cell) const;

    bool Empty() const { return count_ == 0; }
    std::size_t Count() const { return count_; }
    std::int32_t FirstRow() const { return bounds_.FirstRow(); }
    std::int32_t LastRow() const { return bounds_.LastRow(); }
    std::int32_t FirstColumn() const { return bounds_.FirstColumn(); }
    std::int32_t LastColumn() const { return bounds_.LastColumn(); }

    // The first row at or after `row` that has written cells, 0 when none.
    std::int32_t NextRow(std::int32_t row) const;
    // The written cells of a row, sorted by column.
    void RowCells(std::int32_t row, std::vector<WrittenCell>& out) const;

private:
    struct Entry {
        std::uint32_t next;  // 1-based index of the row's next entry, 0 at the end
        std::uint32_t offset;
        std::uint32_t length;
        std::uint16_t column;  // 0-based
        std::int8_t decimals;  // WrittenCell::kText for a text
    };
    std::uint32_t Store(std::string_view text);
    WrittenCell CellOf(const Entry& entry) const;

    std::vector<std::uint32_t> head_;  // per row: 1-based index of its first entry
    std::vector<Entry> entries_;
    std::string texts_;
    std::size_t count_ = 0;
    CellBounds bounds_;
};

}  // namespace trevalco::workbook
