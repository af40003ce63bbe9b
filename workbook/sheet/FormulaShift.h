// Moves a formula as copying it to another cell would: every relative A1
// reference shifts by the distance, absolute ($) parts stay, and texts in
// quotes, sheet names, function names and structured references are left
// alone. A reference shifted off the sheet becomes #REF!.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace trevalco::workbook {

std::string ShiftFormula(std::string_view formula, std::int32_t rows, std::int32_t columns);

}  // namespace trevalco::workbook
