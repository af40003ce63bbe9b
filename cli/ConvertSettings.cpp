#include "ConvertSettings.h"

#include <string_view>

#include "ArgumentValues.h"
#include "LayerOptions.h"

namespace trevalco::cli {

namespace {

std::optional<char> DelimiterFor(std::string_view name) {
    if (name == ";") return ';';
    if (name == ",") return ',';
    if (name == "tab" || name == "\t") return '\t';  // the word, or a tab typed as $'\t'
    return std::nullopt;
}

}  // namespace

ParsedConvertArguments ParseConvertArguments(int argc, const char* const* argv) {
    ParsedConvertArguments parsed;
    ConvertSettings settings;
    auto fail = [&parsed](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };
    for (int i = 0; i < argc; ++i) {
        std::string_view option = argv[i];
        std::string_view value;
        if (option == "--help" || option == "-h") {
            parsed.help = true;
            return parsed;
        }
        if (!option.starts_with("--")) return fail("argumento inesperado: " + std::string(option));
        if (option == "--decimal-comma") {
            settings.decimalComma = true;
            continue;
        }
        if (!IsOneOf(option, {"--direction", "--from", "--zone", "--force-zone", "--delimiter", "--skip-fields",
                              "--skip-lines", "--shifts"}))
            return fail("opción desconocida: " + std::string(option.substr(0, option.find('='))));
        if (const auto given = OptionValue(option, i, argc, argv))
            value = *given;
        else
            return fail("falta el valor de " + std::string(option));
        if (option == "--shifts") {
            const auto shifts = ShiftSetFor(value);
            if (!shifts) return fail("--shifts admite seed o epsg: " + std::string(value));
            settings.shifts = *shifts;
        } else if (option == "--direction") {
            auto key = KeyFor(value);
            if (!key) return fail("dirección desconocida: " + std::string(value));
            settings.key = *key;
        } else if (option == "--from") {
            auto from = NotationFor(value);
            if (!from) return fail("notación desconocida: " + std::string(value));
            settings.from = *from;
        } else if (option == "--zone") {
            auto zone = WholeArgument(value);
            if (!zone || *zone < 1 || *zone > 60)
                return fail("zona inválida (1 a 60): " + std::string(value));
            settings.zone = static_cast<std::int16_t>(*zone);
        } else if (option == "--force-zone") {
            const auto forced = ForcedZoneFor(value);
            if (!forced)
                return fail("zona forzada inválida (12, 13, 16, 17, 18, 19, 20, 21 o 22): " +
                            std::string(value));
            settings.forced = *forced;
        } else if (option == "--delimiter") {
            const auto delimiter = DelimiterFor(value);
            if (!delimiter) return fail("separador inválido (';', ',' o tab): " + std::string(value));
            settings.layout.delimiter = *delimiter;
        } else if (option == "--skip-fields") {
            const auto count = WholeArgument(value);
            if (!count || *count < 0 || *count > 1000)
                return fail("número de campos inválido (0 a 1000): " + std::string(value));
            settings.layout.skipFields = static_cast<std::size_t>(*count);
        } else if (option == "--skip-lines") {
            const auto count = WholeArgument(value);
            if (!count || *count < 0)
                return fail("número de líneas inválido (0 o más): " + std::string(value));
            settings.skipLines = static_cast<std::size_t>(*count);
        } else {
            return fail("opción desconocida: " + std::string(option));
        }
    }
    if (settings.zone && settings.from != core::Notation::Utm)
        return fail("--zone solo se usa con --from utm");
    if (settings.decimalComma && settings.layout.delimiter == ',')
        return fail("--decimal-comma no se puede usar con --delimiter ','");
    parsed.settings = settings;
    return parsed;
}

}  // namespace trevalco::cli
