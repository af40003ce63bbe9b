#include "SpanishTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace trevalco::app {

bool InstallSpanishTranslation(QCoreApplication& application) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_es"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    if (!QCoreApplication::installTranslator(translator.get())) return false;
    translator.release()->setParent(&application);  // the application owns it from here
    return true;
}

}  // namespace trevalco::app
