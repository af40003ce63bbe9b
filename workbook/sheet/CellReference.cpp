#include "CellReference.h"

namespace trevalco::workbook {

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int LetterValue(char c) { return (c >= 'a' ? c - 'a' : c - 'A') + 1; }

}  // namespace

std::int32_t ColumnIndex(std::string_view letters) {
    if (letters.empty() || letters.size() > 3) return 0;
    std::int32_t index = 0;
    for (const char c : letters) {
        if (!IsLetter(c)) return 0;
        index = index * 26 + LetterValue(c);
    }
    return index <= kMaxColumns ? index : 0;
}

std::string ColumnName(std::int32_t index) {
    if (index < 1 || index > kMaxColumns) return {};
    std::string name;
    while (index > 0) {
        const std::int32_t digit = (index - 1) % 26;
        name.insert(name.begin(), static_cast<char>('A' + digit));
        index = (index - 1) / 26;
    }
    return name;
}

std::optional<CellPosition> ParseCellReference(std::string_view reference) {
    std::size_t at = 0;
    if (at < reference.size() && reference[at] == '$') ++at;
    const std::size_t lettersStart = at;
    while (at < reference.size() && IsLetter(reference[at]) && at - lettersStart < 4) ++at;
    const std::int32_t column = ColumnIndex(reference.substr(lettersStart, at - lettersStart));
    if (column == 0) return std::nullopt;
    if (at < reference.size() && reference[at] == '$') ++at;
    const std::size_t digitsStart = at;
    std::int64_t row = 0;
    while (at < reference.size() && IsDigit(reference[at]) && at - digitsStart < 8) {
        row = row * 10 + (reference[at] - '0');
        ++at;
    }
    if (at == digitsStart || at != reference.size() || row < 1 || row > kMaxRows) return std::nullopt;
    return CellPosition{static_cast<std::int32_t>(row), column};
}

std::string CellName(CellPosition position) {
    return ColumnName(position.column) + std::to_string(position.row);
}

}  // namespace trevalco::workbook
