#include "SheetsCommand.h"

#include <string_view>

#include "ConvertCommand.h"
#include "Workbook.h"

namespace trevalco::cli {

const char* const kSheetsHelp =
    "Uso: trevalco-cli sheets LIBRO\n"
    "\n"
    "Escribe los nombres de las hojas de cálculo del libro (.xlsx, .xlsm, .xls u .ods),\n"
    "uno por línea, en el orden del libro. Las hojas de gráfico no se listan.\n"
    "Los libros .xls y .ods se leen con LibreOffice. Un archivo de texto (.csv o\n"
    ".txt) es un libro de una hoja, que se llama como el archivo hasta su primer\n"
    "punto (puntos.csv: puntos).\n"
    "\n"
    "Estado de salida: 0 si se pudo leer el libro, 2 si los argumentos no son\n"
    "válidos, 3 si el libro no se puede leer.\n";

int RunSheets(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    if (argc == 1 && (std::string_view(argv[0]) == "--help" || std::string_view(argv[0]) == "-h")) {
        std::fputs(kSheetsHelp, out);
        return std::fflush(out) == 0 ? kExitOk : kExitFileError;
    }
    if (argc != 1) {
        std::fprintf(err, "trevalco-cli sheets: %s\n\n%s",
                     argc == 0 ? "falta el libro" : "se espera un solo libro", kSheetsHelp);
        return kExitUsage;
    }
    try {
        workbook::Workbook book = workbook::Workbook::Open(argv[0]);
        for (const std::string& name : book.SheetNames()) {
            std::fputs(name.c_str(), out);
            std::fputc('\n', out);
        }
    } catch (const workbook::WorkbookError& error) {
        std::fprintf(err, "trevalco-cli sheets: %s\n", error.what());
        return kExitFileError;
    }
    if (std::fflush(out) != 0 || std::ferror(out)) {
        std::fputs("trevalco-cli: no se pudo escribir la salida\n", err);
        return kExitFileError;
    }
    return kExitOk;
}

}  // namespace trevalco::cli
