// The system colours of the window's design, written as &H80000000 plus the
// index of the platform's system colour table. One table maps each code to a
// colour of the application palette; every field remembers the code it was
// given, so the state of a field can be asked for by code.
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>
#include <optional>

class QWidget;

namespace trevalco::controls {

enum class SystemColour : std::uint32_t {
    ScrollBar = 0x80000000,         // disabled input fields and selectors
    WindowBackground = 0x80000005,  // enabled input fields and selectors
    CaptionText = 0x80000009,       // shift fields while "Deltas" is ticked
    ButtonFace = 0x8000000F,        // shift fields otherwise
};

// The palette role that stands for a system colour on this platform.
QPalette::ColorRole PaletteRoleOf(SystemColour colour);

// The colour a code has in the given palette.
QColor Resolve(SystemColour colour, const QPalette& palette);

// Gives a field or a drop-down list the background of a system colour, in
// every state (enabled and disabled alike), and records the code.
void SetBackColour(QWidget& widget, SystemColour colour);

// The code last given to the widget; nothing if it never got one.
std::optional<SystemColour> BackColourOf(const QWidget& widget);

}  // namespace trevalco::controls
