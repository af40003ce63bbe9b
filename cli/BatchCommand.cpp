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
#include "CommandRun.h"
#include "HelpText.h"
#include "InterruptFlag.h"
#include "LayerLink.h"
#include "RunMessages.h"
#include "TerminalDialogs.h"
#include "TerminalProgress.h"

namespace trevalco::cli {

namespace {

const HelpPage kBatchPage{
    .command = "batch",
    .synopsis = "LIBRO --sheet --from --direction\n"
                "[--zone] [--force-zone] [--columns]\n"
                "[--on-bad-row] [--overwrite] [--recovery-seconds]\n"
                "[--layer [--sirgas]] [--shifts]\n"
                "[--output] [--ignore-lock] [--replace-columns]",
    .about =
        "Convierte los puntos de una hoja de un libro (.xlsx, .xlsm, .xls u .ods) o de\n"
        "un archivo de texto (.csv o .txt), una fila por punto desde la fila 1, como las\n"
        "páginas de \"Calcular Archivo Excel\".\n"
        "El resultado se guarda en la carpeta del libro como NOMBRE_1 con la extensión\n"
        "del libro (NOMBRE: el nombre del archivo hasta su primer punto); el libro de\n"
        "origen no se modifica. La ruta del libro escrito sale por la salida estándar.\n"
        "\n"
        "El libro de salida solo aparece completo: se escribe aparte y se pone en su\n"
        "lugar de una vez al final. Mientras tanto, lo hecho se guarda en\n"
        "\"NOMBRE_1 (incompleto)\" a lo más cada --recovery-seconds segundos; ese\n"
        "archivo se borra al terminar (solo queda si el programa muere de golpe).\n"
        "Si otra conversión está escribiendo el mismo libro de salida,\n"
        "esta se rechaza al empezar (estado 3).\n",
    .column = 21,
    .after =
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
        "estaban.\n"};

std::string OutputPath(const BatchSettings& settings) {
    return settings.output.empty() ? batch::OutputPathOf(settings.workbook)->string() : settings.output;
}

int Convert(const BatchSettings& settings, const InterruptFlag& interrupt, std::FILE* out, std::FILE* err) {
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
    dialogs.SetRowWritten([&run] { return run.RowWritten(); });
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
            if (!OutputWritten(out, err)) return kExitFileError;
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

}  // namespace

int RunBatch(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    // From the start: Ctrl-C at any moment ends the command cleanly.
    const InterruptFlag interrupt;
    return RunCommand(
        kBatchPage.command, [] { return HelpText(kBatchPage, BatchOptions); }, ParseBatchArguments(argc, argv), out, err,
        [&](const BatchSettings& settings) { return Convert(settings, interrupt, out, err); });
}

}  // namespace trevalco::cli
