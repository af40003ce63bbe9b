#include "ConvertSettings.h"

#include <limits>
#include <string>
#include <string_view>

#include "ArgumentValues.h"
#include "Options.h"

namespace trevalco::cli {

namespace {

std::optional<char> DelimiterFor(std::string_view name) {
    if (name == ";") return ';';
    if (name == ",") return ',';
    if (name == "tab" || name == "\t") return '\t';  // the word, or a tab typed as $'\t'
    return std::nullopt;
}

}  // namespace

std::vector<Option> ConvertOptions(ConvertSettings& s) {
    return {
        DirectionOption(s.key, Presence::WithDefault),
        FromOption(s.from, Presence::WithDefault),
        {.name = "--zone", .value = "N",
         .help = "zona de las líneas UTM que no traen la suya (1 a 60); sin ella,\n"
                 "una línea UTM debe traer su zona; con ella, un tercer campo es\n"
                 "la zona de la línea solo si es un entero de 1 a 60, y si no pasa\n"
                 "sin cambios",
         .read = Into(s.zone, WholeFrom(1, 60), "zona inválida (1 a 60)"), .valueInHelp = true},
        ForceZoneOption(s.forced),
        {.name = "--delimiter", .value = "';'|','|tab",
         .help = "los campos van separados por un solo ';', ',' o tab (tabulador),\n"
                 "con comillas como en un archivo CSV, en vez de por blancos",
         .read = Into(s.layout.delimiter, DelimiterFor, "separador inválido (';', ',' o tab)")},
        {.name = "--decimal-comma",
         .help = "los números se leen y se escriben con \",\" como separador\ndecimal (no con --delimiter ',')",
         .read = Raise(s.decimalComma)},
        {.name = "--skip-fields", .value = "N",
         .help = "los N primeros campos (el nombre del punto) no se leen y se\n"
                 "copian delante de los diez campos de salida; por omisión " + std::to_string(s.layout.skipFields),
         .read = Into(s.layout.skipFields, WholeFrom(0, 1000), "número de campos inválido (0 a 1000)"),
         .valueInHelp = true},
        {.name = "--skip-lines", .value = "N",
         .help = "las N primeras líneas (un encabezado) pasan sin cambios;\npor omisión " + std::to_string(s.skipLines),
         .read = Into(s.skipLines, WholeFrom(0, std::numeric_limits<int>::max()), "número de líneas inválido (0 o más)"),
         .valueInHelp = true},
        ShiftsOption(s.shifts),
    };
}

Parsed<ConvertSettings> ParseConvertArguments(int argc, const char* const* argv) {
    ConvertSettings settings;
    const ArgumentsRead read = ReadArguments(ConvertOptions(settings), {}, argc, argv);
    if (read.Stopped()) return Parsed<ConvertSettings>::Unread(read);
    if (settings.zone && settings.from != core::Notation::Utm)
        return Parsed<ConvertSettings>::Refused("--zone solo se usa con --from utm");
    if (settings.decimalComma && settings.layout.delimiter == ',')
        return Parsed<ConvertSettings>::Refused("--decimal-comma no se puede usar con --delimiter ','");
    return {settings};
}

}  // namespace trevalco::cli
