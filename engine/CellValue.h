// What a spreadsheet cell (or a field of a text line) holds, and the number
// in it. No geodesy: the workbook library and the batch run use it as is.
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "NumberText.h"

namespace trevalco::cells {

// Nothing, a number, or a text.
using CellValue = std::variant<std::monostate, double, std::string>;

// Nothing, or the empty text.
bool IsEmptyCell(const CellValue& value);

// A number, or a text that reads as one with the separators; nothing for an
// empty cell, a text that is no number, or a number that is not finite.
std::optional<double> NumberIn(const CellValue& value, const number_text::Separators& separators);

}  // namespace trevalco::cells
