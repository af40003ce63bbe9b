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
                "[--shifts] [--report] [--overwrite]",
    .about =
        "Convierte una capa vectorial completa (GeoPackage, shapefile, KML, GeoJSON,\n"
        "DXF, GML, FlatGeobuf o CSV con columnas X/Y o WKT) entre SIRGAS y PSAD56 o\n"
        "SAD69: cada vértice de cada geometría pasa por la misma conversión de puntos\n"
        "que los libros, con la banda de su propia latitud. Z, M, atributos y orden\n"
        "de los elementos se conservan donde el formato de salida los admite.\n"
        "\n"
        "El datum de origen sale del sistema de referencia de la capa: PSAD56\n"
        "(geográfico o UTM 17S a 20S), SAD69 (EPSG:4618 y sus zonas UTM) o SIRGAS\n"
        "(WGS 84, SIRGAS 2000, SIRGAS-Chile). Una capa en otra proyección de esos\n"
        "datums (Web Mercator EPSG:3857, UTM norte como EPSG:32619, un Mercator\n"
        "transversal o Lambert de SIRGAS) pasa primero por PROJ a las coordenadas\n"
        "geográficas de su datum, sin cambio de datum. Otro datum se rechaza.\n"
        "\n"
        "El formato de salida sigue a la extensión de SALIDA (.gpkg, .shp, .kml,\n"
        ".geojson, .fgb, .dxf, .csv) y su sistema de referencia es el del datum de\n"
        "destino en la misma zona UTM, geográfico si la capa lo era, o en la zona\n"
        "del centro de la capa si estaba en otra proyección. KML siempre está en\n"
        "WGS 84: solo se escribe con --to sirgas. Un DXF se escribe en metros con\n"
        "su .prj al lado.\n"
        "\n"
        "ENTRADA o SALIDA pueden ser una base PostGIS, \"PG:dbname=… host=…\": la\n"
        "tabla de entrada se nombra con --source-layer y la de salida con\n"
        "--target-layer. La tabla se escribe en una sola transacción: aparece\n"
        "completa o no aparece, y se rechaza otra conversión que la escriba a la\n"
        "vez. Su nombre (ESQUEMA.TABLA) sale por la salida estándar.\n",
    .column = 21,
    .after =
        "Un elemento con un vértice que no se puede convertir (sin parámetros, fuera\n"
        "de rango, al norte del ecuador o al este de Greenwich) se omite. El resumen\n"
        "en la salida de errores da una línea por causa: cuántos, los diez primeros\n"
        "identificadores, sus latitudes y qué hacer (sin parámetros: el rango de\n"
        "latitudes del datum, y si SAD69 o --shifts los cubren); otra da los que\n"
        "cruzan un límite de banda. --report da la lista completa. Si no se pudo\n"
        "convertir ningún elemento no se escribe nada. La salida solo aparece\n"
        "completa: se escribe en una carpeta temporal a su lado y se pone en su\n"
        "lugar al final. La ruta escrita sale por la salida estándar.\n"
        "\n"
        "Ejemplo: los vértices de concesiones de un shapefile PSAD56 / UTM 19S a\n"
        "SIRGAS-Chile 2021 / UTM 19S (EPSG:20049):\n"
        "  trevalco-cli layer vertices.shp vertices_sirgas.shp --to sirgas\n"
        "\n"
        "Estado de salida: 0 si se convirtieron todos los elementos, 1 si se escribió\n"
        "la capa con elementos omitidos o no se convirtió ninguno, 2 si los\n"
        "argumentos no sirven (también sin sistema de referencia, --to el datum de\n"
        "la capa, KML fuera de SIRGAS), 3 si la capa no se puede leer o escribir,\n"
        "si la salida ya existe sin --overwrite o si otra conversión la está\n"
        "escribiendo, 130 si se interrumpió (Ctrl-C o SIGTERM): entonces no queda\n"
        "nada escrito.\n"};

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
