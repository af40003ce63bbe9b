#include "CommandLine.h"

#include <QTabWidget>

#include "Velmar.h"
#include "batch/WorkbookChoice.h"
#include "layer/LayerTab.h"
#include "layer/LayerTexts.h"

namespace trevalco::app {

namespace {

constexpr int kBatchTab = 1;  // "Calcular Archivo Excel"
constexpr int kLayerTab = 2;  // "Calcular Capa SIG"

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
            return Refused(QStringLiteral("el nombre del archivo está vacío"));
        } else if (!line.file.isEmpty()) {
            return Refused(QStringLiteral("se espera un solo archivo"));
        } else {
            line.file = argument;
        }
    }
    return line;
}

QString UsageText() {
    return QStringLiteral(
        "Uso: trevalco [LIBRO | CAPA]\n"
        "     trevalco --version | --help\n"
        "\n"
        "Abre la ventana de Trevalco, que convierte coordenadas de Chile continental\n"
        "entre SIRGAS (WGS84), PSAD56 y SAD69. Con LIBRO, la ventana se abre en la\n"
        "pestaña \"Calcular Archivo Excel\" con ese libro elegido, como con \"Examinar\";\n"
        "con una CAPA (.gpkg, .shp, .geojson, .json, .kml, .dxf, .fgb o .gml), en la\n"
        "pestaña \"Calcular Capa SIG\" con esa capa elegida.\n"
        "\n"
        "Opciones:\n"
        "  --version  muestra la versión\n"
        "  --help     muestra esta ayuda\n"
        "\n"
        "Estado de salida: 0 al cerrar la ventana, 2 si los argumentos no son válidos.\n");
}

void OpenFile(Velmar& window, const QString& file) {
    if (layer::IsLayerFile(file.toStdString())) {
        window.Form().SSTab1->setCurrentIndex(kLayerTab);
        window.LayerTab().ChooseLayerFile(file);
        return;
    }
    window.Form().SSTab1->setCurrentIndex(kBatchTab);
    window.WorkbookChoice().ChooseWorkbook(file);
}

}  // namespace trevalco::app
