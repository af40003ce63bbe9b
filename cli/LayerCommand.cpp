#include "LayerCommand.h"

#include <string>

#include "CommandRun.h"
#include "HelpText.h"
#include "InterruptFlag.h"
#include "LayerSettings.h"
#include "LayerSummaryText.h"

namespace trevalco::cli {

namespace {

const HelpPage kLayerPage{
    .command = "layer",
    .synopsis = "ENTRADA SALIDA --to\n"
                "[--source-layer] [--source-crs] [--target-layer]\n"
                "[--target-zone | --geographic] [--sirgas]\n"
                "[--shifts] [--overwrite]",
    .about =
        "Convierte una capa vectorial completa (GeoPackage, shapefile, KML, GeoJSON,\n"
        "DXF, GML, FlatGeobuf o CSV con columnas X/Y o WKT) entre SIRGAS y PSAD56 o\n"
        "SAD69: cada vértice de cada geometría pasa por la misma conversión de puntos\n"
        "que los libros, con la banda de su propia latitud. Z, M, atributos y orden\n"
        "de los elementos se conservan donde el formato de salida los admite.\n"
        "\n"
        "El datum de origen sale del sistema de referencia de la capa: PSAD56\n"
        "(geográfico o UTM 17S a 20S), SAD69 (EPSG:4618 y sus zonas UTM) o SIRGAS\n"
        "(WGS 84, SIRGAS 2000, SIRGAS-Chile). El formato de salida sigue a la\n"
        "extensión de SALIDA (.gpkg, .shp, .kml, .geojson, .fgb, .dxf, .csv) y su\n"
        "sistema de referencia es el del datum de destino en la misma zona UTM, o\n"
        "geográfico si la capa lo era. KML siempre está en WGS 84: solo se escribe\n"
        "con --to sirgas. Un DXF se escribe en metros con su .prj al lado.\n"
        "\n"
        "ENTRADA o SALIDA pueden ser una base PostGIS, \"PG:dbname=… host=…\": la\n"
        "tabla de entrada se nombra con --source-layer y la de salida con\n"
        "--target-layer. La tabla se escribe en una sola transacción: aparece\n"
        "completa o no aparece, y se rechaza otra conversión que la escriba a la\n"
        "vez. Su nombre (ESQUEMA.TABLA) sale por la salida estándar.\n",
    .column = 21,
    .after =
        "Un elemento con un vértice que no se puede convertir (sin parámetros, fuera\n"
        "de rango, al norte del ecuador o al este de Greenwich) se omite; el resumen\n"
        "en la salida de errores nombra cada uno y por qué, y los que cruzan un\n"
        "límite de banda con su latitud. La salida solo aparece completa: se escribe\n"
        "en una carpeta temporal a su lado y se pone en su lugar al final. La ruta\n"
        "escrita sale por la salida estándar.\n"
        "\n"
        "Ejemplo: los vértices de concesiones de un shapefile PSAD56 / UTM 19S a\n"
        "SIRGAS-Chile 2021 / UTM 19S (EPSG:20049):\n"
        "  trevalco-cli layer vertices.shp vertices_sirgas.shp --to sirgas\n"
        "\n"
        "Estado de salida: 0 si se convirtieron todos los elementos, 1 si se escribió\n"
        "la capa con elementos omitidos, 2 si los argumentos no sirven (también sin\n"
        "sistema de referencia, --to el datum de la capa, KML fuera de SIRGAS), 3 si\n"
        "la capa no se puede leer o escribir, si la salida ya existe sin --overwrite\n"
        "o si otra conversión la está escribiendo, 130 si se interrumpió (Ctrl-C o\n"
        "SIGTERM): entonces no queda nada escrito.\n"};

// The run's summary; where nothing was converted, that nothing was written.
void PrintSummary(std::FILE* err, const layers::LayerSummary& summary, const layers::LayerRequest& request) {
    std::fprintf(err, "trevalco-cli layer: %s\n", CountsLine(summary, request.shifts).c_str());
    for (const layers::CauseGroup& group : summary.causes)
        std::fprintf(err, "trevalco-cli layer: %s\n", CauseLine(group, summary, request).c_str());
    if (!summary.causes.empty() && !request.report)
        std::fputs("trevalco-cli layer: la lista completa, con la latitud y la longitud de cada uno: "
                   "--report ARCHIVO.csv\n",
                   err);
    if (summary.nothingConverted)
        std::fprintf(err, "trevalco-cli layer: no se convirtió ningún elemento: no se escribió «%s»\n",
                     request.output.c_str());
}

int Convert(const layers::LayerRequest& request, std::FILE* out, std::FILE* err) {
    const InterruptFlag interrupt;
    // The summary gathers the features by cause; the report lists them.
    struct Quiet final : layers::LayerListener {
    } quiet;
    try {
        const layers::LayerSummary summary =
            layers::ConvertLayer(request, quiet, [&interrupt] { return interrupt.Requested(); });
        if (summary.interrupted) {
            std::fputs("trevalco-cli layer: interrumpido; no se escribió nada\n", err);
            return kExitInterrupted;
        }
        PrintSummary(err, summary, request);
        if (summary.nothingConverted) return kExitSomeNotConverted;
        std::fprintf(out, "%s\n", summary.table.empty() ? request.output.c_str() : summary.table.c_str());
        if (!OutputWritten(out, err)) return kExitFileError;
        return summary.leftOut == 0 ? kExitOk : kExitSomeNotConverted;
    } catch (const layers::LayerUsageError& error) {
        std::fprintf(err, "trevalco-cli layer: %s\n", error.what());
        return kExitUsage;
    } catch (const std::exception& error) {
        std::fprintf(err, "trevalco-cli layer: %s\n", error.what());
        return kExitFileError;
    }
}

}  // namespace

int RunLayer(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    return RunCommand(
        kLayerPage.command, [] { return HelpText(kLayerPage, LayerOptions); }, ParseLayerArguments(argc, argv), out, err,
        [&](const layers::LayerRequest& request) { return Convert(request, out, err); });
}

}  // namespace trevalco::cli
