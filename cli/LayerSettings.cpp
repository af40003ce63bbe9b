#include "LayerSettings.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "ArgumentValues.h"
#include "Options.h"
#include "SirgasCodes.h"

namespace trevalco::cli {

namespace {

// `--to` names a datum as NameOf does, in lower case: psad56, sad69, sirgas.
constexpr std::array kDatums{Datum::Psad56, Datum::Sad69, Datum::Sirgas};

std::string OptionNameOf(Datum datum) {
    std::string name(NameOf(datum));
    for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return name;
}

std::optional<Datum> DatumFor(std::string_view name) {
    for (const Datum datum : kDatums)
        if (name == OptionNameOf(datum)) return datum;
    return std::nullopt;
}

std::vector<std::string> DatumNames() { return NamesOf(kDatums, OptionNameOf); }

// The SIRGAS codes as the layer command's help gives them: WGS 84 and
// SIRGAS 2000 by name, then SIRGAS-Chile's realizations.
std::string SirgasHelp() {
    std::vector<std::string> codes = SirgasCodeNames();
    for (std::string& code : codes) {
        if (code == "4326") code += " (WGS 84)";
        if (code == "4674") code += "\n(SIRGAS 2000)";
    }
    return "el SIRGAS de origen o destino: " + Listed(codes) + "\n(SIRGAS-Chile 2002 a 2021; por omisión " +
           std::to_string(layers::kDefaultSirgas) + ")";
}

}  // namespace

std::vector<Option> LayerOptions(layers::LayerRequest& request) {
    const std::vector<std::string> zones = MainlandZoneNames();
    return {
        {.name = "--to", .value = Alternatives(DatumNames()), .help = "datum de destino: " + Listed(DatumNames()),
         .read = Into(request.target, DatumFor, "--to debe ser " + Listed(DatumNames())), .required = true},
        {.name = "--source-layer", .value = "NOMBRE",
         .help = "la capa a convertir de un archivo con varias,\no la tabla de una entrada PG:",
         .read = TextInto(request.sourceLayer)},
        {.name = "--source-crs", .value = "EPSG:N",
         .help = "sistema de referencia de una capa que no trae uno\n(DXF, CSV), por ejemplo EPSG:24879",
         .read = TextInto(request.sourceCrs)},
        {.name = "--target-layer", .value = "TABLA", .help = "la tabla a escribir en una salida PG:\n(ESQUEMA.TABLA)",
         .read = TextInto(request.targetLayer)},
        {.name = "--target-zone", .value = Alternatives(zones),
         .help = "escribe en la zona UTM " + Listed(zones) + " sur del destino",
         .read = Into(request.targetZone, MainlandZoneFor, "--target-zone debe ser " + Listed(zones))},
        {.name = "--geographic", .help = "escribe en latitud y longitud", .read = Raise(request.geographic)},
        SirgasOption(request.sirgas, SirgasHelp()),
        ShiftsOption(request.shifts, "\n(6971 a 6977), elegidas solo por latitud"),
        {.name = "--report", .value = "ARCHIVO.csv",
         .help = "escribe cada elemento omitido o que cruza un límite de\nbanda: id, causa, latitud y longitud",
         .read = TextInto(request.report)},
        OverwriteOption(request.overwrite, "la salida (y el informe)"),
    };
}

Parsed<layers::LayerRequest> ParseLayerArguments(int argc, const char* const* argv) {
    using Result = Parsed<layers::LayerRequest>;
    layers::LayerRequest request;
    const ArgumentsRead read =
        ReadArguments(LayerOptions(request), {2, "faltan la capa de entrada y la de salida"}, argc, argv);
    if (read.Stopped()) return Result::Unread(read);
    if (request.targetZone && request.geographic) return Result::Refused("--target-zone y --geographic se excluyen");
    request.input = read.operands[0];
    request.output = read.operands[1];
    return {std::move(request)};
}

}  // namespace trevalco::cli
