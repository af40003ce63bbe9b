// The window tests run in one Qt application, with Qt's Spanish texts loaded
// as the program loads them.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>

#include "SpanishTranslation.h"

int main(int argc, char* argv[]) {
    // No display is needed, also when the test list is read at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (!trevalco::app::InstallSpanishTranslation(application)) {
        fprintf(stderr, "Qt's Spanish translation (qtbase_es.qm) is not installed\n");
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
