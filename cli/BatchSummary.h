// The line `trevalco-cli batch` ends with: how many rows were converted, got
// their source columns only or were skipped, and at which row and why the
// run ended, and which shifts it took.
#pragma once

#include <string>

#include "BatchRun.h"
#include "PageColumns.h"
#include "ShiftSet.h"

namespace trevalco::cli {

// "10 filas convertidas, 1 fila solo con sus columnas de origen, 3 filas
// omitidas; terminó en la fila 14: fin de los datos (tercera fila vacía);
// desplazamientos seed"; empty for a run that never reached its rows.
std::string BatchSummary(const batch::RunResult& result, const batch::PageColumns& page, layers::ShiftSet shifts);

}  // namespace trevalco::cli
