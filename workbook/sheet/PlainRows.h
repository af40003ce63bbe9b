// The rows of a worksheet part rewritten without expat, when reading the
// sheet found them plain (see RowsLayout): reading has already parsed and
// checked exactly these bytes, so they are well formed and hold only row, c
// and v elements and text. They are worked tag by tag and get the changes
// ParsedRows makes, decided by the same RowRules. A row that keeps its
// cells, and each cell of a row being rewritten, is taken whole: its end is
// the first end tag of its name, since it cannot hold another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "RowRules.h"

namespace trevalco::workbook {

class PlainRows {
public:
    // `part` names the part in messages.
    PlainRows(RowRules& rules, std::string& out, std::string part);

    // Takes the next bytes of the rows, `last` with the final ones. Throws
    // WorkbookError when they are not the rows reading found (the part
    // changed since).
    void Take(const char* data, std::size_t size, bool last);
    // Whether every row taken so far has been worked whole.
    bool BetweenRows() const { return pending_.empty() && depth_ == 0; }

    // The number the last row tag in `rows` gives (its r), if it gives one.
    static std::optional<std::int32_t> LastRowNumber(std::string_view rows, std::string_view prefix);

private:
    std::size_t Element(std::string_view text, std::size_t at, std::size_t end, bool last);
    void Tag(std::string_view tag);
    // Whether the row's content is kept as it is (no written cells).
    bool StartRow(std::string_view tag, std::string_view name, bool empty);
    // Whether the cell is replaced by a written one.
    bool StartCell(std::string_view tag, std::string_view name);
    [[noreturn]] void Changed() const;

    RowRules& rules_;
    std::string& out_;
    std::string part_;
    std::string pending_;     // rows not yet worked
    int depth_ = 0;           // 0 between rows, 1 in a row, 2 in a cell...
    bool rewriting_ = false;  // in a row with written cells
};

}  // namespace trevalco::workbook
