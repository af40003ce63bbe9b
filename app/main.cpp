// Trevalco: coordinates of continental Chile between SIRGAS, PSAD56 and SAD69.
#include <QApplication>

#include "app/SpanishTranslation.h"
#include "app/Velmar.h"
#include "dialogs/QtDialogs.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevalco"));
    trevalco::app::InstallSpanishTranslation(application);

    trevalco::dialogs::QtDialogs dialogs;
    trevalco::app::Velmar window(dialogs);
    dialogs.SetParent(&window);
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    return QApplication::exec();
}
