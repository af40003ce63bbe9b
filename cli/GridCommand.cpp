#include "GridCommand.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "ArgumentValues.h"
#include "CommandRun.h"
#include "Gdal.h"
#include "GridFile.h"
#include "HelpText.h"
#include "Options.h"

namespace trevalco::cli {

namespace {

struct GridSettings {
    layers::GridRequest request;
    bool overwrite = false;
    std::string output;
};

std::string Degrees(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10f", value);
    std::string written = text;
    written.erase(written.find_last_not_of('0') + 1);
    if (written.back() == '.') written.pop_back();
    return written;
}

// Millimetres on the ground of a latitude span, to a tenth.
std::string Millimetres(double degrees) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", degrees * 111320 * 1000);
    return text;
}

const HelpPage& GridPage() {
    static const std::string after =
        "Cada límite de banda recibe la banda que le da el programa: del lado de esa\n"
        "banda, una franja de " + Degrees(layers::kLimitDepth) + " grados, con nodos cada " +
        Degrees(layers::kLimitStep) + " grados a lo largo\n"
        "del límite, va antes que las demás subgrillas. Del otro lado, PROJ aún toma\n"
        "la franja a menos de " + Degrees(layers::kSliver) + " grados del límite (" + Millimetres(layers::kSliver) +
        " mm): ahí un punto\n"
        "recibe la banda del límite; a 0.00001 grados (1 m) o más, siempre la suya.\n"
        "PSAD56 no tiene parámetros justo en 17 S ni en 44 S: ahí la grilla da las\n"
        "bandas 1 y 3. La grilla de SAD69 llega " + Degrees(layers::kLimitDepth) + " grados al norte de 17 S, con\n"
        "el desplazamiento que el programa da en 17 S.\n"
        "\n"
        "La grilla solo aparece completa: se escribe en una carpeta temporal a su\n"
        "lado y se pone en su lugar al final. La ruta escrita sale por la salida\n"
        "estándar.\n"
        "\n"
        "Ejemplo: la grilla de PSAD56 a SIRGAS, y un punto con ella (cct de PROJ):\n"
        "  trevalco-cli grid --direction PSAD56_SIRGAS psad56_sirgas.gsb\n"
        "  echo \"-70.65 -33.45\" | cct -z 0 -t 0 +proj=hgridshift +grids=$PWD/psad56_sirgas.gsb\n"
        "\n"
        "Estado de salida: 0 si se escribió la grilla, 2 si los argumentos no sirven\n"
        "(también una extensión que no es .gsb ni .tif, o una dirección sin\n"
        "parámetros en las latitudes pedidas), 3 si la grilla no se puede escribir o\n"
        "ya existe sin --overwrite.\n";
    static const HelpPage page{
        .command = "grid",
        .synopsis = "SALIDA --direction\n[--step] [--latitudes] [--shifts] [--overwrite]",
        .about =
            "Escribe la grilla de desplazamientos horizontales de una dirección, NTv2\n"
            "(.gsb) o GeoTIFF de PROJ (.tif), para PROJ, QGIS, GDAL, PostGIS y ArcGIS\n"
            "(+proj=hgridshift +grids=SALIDA). Cada nodo lleva el resultado de la misma\n"
            "conversión de puntos que los libros, con el desplazamiento de su banda. La\n"
            "grilla cubre las latitudes donde la dirección tiene parámetros (PSAD56: 17\n"
            "a 44 S; SAD69: 17 a 56 S) y las longitudes 66 a 76 W, con una subgrilla\n"
            "por banda que termina justo en el límite de la banda.\n",
        .column = 26,
        .after = after};
    return page;
}

// A number written with "." or "," as decimal point.
std::optional<double> Decimal(std::string_view text) {
    std::string written(text);
    for (char& c : written)
        if (c == ',') c = '.';
    double value = 0.0;
    const auto [end, error] = std::from_chars(written.data(), written.data() + written.size(), value);
    if (written.empty() || error != std::errc() || end != written.data() + written.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// --step: a whole fraction of a degree (1/n) within the limits of ShiftGrid.h.
OptionReader StepInto(double& step) {
    return [&step](std::string_view text) -> Refusal {
        const std::string range = " (de " + Degrees(layers::kFinestStep) + " a " + Degrees(layers::kCoarsestStep) + ")";
        const std::optional<double> value = Decimal(text);
        if (!value || *value <= 0) return "--step espera un número de grados" + range + ": " + std::string(text);
        if (*value > layers::kCoarsestStep + 1e-12)
            return "--step " + std::string(text) + " es demasiado grueso: entre los nodos la grilla se apartaría "
                   "de las bandas hasta 1 mm o más" + range;
        if (*value < layers::kFinestStep - 1e-12)
            return "--step " + std::string(text) + " es demasiado fino: la grilla pesaría cientos de megabytes" + range;
        const double parts = std::round(1 / *value);
        if (std::fabs(parts * *value - 1) > 1e-9)
            return "--step debe dividir un grado en partes iguales (0.05 = 1/20, 0.1 = 1/10): " + std::string(text);
        step = 1 / parts;
        return std::nullopt;
    };
}

// --latitudes DESDE:HASTA, degrees south.
OptionReader LatitudesInto(limits::Range& latitudes) {
    return [&latitudes](std::string_view text) -> Refusal {
        const std::size_t colon = text.find(':');
        const std::string range = Degrees(limits::kLatitude.low) + " y " + Degrees(limits::kLatitude.high);
        const Refusal refusal =
            "--latitudes espera DESDE:HASTA en grados sur, de norte a sur, entre " + range + ": " + std::string(text);
        if (colon == text.npos) return refusal;
        const std::optional<double> from = Decimal(text.substr(0, colon)), to = Decimal(text.substr(colon + 1));
        if (!from || !to || !(*from < *to) || !limits::kLatitude.Holds(*from) || !limits::kLatitude.Holds(*to))
            return refusal;
        latitudes = {*from, *to};
        return std::nullopt;
    };
}

std::vector<Option> GridOptions(GridSettings& settings) {
    const std::string latitudes = Degrees(limits::kLatitude.low) + ":" + Degrees(limits::kLatitude.high);
    return {
        DirectionOption(settings.request.direction, Presence::Required),
        {.name = "--step", .value = "GRADOS",
         .help = "separación de los nodos: una fracción entera de un grado, de\n" + Degrees(layers::kFinestStep) +
                 " a " + Degrees(layers::kCoarsestStep) + "; por omisión " + Degrees(settings.request.step),
         .read = StepInto(settings.request.step), .valueInHelp = true},
        {.name = "--latitudes", .value = "DESDE:HASTA",
         .help = "solo esas latitudes (grados sur); por omisión " + latitudes + ",\nrecortadas a las que tienen "
                 "parámetros",
         .read = LatitudesInto(settings.request.latitudes), .valueInHelp = true},
        ShiftsOption(settings.request.shifts, "\n(6971 a 6977), elegidas solo por latitud"),
        OverwriteOption(settings.overwrite, "la grilla"),
    };
}

Parsed<GridSettings> ParseGridArguments(int argc, const char* const* argv) {
    using Result = Parsed<GridSettings>;
    GridSettings settings;
    const ArgumentsRead read = ReadArguments(GridOptions(settings), {1, "falta la grilla de salida (.gsb o .tif)"},
                                             argc, argv);
    if (read.Stopped()) return Result::Unread(read);
    settings.output = read.operands[0];
    if (!layers::GridFormatOf(settings.output))
        return Result::Refused("«" + settings.output + "»: la grilla se escribe como .gsb (NTv2) o .tif (GeoTIFF "
                               "de PROJ)");
    return {std::move(settings)};
}

int Write(const GridSettings& settings, std::FILE* out, std::FILE* err) {
    try {
        const layers::ShiftGrid grid = layers::BuildGrid(settings.request);
        const layers::GridLabel label{TREVALCO_VERSION};
        layers::WriteGrid(grid, label, settings.output, settings.overwrite);
        std::vector<std::string> bands;
        for (const limits::Range& band : grid.bands) bands.push_back(Degrees(band.low) + " a " + Degrees(band.high));
        std::fprintf(err, "trevalco-cli grid: %s: %s S, %s a %s W; %zu %s\n",
                     layers::GridDescription(grid, label).c_str(), Listed(bands, " y ").c_str(),
                     Degrees(limits::kLongitude.low).c_str(), Degrees(limits::kLongitude.high).c_str(),
                     grid.pieces.size(), grid.pieces.size() == 1 ? "subgrilla" : "subgrillas");
        std::fprintf(out, "%s\n", settings.output.c_str());
        return OutputWritten(out, err) ? kExitOk : kExitFileError;
    } catch (const layers::LayerUsageError& error) {
        std::fprintf(err, "trevalco-cli grid: %s\n", error.what());
        return kExitUsage;
    } catch (const std::exception& error) {
        std::fprintf(err, "trevalco-cli grid: %s\n", error.what());
        return kExitFileError;
    }
}

}  // namespace

int RunGrid(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    return RunCommand(
        GridPage().command, [] { return HelpText(GridPage(), GridOptions); }, ParseGridArguments(argc, argv), out, err,
        [&](const GridSettings& settings) { return Write(settings, out, err); });
}

}  // namespace trevalco::cli
