// The arguments of `trevalco`: none, one file to open (what "Open with
// Trevalco" passes): a workbook on the tab "Calcular Archivo Excel", a layer
// on the tab "Calcular Capa SIG"; --version or --help.
#pragma once

#include <QString>
#include <QStringList>

namespace trevalco::app {

class Velmar;

struct CommandLine {
    enum class Action { OpenWindow, PrintVersion, PrintHelp, Refuse };
    Action action = Action::OpenWindow;
    QString file;      // empty when none was given
    QString error;     // why the arguments are refused
};

// Reads the arguments after the program's name. --version and --help win
// wherever they stand; "--" ends the options, so a file may begin with "-".
CommandLine ReadCommandLine(const QStringList& arguments);

// The usage text of --help and of refused arguments.
QString UsageText();

// Shows the tab "Calcular Capa SIG" for a layer file (by its extension),
// else "Calcular Archivo Excel", and chooses the file there as "Examinar"
// does.
void OpenFile(Velmar& window, const QString& file);

}  // namespace trevalco::app
