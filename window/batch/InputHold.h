// Holds a set of controls still while a batch run has the window: each is
// shown disabled, in the disabled colour where it has a system colour, and
// its signals are blocked, so that nothing a click or the program does to
// it starts anything. When the hold ends, however the run ended, every
// control gets back exactly the state it had: enabled or not, its colour,
// its signals, and the focus if one of them had it.
#pragma once

#include <QPointer>
#include <optional>
#include <vector>

#include "controls/SystemColours.h"

class QWidget;

namespace trevalco::batch {

class InputHold final {
public:
    explicit InputHold(const std::vector<QWidget*>& controls);
    ~InputHold();
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

private:
    struct Held {
        QPointer<QWidget> control;
        bool wasEnabled = true;
        bool wasBlocked = false;
        std::optional<controls::SystemColour> colour;
    };
    std::vector<Held> held_;
    QPointer<QWidget> focus_;
};

}  // namespace trevalco::batch
