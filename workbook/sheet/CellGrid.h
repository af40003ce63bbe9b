// The cells of one worksheet as read: 16 bytes a cell, grouped by row, so a
// cell is found by indexing its row and searching the row's few cells.
#pragma once

#include "CellReference.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trevalco::workbook {

enum class CellKind : std::uint8_t { Number, SharedText, OwnText };

// Where the rows of a worksheet part lie (byte offsets in the uncompressed
// part: just after the sheetData start tag, and at its end tag), and whether
// they hold nothing but rows of cells with plain values (no formulas, inline
// texts, comments or other elements): such rows can be rewritten on saving
// without parsing the XML again.
struct RowsLayout {
    std::int64_t start = 0;
    std::int64_t end = 0;
    bool plain = false;
};

struct StoredCell {
    std::uint64_t payload = 0;  // the double's bits, a shared-text index, or an own-text span
    std::uint16_t column = 0;   // 0-based
    CellKind kind = CellKind::Number;
    bool formula = false;       // the cell holds a formula (its value is the cached one)
};

class CellGrid {
public:
    // Adding, in any order; Finish() must follow the last one. A cell given
    // twice keeps the later value.
    void AddNumber(std::int32_t row, std::int32_t column, double value, bool formula);
    void AddSharedText(std::int32_t row, std::int32_t column, std::uint32_t index, bool formula);
    // Fails (returns false) when the sheet's own texts outgrow 4 GB.
    bool AddOwnText(std::int32_t row, std::int32_t column, std::string_view text, bool formula);
    // Adds every cell of `later` (not finished), as if each had been added
    // here in its order; its first row-order fault counts when none came
    // before. Fails (returns false) as AddOwnText does.
    bool Append(CellGrid&& later);
    void Finish();

    // The cell at a row (1-based) and column (1-based), or nullptr.
    const StoredCell* Find(std::int32_t row, std::int32_t column) const;
    std::string_view OwnText(const StoredCell& cell) const;
    static double Number(const StoredCell& cell);

    bool Empty() const { return cells_.empty(); }
    std::int32_t FirstRow() const { return bounds_.FirstRow(); }
    std::int32_t LastRow() const { return bounds_.LastRow(); }
    std::int32_t FirstColumn() const { return bounds_.FirstColumn(); }
    std::int32_t LastColumn() const { return bounds_.LastColumn(); }
    std::size_t CellCount() const { return cells_.size(); }

    // The first row tag that repeated an earlier row or came after a later
    // one, and the row it came after.
    struct RowOrderFault {
        std::int32_t row, after;
    };
    void NoteRowOutOfOrder(std::int32_t row, std::int32_t after) {
        if (!rowOrderFault_) rowOrderFault_ = RowOrderFault{row, after};
    }
    const std::optional<RowOrderFault>& RowOrder() const { return rowOrderFault_; }

    void SetRowsLayout(const RowsLayout& layout) { rowsLayout_ = layout; }
    const RowsLayout& Rows() const { return rowsLayout_; }

private:
    void Add(std::int32_t row, std::int32_t column, StoredCell cell);
    void SortCells();

    std::vector<StoredCell> cells_;
    // While adding: where each run of one row starts. After Finish: for each
    // row r, cells_[rowStart_[r] .. rowStart_[r + 1]) are its cells.
    std::vector<std::pair<std::int32_t, std::uint32_t>> runs_;
    std::vector<std::uint32_t> rowStart_;
    std::string ownTexts_;
    bool ordered_ = true;
    std::int32_t previousRow_ = 0;
    std::int32_t previousColumn_ = 0;
    CellBounds bounds_;
    std::optional<RowOrderFault> rowOrderFault_;
    RowsLayout rowsLayout_;
};

}  // namespace trevalco::workbook
