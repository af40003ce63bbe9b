#include "CommandLine.h"

#include <QTabWidget>

#include "Velmar.h"
#include "batch/WorkbookChoice.h"

namespace trevalco::app {

namespace {

constexpr int kBatchTab = 1;  // "Calcular Archivo Excel"

CommandLine Refused(const QString& why) { return {CommandLine::Action::Refuse, {}, why}; }

}  // namespace

CommandLine ReadCommandLine(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--")) break;
        if (argument == QLatin1String("--version")) return {CommandLine::Action::PrintVersion, {}, {}};
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return {CommandLine::Action::PrintHelp, {}, {}};
    }
    CommandLine line;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            return Refused(QStringLiteral("opción desconocida: %1").arg(argument));
        } else if (argument.isEmpty()) {
            return Refused(QStringLiteral("el nombre del libro está vacío"));
        } else if (!line.workbook.isEmpty()) {
            return Refused(QStringLiteral("se espera un solo libro"));
        } else {
            line.workbook = argument;
        }
    }
    return line;
}

QString UsageText() {
    return QStringLiteral(
        "Uso: trevalco [LIBRO]\n"
        "     trevalco --version | --help\n"
        "\n"
        "Abre la ventana de Trevalco, que convierte coordenadas de Chile continental\n"
        "entre SIRGAS (WGS84), PSAD56 y SAD69. Con LIBRO, la ventana se abre en la\n"
        "pestaña \"Calcular Archivo Excel\" con ese libro elegido, como con \"Examinar\".\n"
        "\n"
        "Opciones:\n"
        "  --version  muestra la versión\n"
        "  --help     muestra esta ayuda\n"
        "\n"
        "Estado de salida: 0 al cerrar la ventana, 2 si los argumentos no son válidos.\n");
}

void OpenWorkbook(Velmar& window, const QString& workbook) {
    window.Form().SSTab1->setCurrentIndex(kBatchTab);
    window.WorkbookChoice().ChooseWorkbook(workbook);
}

}  // namespace trevalco::app
