#include "CellValue.h"

#include <cmath>

namespace trevalco::cells {

bool IsEmptyCell(const CellValue& value) {
    if (std::holds_alternative<std::monostate>(value)) return true;
    const auto* text = std::get_if<std::string>(&value);
    return text != nullptr && text->empty();
}

std::optional<double> NumberIn(const CellValue& value, const number_text::Separators& separators) {
    if (const auto* number = std::get_if<double>(&value))
        return std::isfinite(*number) ? std::optional<double>(*number) : std::nullopt;
    if (const auto* text = std::get_if<std::string>(&value)) return number_text::ReadNumber(*text, separators);
    return std::nullopt;
}

}  // namespace trevalco::cells
