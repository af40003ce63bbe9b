// How the rows of a worksheet change when it is saved with written cells,
// whichever way its rows are read on saving (ParsedRows through expat,
// PlainRows scanned as plain markup): a row's number and whether its start
// tag stays, the start tag written in its place, the written rows added
// between the existing ones, where a written cell goes in its row, which
// format it gets and the form it is written in (a number or an inline text).
// Both ways of reading the rows ask these rules, so both save the same bytes.
//
// A written cell keeps the format of the cell it replaces; a new one takes
// its row's format, else its column's, as typing would. A number whose format
// would be General gets a copy of it showing its decimals (CellStyles).
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CellReference.h"
#include "CellStyles.h"
#include "WorkbookError.h"
#include "WrittenCells.h"
#include "XmlText.h"

namespace trevalco::workbook {

class RowRules {
public:
    // `styles` may be null (written cells then get no formats); `part` names
    // the part in messages.
    RowRules(const WrittenCells& written, CellStyles* styles, std::string part);

    // The prefix of the sheet's element names ("x:"), from its sheetData tag.
    void SetPrefix(std::string_view prefix) { prefix_ = prefix; }
    const std::string& Prefix() const { return prefix_; }
    // Columns with a format of their own (a col element's min, max, style).
    void AddColumnStyle(std::int32_t first, std::int32_t last, std::uint32_t style) {
        columnStyles_.push_back({first, last, style});
    }

    // The number of the row whose start tag gives `r` (nothing: no number):
    // `r` when it is a row number, else the one after the row before. Rows
    // must come in order for written rows to find their place: a part that
    // repeats or reorders them is refused rather than saved damaged.
    std::int32_t NumberRow(std::optional<std::string_view> r) {
        std::int32_t row = previousRow_ + 1;
        if (r) {
            std::int32_t given = 0;
            const auto [end, error] = std::from_chars(r->data(), r->data() + r->size(), given);
            if (error == std::errc() && end == r->data() + r->size() && given >= 1 && given <= kMaxRows) row = given;
        }
        if (row <= previousRow_ && !written_.Empty()) throw WorkbookError(RowsOutOfOrderText(part_, row, previousRow_));
        previousRow_ = row;
        return row;
    }

    // The number of the last row numbered (0 before the first). Between rows,
    // it is all these rules keep of the rows before: StartAfter(LastRow())
    // leaves them as they are, which lets a copy rewrite a later stretch of
    // rows on its own, from the row it is told came before.
    std::int32_t LastRow() const { return previousRow_; }
    void StartAfter(std::int32_t row) {
        previousRow_ = row;
        nextWrittenRow_ = written_.NextRow(row + 1);
    }
    // Number formats from this snapshot instead of the workbook's formats,
    // for a copy working on a thread of its own: a written number that
    // would need a new format throws NeedsNewStyle, and the stretch is left
    // to the rules that may add it.
    struct NeedsNewStyle {};
    void UseKnownStyles(const CellStyles::Known* known) { known_ = known; }

    // Whether written rows that the sheet lacks come before `row`; AddRows
    // writes those before `before` (every one left when it is 0).
    bool AddsRowsBefore(std::int32_t row) const { return nextWrittenRow_ != 0 && nextWrittenRow_ < row; }
    void AddRows(std::string& out, std::int32_t before);

    // Whether written cells go into `row`.
    bool HasWrites(std::int32_t row) const { return nextWrittenRow_ == row; }

    // Whether a row's start tag stays as it is. A row with written cells
    // loses its "spans" (the columns it held); a row without a number gets
    // one, so that rows added before it cannot shift it; an empty row with
    // written cells opens for them.
    static bool KeepsRowTag(bool numbered, bool hasWrites, bool empty, bool spans) {
        return numbered && (!hasWrites || (!empty && !spans));
    }
    // The start tag written for a row that does not keep its own, from the
    // tag's attributes (each with a name and a value as an XML parser gives it).
    template <typename Attributes>
    void AppendRowTag(std::string& out, std::string_view name, std::int32_t row, const Attributes& attributes,
                      bool hasWrites, bool empty) const {
        out += '<';
        out += name;
        out += " r=\"";
        out += std::to_string(row);
        out += '"';
        for (const auto& [attribute, value] : attributes) {
            if (attribute == "r" || (hasWrites && attribute == "spans")) continue;
            out += ' ';
            out += attribute;
            out += "=\"";
            AppendEscaped(out, value);
            out += '"';
        }
        out += empty && !hasWrites ? "/>" : ">";
    }

    // Opens a row with written cells, given its customFormat and s values.
    void OpenRow(std::int32_t row, std::optional<std::string_view> customFormat, std::optional<std::string_view> style);

    // The column of a cell of the open row whose start tag gives `r`
    // (nothing: no name): the one it names, else the one after the cell before.
    std::int32_t NumberCell(std::optional<std::string_view> r) {
        std::int32_t column = column_ + 1;
        if (r)
            if (const auto position = ParseCellReference(*r)) column = position->column;
        column_ = column;
        return column;
    }
    // Writes the written cells that come before `column`; true when a
    // written cell takes the place of the cell in `column`, which is then
    // written by ReplaceCell with the cell's own format (its s value).
    bool ReachCell(std::string& out, std::int32_t column) {
        while (cellAt_ < rowCells_.size() && rowCells_[cellAt_].column < column) {
            AppendCell(out, row_, rowCells_[cellAt_], NewCellStyle(rowCells_[cellAt_].column));
            ++cellAt_;
        }
        return cellAt_ < rowCells_.size() && rowCells_[cellAt_].column == column;
    }
    void ReplaceCell(std::string& out, std::optional<std::string_view> style);
    // The start of the tag of a cell without a name, named ("<c r=\"B5\""),
    // so that cells added before it cannot shift it; its attributes follow.
    void AppendNamedCellStart(std::string& out, std::string_view name, std::int32_t column) const;
    // Writes the written cells left in the open row.
    void CloseRow(std::string& out);

private:
    std::uint32_t NewCellStyle(std::int32_t column) const;
    std::uint32_t NumberStyle(std::uint32_t style, int decimals) const;
    void AppendCell(std::string& out, std::int32_t row, const WrittenCell& cell, std::uint32_t style) const;

    const WrittenCells& written_;
    CellStyles* styles_;
    const CellStyles::Known* known_ = nullptr;
    std::string part_;
    std::string prefix_;

    std::int32_t previousRow_ = 0;
    std::int32_t nextWrittenRow_ = 0;
    // The open row: its number, the column of its last cell, its written
    // cells and the first of them not yet written.
    std::int32_t row_ = 0;
    std::int32_t column_ = 0;
    std::vector<WrittenCell> rowCells_;
    std::size_t cellAt_ = 0;

    // Formats of columns (first, last, style) and of the open row.
    struct ColumnStyle {
        std::int32_t first, last;
        std::uint32_t style;
    };
    std::vector<ColumnStyle> columnStyles_;
    std::optional<std::uint32_t> rowStyle_;
};

// A format's index as an s or style attribute gives it (0 when none).
std::uint32_t StyleNumber(std::optional<std::string_view> text);

}  // namespace trevalco::workbook
