#include "RowRules.h"

#include <cstring>

namespace trevalco::workbook {

namespace {

bool NeedsPreserve(std::string_view text) {
    return !text.empty() && (std::strchr(" \t\r\n", text.front()) != nullptr ||
                             std::strchr(" \t\r\n", text.back()) != nullptr);
}

// Appends a number or a cell's name without building strings: a rewritten
// sheet names millions of cells.
void AppendNumber(std::string& out, std::uint32_t value) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// Writes a cell's name ("AB12") at `at`, which has room for 16 characters;
// returns the end.
char* PutCellName(char* at, std::int32_t column, std::int32_t row) {
    char letters[4];
    int count = 0;
    for (auto left = static_cast<std::uint32_t>(column); left > 0 && count < 4; left = (left - 1) / 26)
        letters[count++] = static_cast<char>('A' + (left - 1) % 26);
    while (count > 0) *at++ = letters[--count];
    return std::to_chars(at, at + 11, static_cast<std::uint32_t>(row)).ptr;
}

void AppendCellName(std::string& out, std::int32_t column, std::int32_t row) {
    char name[16];
    out.append(name, PutCellName(name, column, row));
}

// A number cell without a prefix, built in one piece: a rewritten sheet
// holds millions of them. Nothing when it does not fit the buffer.
bool AppendPlainNumberCell(std::string& out, std::int32_t row, std::int32_t column, std::uint32_t style,
                           std::string_view digits) {
    char buffer[128];
    if (digits.size() > sizeof buffer - 64) return false;
    char* at = buffer;
    const auto put = [&at](std::string_view part) {
        std::memcpy(at, part.data(), part.size());
        at += part.size();
    };
    put("<c r=\"");
    at = PutCellName(at, column, row);
    if (style != 0) {
        put("\" s=\"");
        at = std::to_chars(at, at + 11, style).ptr;
    }
    put("\"><v>");
    put(digits);
    put("</v></c>");
    out.append(buffer, at);
    return true;
}

}  // namespace

std::uint32_t StyleNumber(std::optional<std::string_view> text) {
    std::uint32_t style = 0;
    if (text) std::from_chars(text->data(), text->data() + text->size(), style);
    return style;
}

RowRules::RowRules(const WrittenCells& written, CellStyles* styles, std::string part)
    : written_(written), styles_(styles), part_(std::move(part)), nextWrittenRow_(written.NextRow(1)) {}

void RowRules::AddRows(std::string& out, std::int32_t before) {
    while (nextWrittenRow_ != 0 && (before == 0 || nextWrittenRow_ < before)) {
        const std::int32_t row = nextWrittenRow_;
        written_.RowCells(row, rowCells_);
        out += '<';
        out += prefix_;
        out += "row r=\"";
        out += std::to_string(row);
        out += "\">";
        rowStyle_.reset();
        for (const WrittenCell& cell : rowCells_) AppendCell(out, row, cell, NewCellStyle(cell.column));
        out += "</";
        out += prefix_;
        out += "row>";
        nextWrittenRow_ = written_.NextRow(row + 1);
    }
}

void RowRules::OpenRow(std::int32_t row, std::optional<std::string_view> customFormat,
                       std::optional<std::string_view> style) {
    rowStyle_.reset();
    if (customFormat && (*customFormat == "1" || *customFormat == "true") && style) rowStyle_ = StyleNumber(style);
    row_ = row;
    column_ = 0;
    written_.RowCells(row, rowCells_);
    cellAt_ = 0;
    nextWrittenRow_ = written_.NextRow(row + 1);
}

void RowRules::ReplaceCell(std::string& out, std::optional<std::string_view> style) {
    AppendCell(out, row_, rowCells_[cellAt_], StyleNumber(style));
    ++cellAt_;
}

void RowRules::AppendNamedCellStart(std::string& out, std::string_view name, std::int32_t column) const {
    out += '<';
    out += name;
    out += " r=\"" + ColumnName(column) + std::to_string(row_) + "\"";
}

void RowRules::CloseRow(std::string& out) {
    for (; cellAt_ < rowCells_.size(); ++cellAt_)
        AppendCell(out, row_, rowCells_[cellAt_], NewCellStyle(rowCells_[cellAt_].column));
}

std::uint32_t RowRules::NewCellStyle(std::int32_t column) const {
    if (rowStyle_) return *rowStyle_;
    for (const ColumnStyle& range : columnStyles_)
        if (column >= range.first && column <= range.last) return range.style;
    return 0;
}

std::uint32_t RowRules::NumberStyle(std::uint32_t style, int decimals) const {
    if (known_ == nullptr) return styles_->NumberStyle(style, decimals);
    if (const auto known = known_->NumberStyle(style, decimals)) return *known;
    throw NeedsNewStyle{};
}

void RowRules::AppendCell(std::string& out, std::int32_t row, const WrittenCell& cell, std::uint32_t style) const {
    const std::string_view text = cell.text;
    if (cell.IsNumber() && styles_ != nullptr) style = NumberStyle(style, cell.decimals);
    if (cell.IsNumber() && prefix_.empty() && AppendPlainNumberCell(out, row, cell.column, style, text)) return;
    // "<p:name" and "</p:name>", with the sheet's own namespace prefix.
    const auto open = [&](std::string_view name) {
        out += '<';
        out += prefix_;
        out += name;
    };
    const auto close = [&](std::string_view name) {
        out += "</";
        out += prefix_;
        out += name;
        out += '>';
    };
    open("c r=\"");
    AppendCellName(out, cell.column, row);
    out += '"';
    if (style != 0) {
        out += " s=\"";
        AppendNumber(out, style);
        out += '"';
    }
    if (cell.IsNumber()) {
        out += '>';
        open("v>");
        out += text;
        close("v");
        close("c");
        return;
    }
    out += " t=\"inlineStr\">";
    open("is>");
    open(NeedsPreserve(text) ? "t xml:space=\"preserve\">" : "t>");
    AppendEscaped(out, text);
    close("t");
    close("is");
    close("c");
}

}  // namespace trevalco::workbook
