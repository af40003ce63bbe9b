// The arguments of `trevalco`: none, one workbook to open on the tab
// "Calcular Archivo Excel" (what "Open with Trevalco" passes), --version or
// --help.
#pragma once

#include <QString>
#include <QStringList>

namespace trevalco::app {

class Velmar;

struct CommandLine {
    enum class Action { OpenWindow, PrintVersion, PrintHelp, Refuse };
    Action action = Action::OpenWindow;
    QString workbook;  // empty when none was given
    QString error;     // why the arguments are refused
};

// Reads the arguments after the program's name. --version and --help win
// wherever they stand; "--" ends the options, so a workbook may begin with "-".
CommandLine ReadCommandLine(const QStringList& arguments);

// The usage text of --help and of refused arguments.
QString UsageText();

// Shows the tab "Calcular Archivo Excel" and chooses the workbook there as
// "Examinar" does.
void OpenWorkbook(Velmar& window, const QString& workbook);

}  // namespace trevalco::app
