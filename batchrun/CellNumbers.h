// How the batch runs read a coordinate cell: whether it is empty, and the
// number it holds.
#pragma once

#include <cmath>
#include <optional>
#include <string>
#include <variant>

#include "NumberText.h"
#include "Util.h"

namespace trevalco::batch {

inline bool IsEmpty(const Util::CellValue& value) {
    if (std::holds_alternative<std::monostate>(value)) return true;
    const auto* text = std::get_if<std::string>(&value);
    return text != nullptr && text->empty();
}

// A number, or a text that reads as one; error and boolean cells read as
// texts that are not numbers.
inline std::optional<double> NumberIn(const Util::CellValue& value,
                                      const NumberText::Separators& separators) {
    if (const auto* number = std::get_if<double>(&value))
        return std::isfinite(*number) ? std::optional<double>(*number) : std::nullopt;
    if (const auto* text = std::get_if<std::string>(&value))
        return NumberText::ReadNumber(*text, separators);
    return std::nullopt;
}

}  // namespace trevalco::batch
