// Trevalco: coordinates of continental Chile between SIRGAS, PSAD56 and SAD69.
#include <QApplication>
#include <cstdio>

#include "CommandLine.h"
#include "SpanishTranslation.h"
#include "Velmar.h"
#include "dialogs/QtDialogs.h"

namespace {

constexpr int kExitUsage = 2;

QStringList ArgumentsAfterName(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// --version and --help, answered without a display; true when answered.
bool Answered(const trevalco::app::CommandLine& line) {
    using Action = trevalco::app::CommandLine::Action;
    if (line.action == Action::PrintVersion) {
        std::fputs("trevalco " TREVALCO_VERSION "\n", stdout);
        return true;
    }
    if (line.action == Action::PrintHelp) {
        std::fputs(trevalco::app::UsageText().toLocal8Bit().constData(), stdout);
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace trevalco;
    // Before Qt takes its own options (-platform, -style...), so these two
    // work where no display is.
    if (Answered(app::ReadCommandLine(ArgumentsAfterName(argc, argv)))) return 0;

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevalco"));
    QApplication::setApplicationVersion(QStringLiteral(TREVALCO_VERSION));
    // The installed menu entry, so the desktop shows its icon for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.trevalco.Trevalco"));
    const app::CommandLine line = app::ReadCommandLine(ArgumentsAfterName(argc, argv));
    if (Answered(line)) return 0;
    if (line.action == app::CommandLine::Action::Refuse) {
        std::fprintf(stderr, "trevalco: %s\n\n%s", line.error.toLocal8Bit().constData(),
                     app::UsageText().toLocal8Bit().constData());
        return kExitUsage;
    }
    app::InstallSpanishTranslation(application);

    dialogs::QtDialogs dialogs;
    app::Velmar window(dialogs);
    dialogs.SetParent(&window);
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    if (!line.file.isEmpty()) app::OpenFile(window, line.file);
    return QApplication::exec();
}
