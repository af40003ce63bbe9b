#include "BatchCommand.h"

#include <unistd.h>

#include <chrono>
#include <memory>
#include <filesystem>
#include <string>
#include <variant>

#include "BatchRun.h"
#include "BatchSettings.h"
#include "BatchSummary.h"
#include "ConvertCommand.h"
#include "InterruptFlag.h"
#include "LayerLink.h"
#include "RunMessages.h"
#include "TerminalDialogs.h"
#include "TerminalProgress.h"

namespace trevalco::cli {

const char* const kBatchHelp =
    "Uso: trevalco-cli batch LIBRO --sheet HOJA --from dd|dms|utm --direction DIRECCIÓN\n"
    "                        [--zone 18|19] [--force-zone N] [--columns ROL=COLUMNA,...]\n"
    "                        [--on-bad-row skip|stop] [--overwrite] [--recovery-seconds N]\n"
    "                        [--layer SALIDA [--sirgas CÓDIGO]] [--shifts seed|epsg]\n"
    "                        [-o|--output RUTA] [--ignore-lock] [--replace-columns]\n"
    "\n"
    "Convierte los puntos de una hoja de un libro (.xlsx, .xlsm, .xls u .ods) o de\n"
    "un archivo de texto (.csv o .txt), una fila por punto desde la fila 1, como las\n"
    "páginas de \"Calcular Archivo Excel\".\n"
    "El resultado se guarda en la carpeta del libro como NOMBRE_1 con la extensión\n"
    "del libro (NOMBRE: el nombre del archivo hasta su primer punto); el libro de\n"
    "origen no se modifica. La ruta del libro escrito sale por la salida estándar.\n"
    "\n"
    "El libro de salida solo aparece completo: se escribe aparte y se pone en su\n"
    "lugar de una vez al final. Cada 1000 filas se guarda lo hecho en\n"
    "\"NOMBRE_1 (incompleto)\", que se borra al terminar (solo queda si el programa\n"
    "muere de golpe). Si otra conversión está escribiendo el mismo libro de salida,\n"
    "esta se rechaza al empezar (estado 3).\n"
    "\n"
    "Opciones:\n"
    "  --sheet HOJA       la hoja a convertir (obligatoria)\n"
    "  --from             dd (grados decimales), dms (grados, minutos y segundos) o utm\n"
    "                     (obligatoria)\n"
    "  --direction        SIRGAS_PSAD56, SIRGAS_SAD69, PSAD56_SIRGAS o SAD69_SIRGAS,\n"
    "                     en mayúsculas o minúsculas (obligatoria)\n"
    "  --zone 18|19       zona de todas las filas de una hoja UTM (obligatoria con\n"
    "                     --from utm)\n"
    "  --force-zone N     fuerza la zona de las proyecciones: 12, 13, 16, 17, 18, 19, 20, 21 o 22\n"
    "  --columns          columnas de cada rol, por ejemplo lat=C,lon=B; por omisión\n"
    "                     las que ofrece primero cada selector de la página:\n"
    "                       dd:  lat=B lon=C n=D e=E lat2=F lon2=G n2=H e2=I\n"
    "                       dms: latd=B latm=C lats=D lond=E lonm=F lons=G lat=H lon=I\n"
    "                            n=J e=K lat2=L lon2=M n2=N e2=O\n"
    "                       utm: n=B e=C lat=D lon=E n2=F e2=G lat2=H lon2=I\n"
    "                     (lat, lon, n, e: origen; lat2, lon2, n2, e2: destino;\n"
    "                     latd, latm, lats, lond, lonm, lons: grados, minutos, segundos)\n"
    "  --on-bad-row       ante una fila inválida: skip la omite, stop detiene la\n"
    "                     conversión y guarda lo hecho; por omisión skip. Las filas\n"
    "                     vacías tras la última fila con datos son el final de los\n"
    "                     datos, no filas inválidas\n"
    "  --overwrite        reemplaza el libro de salida si ya existe\n"
    "  -o, --output RUTA  el libro de salida, con la extensión del libro y nunca el\n"
    "                     libro mismo (por omisión NOMBRE_1 en su carpeta)\n"
    "  --ignore-lock      reemplaza el libro de salida aunque LibreOffice lo tenga\n"
    "                     abierto (un aviso \".~lock.NOMBRE_1.xlsx#\" que quedó de un\n"
    "                     cierre inesperado); si no, se rechaza (estado 3)\n"
    "  --replace-columns  escribe aunque las columnas de salida ya tengan datos en\n"
    "                     filas que se van a convertir; si no, se rechaza (estado 2)\n"
    "  --recovery-seconds N  guarda el libro incompleto a lo más cada N segundos\n"
    "                     (0: cada 1000 filas); por omisión 5\n"
    "  --layer SALIDA     escribe además los puntos convertidos como capa (.gpkg,\n"
    "                     .shp, .kml, .geojson, .fgb, .dxf o .csv): nombre (rol name,\n"
    "                     columna A por omisión), origen y destino, y el\n"
    "                     desplazamiento de su banda; en el datum de destino, en la\n"
    "                     zona forzada, si no en la de la hoja UTM, si no geográfica\n"
    "  --sirgas CÓDIGO    el SIRGAS de la capa: 4326, 4674, 5360, 8949, 9148, 9153\n"
    "                     o 20041 (SIRGAS-Chile 2021, por omisión)\n"
    "  --shifts           seed: las bandas del programa (por omisión); epsg: las\n"
    "                     transformaciones publicadas por EPSG para Chile\n"
    "  --help             muestra esta ayuda\n"
    "\n"
    "Los números de las celdas de texto se leen y escriben con \".\" como separador\n"
    "decimal. Los avisos de cada fila salen por la salida de errores con su número\n"
    "de fila; en una terminal se muestra además una barra de avance. Al final, una\n"
    "línea resume las filas convertidas, las que solo tienen sus columnas de\n"
    "origen y las omitidas, y en qué fila y por qué terminó la conversión.\n"
    "\n"
    "Un archivo de texto es un libro de una hoja, que se llama como el archivo\n"
    "hasta su primer punto (--sheet puntos para puntos.csv); cada línea es una fila\n"
    "y cada campo una columna. El separador (\";\", \",\" o tabulador), el separador\n"
    "decimal (\",\" o \".\"), la codificación (UTF-8 o Windows-1252) y los finales\n"
    "de línea se deducen del archivo, y la salida NOMBRE_1.csv (o .txt) los\n"
    "conserva: solo cambian los campos escritos; lo demás queda byte a byte.\n"
    "\n"
    "El final de los datos: tras la última fila con datos en alguna columna de\n"
    "entrada, la tercera fila vacía (dd), la cuarta fila vacía (utm) o la cuarta\n"
    "fila omitida (dms). Las filas vacías entre datos se avisan, pero no cuentan.\n"
    "\n"
    "Estado de salida: 0 si la conversión llegó al final de los datos, 1 si se\n"
    "detuvo en una fila inválida (--on-bad-row stop) o quedaron filas con datos sin\n"
    "convertir, 2 si los argumentos no son válidos o las columnas de salida ya\n"
    "tienen datos (sin --replace-columns), 3 si el libro no se puede leer o\n"
    "escribir, si el libro de salida ya existe sin --overwrite, si LibreOffice lo\n"
    "tiene abierto (sin --ignore-lock) o si otra conversión lo está escribiendo,\n"
    "130 si se interrumpió (Ctrl-C o SIGTERM): entonces los archivos quedan como\n"
    "estaban.\n";

namespace {

std::string OutputPath(const BatchSettings& settings) {
    return settings.output.empty() ? batch::OutputPathOf(settings.workbook)->string() : settings.output;
}

}  // namespace

int RunBatch(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    // From the start: Ctrl-C at any moment ends the command cleanly.
    const InterruptFlag interrupt;
    const ParsedBatchArguments parsed = ParseBatchArguments(argc, argv);
    if (parsed.help) {
        std::fputs(kBatchHelp, out);
        return std::fflush(out) == 0 ? kExitOk : kExitFileError;
    }
    if (!parsed.settings) {
        std::fprintf(err, "trevalco-cli batch: %s\n\n%s", parsed.error.c_str(), kBatchHelp);
        return kExitUsage;
    }
    const BatchSettings& settings = *parsed.settings;

    // The layer is refused (its format, KML outside SIRGAS, its lock) before
    // the workbook is opened.
    std::unique_ptr<BatchLayer> pointLayer;
    std::string layerFailure;
    if (settings.layer) {
        OpenedBatchLayer opened = OpenBatchLayer(settings);
        if (!opened.layer) {
            std::fprintf(err, "trevalco-cli batch: %s\n", opened.error.c_str());
            return opened.usage ? kExitUsage : kExitFileError;
        }
        pointLayer = std::move(opened.layer);
    }

    TerminalProgress progress(err, ::isatty(::fileno(err)) == 1);
    TerminalDialogs dialogs(err, settings.onBadRow, progress);
    batch::RunSetup setup;
    setup.workbookPath = settings.workbook;
    setup.sheetName = settings.sheet;
    setup.columns = settings.columns;
    setup.directionKey = [key = settings.key] { return key; };
    setup.forcedZone = [forced = settings.forced] { return forced; };
    setup.separators = number_text::Invariant();
    setup.pumpEvents = [] {};
    setup.stopRequested = [&interrupt] { return interrupt.Requested(); };
    setup.interimSaveSpacing = std::chrono::seconds(settings.recoverySeconds);
    setup.existingOutput = settings.overwrite ? batch::ExistingOutput::Replace : batch::ExistingOutput::Refuse;
    setup.officeLock = settings.ignoreLock ? batch::ExistingOutput::Replace : batch::ExistingOutput::Refuse;
    setup.outputPath = settings.output;
    setup.filledColumns = settings.replaceColumns ? batch::ExistingOutput::Replace : batch::ExistingOutput::Refuse;
    setup.announceOutput = false;
    setup.shifts = ShiftsFor(settings.shifts);
    if (pointLayer) {
        setup.nameColumn = settings.nameColumn;
        setup.converted = [&pointLayer, &layerFailure](const batch::ConvertedRow& row) {
            if (!layerFailure.empty()) return;
            try {
                pointLayer->Add(row.row, row.name, row.outcome);
            } catch (const std::exception& error) {
                layerFailure = error.what();
            }
        };
    }
    batch::BatchRun run(std::move(setup), dialogs, progress);
    dialogs.SetRowSource([&run] { return run.CurrentRow(); });
    dialogs.SetPastData([&run] { return run.PastData(); });
    const batch::RunResult result = run.Run();

    progress.ClearLine();
    if (const std::string summary = BatchSummary(result, settings.columns, settings.shifts); !summary.empty())
        std::fprintf(err, "trevalco-cli batch: %s\n", summary.c_str());
    switch (result.end) {
        case batch::RunEnd::Completed:
        case batch::RunEnd::Cancelled:
            std::fprintf(out, "%s\n", result.output->string().c_str());
            if (pointLayer && layerFailure.empty()) {
                try {
                    pointLayer->Commit();
                    std::fprintf(out, "%s\n", settings.layer->c_str());
                } catch (const std::exception& error) {
                    layerFailure = error.what();
                }
            }
            if (!layerFailure.empty()) {
                std::fprintf(err, "trevalco-cli batch: el libro se guardó, la capa no: %s\n", layerFailure.c_str());
                return kExitFileError;
            }
            if (std::fflush(out) != 0 || std::ferror(out)) {
                std::fputs("trevalco-cli: no se pudo escribir la salida\n", err);
                return kExitFileError;
            }
            return result.end == batch::RunEnd::Completed && result.rowsUnreached == 0 ? kExitOk : kExitStoppedAtBadRow;
        case batch::RunEnd::Stopped:
            return kExitInterrupted;
        case batch::RunEnd::KeptOutput:
            std::fprintf(err, "trevalco-cli batch: ya existe «%s»; use --overwrite para reemplazarlo\n",
                         OutputPath(settings).c_str());
            break;
        case batch::RunEnd::KeptColumns:
            std::fprintf(err,
                         "trevalco-cli batch: las columnas %s ya tienen datos en %d filas que se van a convertir "
                         "(la primera, %s); use --replace-columns para reemplazarlos, o --columns para elegir otras\n",
                         result.filledColumns->columns.c_str(), result.filledColumns->rows,
                         result.filledColumns->firstCell.c_str());
            return kExitUsage;
        case batch::RunEnd::OfficeLocked:
            std::fprintf(err,
                         "trevalco-cli batch: %s Ciérrelo en LibreOffice; si ya no está abierto (el aviso quedó "
                         "de un cierre inesperado), use --ignore-lock para reemplazarlo.\n",
                         batch::OfficeLockStatement(OutputPath(settings), *result.officeLock).c_str());
            break;
        case batch::RunEnd::Precondition:
        case batch::RunEnd::OutputInUse:
        case batch::RunEnd::Failed:
            break;
    }
    return kExitFileError;
}

}  // namespace trevalco::cli
