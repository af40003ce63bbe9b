// Streams a worksheet part into a CellGrid: values only, never a tree.
#pragma once

#include <cstddef>
#include <string>

#include "CellGrid.h"

namespace trevalco::workbook {

class ZipArchive;
class PartSource;

// Texts shown for boolean cells.
inline constexpr const char* kTrueText = "VERDADERO";
inline constexpr const char* kFalseText = "FALSO";
// Text read from a formula cell that holds no result (never calculated): not
// a number and not empty, so that it is never taken for a value or for the
// end of the data.
inline constexpr const char* kNoResultText = "#¿SIN RESULTADO?";

// Reads every cell of the part; rows that repeat or come out of order are
// read, and the first of them is noted in the grid (RowOrderFault). Shared-text
// indexes are checked against the table when a cell is read (Worksheet).
// Throws WorkbookError for damaged XML, references outside the sheet and
// indexes that are not numbers of 32 bits.
CellGrid ReadSheet(const ZipArchive& archive, const std::string& part);
// The rows are read on other threads as well, in pieces of about
// `pieceBytes` (0: all on this thread); the result is the same.
inline constexpr std::size_t kRowsPieceBytes = 1 << 20;
CellGrid ReadSheet(PartSource& source, const std::string& part, std::size_t pieceBytes = kRowsPieceBytes);

}  // namespace trevalco::workbook
