#include "WrittenCells.h"

#include <algorithm>
#include <climits>

#include "WorkbookError.h"

namespace trevalco::workbook {

std::uint32_t WrittenCells::Store(std::string_view text) {
    if (texts_.size() + text.size() > UINT32_MAX)
        throw WorkbookError("se ha escrito demasiado texto en la hoja (más de 4 GB)");
    const auto offset = static_cast<std::uint32_t>(texts_.size());
    texts_ += text;
    return offset;
}

WrittenCell WrittenCells::CellOf(const Entry& entry) const {
    return WrittenCell{entry.column + 1, std::string_view(texts_).substr(entry.offset, entry.length), entry.decimals};
}

void WrittenCells::Write(std::int32_t row, std::int32_t column, std::string_view text, int decimals) {
    const auto at = static_cast<std::size_t>(row);
    if (head_.size() <= at) head_.resize(std::max(at + 1, head_.size() * 3 / 2), 0);
    const auto column0 = static_cast<std::uint16_t>(column - 1);
    const auto kind = static_cast<std::int8_t>(std::clamp(decimals, WrittenCell::kText, 30));
    for (std::uint32_t i = head_[at]; i != 0; i = entries_[i - 1].next) {
        Entry& entry = entries_[i - 1];
        if (entry.column == column0) {
            entry.offset = Store(text);
            entry.length = static_cast<std::uint32_t>(text.size());
            entry.decimals = kind;
            return;
        }
    }
    if (entries_.size() >= UINT32_MAX - 1) throw WorkbookError("se han escrito demasiadas celdas en la hoja");
    const std::uint32_t offset = Store(text);
    entries_.push_back(Entry{head_[at], offset, static_cast<std::uint32_t>(text.size()), column0, kind});
    head_[at] = static_cast<std::uint32_t>(entries_.size());
    ++count_;
    bounds_.Include(row, column);
}

bool WrittenCells::Find(std::int32_t row, std::int32_t column, WrittenCell& cell) const {
    const auto at = static_cast<std::size_t>(row);
    if (row < 1 || at >= head_.size()) return false;
    const auto column0 = static_cast<std::uint16_t>(column - 1);
    for (std::uint32_t i = head_[at]; i != 0; i = entries_[i - 1].next) {
        if (entries_[i - 1].column == column0) {
            cell = CellOf(entries_[i - 1]);
            return true;
        }
    }
    return false;
}

std::int32_t WrittenCells::NextRow(std::int32_t row) const {
    for (auto at = static_cast<std::size_t>(std::max(row, 1)); at < head_.size(); ++at)
        if (head_[at] != 0) return static_cast<std::int32_t>(at);
    return 0;
}

void WrittenCells::RowCells(std::int32_t row, std::vector<WrittenCell>& out) const {
    out.clear();
    const auto at = static_cast<std::size_t>(row);
    if (row < 1 || at >= head_.size()) return;
    for (std::uint32_t i = head_[at]; i != 0; i = entries_[i - 1].next) out.push_back(CellOf(entries_[i - 1]));
    // A row's cells are linked newest first, and are mostly written left to
    // right: turned round, they are then usually in order already.
    std::reverse(out.begin(), out.end());
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.column < b.column; });
}

}  // namespace trevalco::workbook
