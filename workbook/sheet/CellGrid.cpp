#include "CellGrid.h"

#include "Compat.h"

#include <algorithm>
#include <bit>
#include <climits>

namespace trevalco::workbook {

void CellGrid::Add(std::int32_t row, std::int32_t column, StoredCell cell) {
    cell.column = static_cast<std::uint16_t>(column - 1);
    if (row < previousRow_ || (row == previousRow_ && column <= previousColumn_)) ordered_ = false;
    if (row != previousRow_) runs_.emplace_back(row, static_cast<std::uint32_t>(cells_.size()));
    previousRow_ = row;
    previousColumn_ = column;
    bounds_.Include(row, column);
    cells_.push_back(cell);
}

void CellGrid::AddNumber(std::int32_t row, std::int32_t column, double value, bool formula) {
    Add(row, column, StoredCell{compat::BitCast<std::uint64_t>(value), 0, CellKind::Number, formula});
}

void CellGrid::AddSharedText(std::int32_t row, std::int32_t column, std::uint32_t index, bool formula) {
    Add(row, column, StoredCell{index, 0, CellKind::SharedText, formula});
}

bool CellGrid::AddOwnText(std::int32_t row, std::int32_t column, std::string_view text, bool formula) {
    if (ownTexts_.size() + text.size() > UINT32_MAX) return false;
    const std::uint64_t span = (static_cast<std::uint64_t>(ownTexts_.size()) << 32) | text.size();
    ownTexts_ += text;
    Add(row, column, StoredCell{span, 0, CellKind::OwnText, formula});
    return true;
}

bool CellGrid::Append(CellGrid&& later) {
    if (ownTexts_.size() + later.ownTexts_.size() > UINT32_MAX) return false;
    if (later.cells_.empty()) {
        if (!rowOrderFault_) rowOrderFault_ = later.rowOrderFault_;
        return true;
    }
    const auto textBase = static_cast<std::uint64_t>(ownTexts_.size()) << 32;
    const auto cellBase = static_cast<std::uint32_t>(cells_.size());
    const auto [firstRow, firstAt] = later.runs_.front();
    const std::int32_t firstColumn = later.cells_.front().column + 1;
    if (firstRow < previousRow_ || (firstRow == previousRow_ && firstColumn <= previousColumn_)) ordered_ = false;
    ordered_ = ordered_ && later.ordered_;
    for (const auto& [row, at] : later.runs_)
        if (row != previousRow_ || at != firstAt) runs_.emplace_back(row, at + cellBase);
    cells_.insert(cells_.end(), later.cells_.begin(), later.cells_.end());
    if (textBase != 0)
        for (auto cell = cells_.begin() + cellBase; cell != cells_.end(); ++cell)
            if (cell->kind == CellKind::OwnText) cell->payload += textBase;
    ownTexts_ += later.ownTexts_;
    bounds_.Include(later.bounds_.FirstRow(), later.bounds_.FirstColumn());
    bounds_.Include(later.bounds_.LastRow(), later.bounds_.LastColumn());
    previousRow_ = later.previousRow_;
    previousColumn_ = later.previousColumn_;
    if (!rowOrderFault_) rowOrderFault_ = later.rowOrderFault_;
    later = CellGrid();
    return true;
}

void CellGrid::SortCells() {
    // Cells came out of order: rebuild them sorted, the later of two copies
    // of a cell winning.
    struct Key {
        std::int32_t row;
        std::uint16_t column;
        std::uint32_t index;
    };
    std::vector<Key> keys;
    keys.reserve(cells_.size());
    std::size_t run = 0;
    for (std::uint32_t i = 0; i < cells_.size(); ++i) {
        while (run + 1 < runs_.size() && runs_[run + 1].second <= i) ++run;
        keys.push_back(Key{runs_[run].first, cells_[i].column, i});
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        if (a.row != b.row) return a.row < b.row;
        if (a.column != b.column) return a.column < b.column;
        return a.index > b.index;
    });
    std::vector<StoredCell> sorted;
    sorted.reserve(cells_.size());
    runs_.clear();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i > 0 && keys[i].row == keys[i - 1].row && keys[i].column == keys[i - 1].column) continue;
        if (runs_.empty() || runs_.back().first != keys[i].row)
            runs_.emplace_back(keys[i].row, static_cast<std::uint32_t>(sorted.size()));
        sorted.push_back(cells_[keys[i].index]);
    }
    cells_ = std::move(sorted);
}

void CellGrid::Finish() {
    if (!ordered_) SortCells();
    cells_.shrink_to_fit();
    ownTexts_.shrink_to_fit();
    rowStart_.assign(static_cast<std::size_t>(bounds_.LastRow()) + 2, 0);
    // A row without cells starts (and ends) where the next row with cells starts.
    std::size_t run = 0;
    for (std::int32_t row = 0; row <= bounds_.LastRow() + 1; ++row) {
        while (run < runs_.size() && runs_[run].first < row) ++run;
        rowStart_[static_cast<std::size_t>(row)] =
            run < runs_.size() ? runs_[run].second : static_cast<std::uint32_t>(cells_.size());
    }
    runs_.clear();
    runs_.shrink_to_fit();
}

const StoredCell* CellGrid::Find(std::int32_t row, std::int32_t column) const {
    if (row < 1 || row > bounds_.LastRow() || column < 1) return nullptr;
    const StoredCell* begin = cells_.data() + rowStart_[static_cast<std::size_t>(row)];
    const StoredCell* end = cells_.data() + rowStart_[static_cast<std::size_t>(row) + 1];
    const auto wanted = static_cast<std::uint16_t>(column - 1);
    const StoredCell* found = std::lower_bound(
        begin, end, wanted, [](const StoredCell& cell, std::uint16_t c) { return cell.column < c; });
    return found != end && found->column == wanted ? found : nullptr;
}

std::string_view CellGrid::OwnText(const StoredCell& cell) const {
    return std::string_view(ownTexts_).substr(cell.payload >> 32, cell.payload & 0xFFFFFFFFU);
}

double CellGrid::Number(const StoredCell& cell) { return compat::BitCast<double>(cell.payload); }

}  // namespace trevalco::workbook
