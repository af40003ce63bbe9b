// Where a worksheet can hand the written cells of rows that its writes have
// moved past, so that a long run does not hold them all: a text file splices
// them into its output as it goes. The sheet still answers for those cells
// through the spool.
#pragma once

#include <cstdint>
#include <optional>

#include "CellReference.h"
#include "CellValue.h"
#include "WrittenCells.h"

namespace trevalco::workbook {

class RowSpool {
public:
    virtual ~RowSpool() = default;
    // Offered before a write into `row`, when every written cell lies in an
    // earlier row. True when the spool took them all (the sheet then drops
    // them); false leaves them with the sheet.
    virtual bool Take(const WrittenCells& written) = 0;
    // A cell of a row whose written cells the spool took, as it now stands;
    // nothing for every other row.
    virtual std::optional<cells::CellValue> Cell(std::int32_t row, std::int32_t column) const = 0;
    // The range of the cells taken.
    virtual const CellBounds& Bounds() const = 0;
};

}  // namespace trevalco::workbook
