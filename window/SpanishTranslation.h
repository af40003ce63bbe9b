// Qt's own Spanish texts, so the standard buttons read "Aceptar" and
// "Cancelar".
#pragma once

class QCoreApplication;

namespace trevalco::app {

// Loads Qt's Spanish translation into the application (the translator is a
// child of it). Returns false when the translation is not installed.
bool InstallSpanishTranslation(QCoreApplication& application);

}  // namespace trevalco::app
