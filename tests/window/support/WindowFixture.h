// A freshly loaded main window, driven offscreen, with scripted dialogs and a
// counter in place of ending the program.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <ostream>

#include "ScriptedDialogs.h"
#include "Velmar.h"

// Readable texts in test failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace trevalco::testing {

class WindowFixture : public ::testing::Test {
protected:
    WindowFixture();
    ~WindowFixture() override;

    // The control of that name; fails the test when there is none.
    template <typename Control = QWidget>
    Control* Find(const char* name) const {
        auto* control = window->findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << "no control " << name;
        return control;
    }

    // Shows the window and makes it active, so focus and keys reach it.
    void ShowActive();

    ScriptedDialogs dialogs;
    int programEnded = 0;
    std::unique_ptr<app::Velmar> window;
};

// The texts of a list's items.
QStringList Items(const QComboBox& list);

// Chooses an item the way a user does with the keyboard on the closed list:
// key presses move the selection, each one a choice of its own.
void ChooseWithKeys(QComboBox& list, const QString& text);

}  // namespace trevalco::testing
