#include "SheetsCommand.h"

#include <string>
#include <string_view>

#include "CommandRun.h"
#include "Workbook.h"

namespace trevalco::cli {

namespace {

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

// The workbook: the one argument, whatever it is but --help.
Parsed<std::string> ParseSheetsArguments(int argc, const char* const* argv) {
    if (argc == 1 && (std::string_view(argv[0]) == "--help" || std::string_view(argv[0]) == "-h"))
        return {.help = true};
    if (argc != 1) return Parsed<std::string>::Refused(argc == 0 ? "falta el libro" : "se espera un solo libro");
    return {argv[0]};
}

int ListSheets(const std::string& path, std::FILE* out, std::FILE* err) {
    try {
        workbook::Workbook book = workbook::Workbook::Open(path);
        for (const std::string& name : book.SheetNames()) {
            std::fputs(name.c_str(), out);
            std::fputc('\n', out);
        }
    } catch (const workbook::WorkbookError& error) {
        std::fprintf(err, "trevalco-cli sheets: %s\n", error.what());
        return kExitFileError;
    }
    return OutputWritten(out, err) ? kExitOk : kExitFileError;
}

}  // namespace

int RunSheets(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    return RunCommand(
        "sheets", [] { return std::string(kSheetsHelp); }, ParseSheetsArguments(argc, argv), out, err,
        [&](const std::string& path) { return ListSheets(path, out, err); });
}

}  // namespace trevalco::cli
