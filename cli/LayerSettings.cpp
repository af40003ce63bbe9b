#include "LayerSettings.h"

#include "ArgumentValues.h"

namespace trevalco::cli {

namespace {

std::optional<Datum> DatumFor(std::string_view text) {
    if (text == "psad56") return Datum::Psad56;
    if (text == "sad69") return Datum::Sad69;
    if (text == "sirgas") return Datum::Sirgas;
    return std::nullopt;
}

}  // namespace

ParsedLayerArguments ParseLayerArguments(int argc, const char* const* argv) {
    ParsedLayerArguments parsed;
    auto fail = [&parsed](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };
    layers::LayerRequest request;
    std::optional<std::string> input, output;
    std::optional<Datum> target;
    for (int i = 0; i < argc; ++i) {
        std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            parsed.help = true;
            return parsed;
        }
        if (!option.starts_with("--")) {
            if (output) return fail("argumento inesperado: " + std::string(option));
            (input ? output : input) = std::string(option);
            continue;
        }
        if (option == "--overwrite" || option == "--geographic") {
            (option == "--overwrite" ? request.overwrite : request.geographic) = true;
            continue;
        }
        const std::optional<std::string_view> value = OptionValue(option, i, argc, argv);
        if (!value) return fail("falta el valor de " + std::string(option));
        if (option == "--to") {
            if (!(target = DatumFor(*value))) return fail("--to debe ser psad56, sad69 o sirgas");
        } else if (option == "--source-layer") {
            request.sourceLayer = std::string(*value);
        } else if (option == "--source-crs") {
            request.sourceCrs = std::string(*value);
        } else if (option == "--target-zone") {
            const std::optional<int> zone = WholeArgument(*value);
            if (zone != 18 && zone != 19) return fail("--target-zone debe ser 18 o 19");
            request.targetZone = zone;
        } else if (option == "--sirgas") {
            const std::optional<int> code = SirgasCodeFor(*value);
            if (!code) return fail(std::string("--sirgas debe ser ") + kSirgasCodesText);
            request.sirgas = *code;
        } else if (option == "--shifts") {
            const std::optional<layers::ShiftSet> shifts = ShiftSetFor(*value);
            if (!shifts) return fail("--shifts debe ser seed o epsg");
            request.shifts = *shifts;
        } else {
            return fail("opción desconocida: " + std::string(option));
        }
    }
    if (!output) return fail("faltan la capa de entrada y la de salida");
    if (!target) return fail("falta --to psad56|sad69|sirgas");
    if (request.targetZone && request.geographic) return fail("--target-zone y --geographic se excluyen");
    request.input = *input;
    request.output = *output;
    request.target = *target;
    parsed.request = std::move(request);
    return parsed;
}

}  // namespace trevalco::cli
