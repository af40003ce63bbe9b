#include "BatchSummary.h"

#include "CellReference.h"
#include "CountText.h"

namespace trevalco::cli {

namespace {

std::string Count(std::int32_t count, const char* one, const char* many) {
    return CountText(static_cast<unsigned long long>(count), one, many);
}

// The page's end-of-data rule, as the row that ended the data.
const char* DataEnd(const batch::PageColumns& page) {
    if (std::holds_alternative<batch::DecimalColumns>(page)) return "tercera fila vacía";
    if (std::holds_alternative<batch::DmsColumns>(page)) return "cuarta fila omitida";
    return "cuarta fila vacía";
}

std::string AtRow(const char* what, std::int32_t row) {
    return row > 0 ? std::string(what) + " en la fila " + std::to_string(row) : std::string(what) + " antes de la fila 1";
}

}  // namespace

std::string BatchSummary(const batch::RunResult& result, const batch::PageColumns& page, layers::ShiftSet shifts) {
    std::string why;
    switch (result.end) {
        case batch::RunEnd::Completed:
            why = AtRow("terminó", result.lastRow) + (result.lastRow >= workbook::kMaxRows
                                                           ? std::string(": fin de la hoja")
                                                           : ": fin de los datos (" + std::string(DataEnd(page)) + ")");
            break;
        case batch::RunEnd::Cancelled:
            why = AtRow("se detuvo", result.lastRow) + ": fila inválida (--on-bad-row stop)";
            break;
        case batch::RunEnd::Stopped:
            why = AtRow("interrumpido", result.lastRow) + " (Ctrl-C o SIGTERM): no se escribió ningún libro";
            break;
        case batch::RunEnd::Failed:
            if (result.lastRow == 0) return {};
            why = AtRow("falló", result.lastRow) + ": no se escribió ningún libro";
            break;
        case batch::RunEnd::Precondition:
        case batch::RunEnd::KeptOutput:
        case batch::RunEnd::OfficeLocked:
        case batch::RunEnd::KeptColumns:
        case batch::RunEnd::OutputInUse:
            return {};
    }
    return Count(result.rowsConverted, "fila convertida", "filas convertidas") + ", " +
           Count(result.rowsSourceOnly, "fila solo con sus columnas de origen",
                 "filas solo con sus columnas de origen") +
           ", " + Count(result.rowsSkipped, "fila omitida", "filas omitidas") +
           (result.rowsUnreached > 0 ? ", " + Count(result.rowsUnreached, "fila sin alcanzar", "filas sin alcanzar") : "") +
           "; " + why + "; desplazamientos " + layers::ShiftSetName(shifts);
}

}  // namespace trevalco::cli
