// The one error a workbook operation reports: its text is ready to be shown
// to the user as it is (Spanish, names the file or sheet concerned).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "OutputError.h"

namespace trevalco::workbook {

// Errors of the files a run saves (safeoutput) are workbook errors too: one
// catch reports both.
using WorkbookError = output::OutputError;

// An operation given up because the caller asked it to stop (Ctrl-C, the
// program ending): not a failure to report, and nothing was left half done.
class Interrupted : public std::runtime_error {
public:
    Interrupted() : std::runtime_error("interrumpido") {}
};

// Why a sheet part whose rows repeat or come out of order cannot be written.
inline std::string RowsOutOfOrderText(const std::string& part, std::int32_t row, std::int32_t after) {
    return "la parte " + part + " tiene las filas fuera de orden (fila " + std::to_string(row) + " después de la " +
           std::to_string(after) + "): no se puede escribir en ella sin dañarla";
}

}  // namespace trevalco::workbook
