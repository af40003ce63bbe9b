#include "FormulaShift.h"

#include "CellReference.h"

namespace trevalco::workbook {

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWordChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_' || c == '.' || c == '\\'; }

// One part of a reference: "$"? then letters (a column) or digits (a row).
struct Part {
    bool absolute = false;
    std::int32_t column = 0;
    std::int32_t row = 0;
    std::size_t length = 0;
};

Part ReadColumn(std::string_view text) {
    Part part;
    std::size_t at = 0;
    if (at < text.size() && text[at] == '$') part.absolute = true, ++at;
    const std::size_t start = at;
    while (at < text.size() && IsLetter(text[at]) && at - start < 4) ++at;
    if (at == start || at - start > 3) return {};
    part.column = ColumnIndex(text.substr(start, at - start));
    part.length = part.column == 0 ? 0 : at;
    return part;
}

Part ReadRow(std::string_view text) {
    Part part;
    std::size_t at = 0;
    if (at < text.size() && text[at] == '$') part.absolute = true, ++at;
    const std::size_t start = at;
    std::int64_t row = 0;
    while (at < text.size() && IsDigit(text[at]) && row <= kMaxRows) row = row * 10 + (text[at++] - '0');
    if (at == start || row < 1 || row > kMaxRows) return {};
    part.row = static_cast<std::int32_t>(row);
    part.length = at;
    return part;
}

// Appends a shifted column or row part; false when it leaves the sheet.
bool AppendShifted(std::string& out, const Part& part, std::int32_t by, bool isColumn) {
    std::int32_t value = isColumn ? part.column : part.row;
    if (!part.absolute) value += by;
    if (value < 1 || value > (isColumn ? kMaxColumns : kMaxRows)) return false;
    if (part.absolute) out += '$';
    out += isColumn ? ColumnName(value) : std::to_string(value);
    return true;
}

// Shifts a word that is a cell, a column or a row reference; nothing else.
// `inRange` says whether the word touches a ':' (a bare column or row is a
// reference only there).
bool ShiftWord(std::string& out, std::string_view word, bool inRange, std::int32_t rows, std::int32_t columns) {
    const std::size_t mark = out.size();
    const Part column = ReadColumn(word);
    if (column.length != 0) {
        const Part row = ReadRow(word.substr(column.length));
        if (row.length != 0 && column.length + row.length == word.size()) {
            if (AppendShifted(out, column, columns, true) && AppendShifted(out, row, rows, false)) return true;
            out.resize(mark);
            out += "#REF!";
            return true;
        }
        if (inRange && column.length == word.size()) {
            if (!AppendShifted(out, column, columns, true)) out.resize(mark), out += "#REF!";
            return true;
        }
        return false;
    }
    const Part row = ReadRow(word);
    if (inRange && row.length != 0 && row.length == word.size()) {
        if (!AppendShifted(out, row, rows, false)) out.resize(mark), out += "#REF!";
        return true;
    }
    return false;
}

// The end of a quoted section starting at `at` (a doubled quote stays inside).
std::size_t QuotedEnd(std::string_view text, std::size_t at) {
    const char quote = text[at];
    for (++at; at < text.size(); ++at) {
        if (text[at] != quote) continue;
        if (at + 1 < text.size() && text[at + 1] == quote) ++at;
        else return at + 1;
    }
    return text.size();
}

std::size_t BracketEnd(std::string_view text, std::size_t at) {
    int depth = 0;
    for (; at < text.size(); ++at) {
        if (text[at] == '[') ++depth;
        else if (text[at] == ']' && --depth == 0) return at + 1;
    }
    return text.size();
}

}  // namespace

std::string ShiftFormula(std::string_view formula, std::int32_t rows, std::int32_t columns) {
    std::string out;
    out.reserve(formula.size() + 8);
    std::size_t at = 0;
    while (at < formula.size()) {
        const char c = formula[at];
        std::size_t end = at + 1;
        if (c == '"' || c == '\'') {
            end = QuotedEnd(formula, at);
        } else if (c == '[') {
            end = BracketEnd(formula, at);
        } else if ((IsWordChar(c) || c == '$') && (at == 0 || !IsWordChar(formula[at - 1]))) {
            while (end < formula.size() && (IsWordChar(formula[end]) || formula[end] == '$')) ++end;
            const std::string_view word = formula.substr(at, end - at);
            const char next = end < formula.size() ? formula[end] : '\0';
            const bool inRange = next == ':' || (at > 0 && formula[at - 1] == ':');
            if (next != '(' && next != '!' && next != '[' && ShiftWord(out, word, inRange, rows, columns)) {
                at = end;
                continue;
            }
        }
        out.append(formula, at, end - at);
        at = end;
    }
    return out;
}

}  // namespace trevalco::workbook
