#include "batch/InputHold.h"

#include <QEvent>
#include <QWidget>

namespace trevalco::batch {

InputHold::InputHold(const std::vector<QWidget*>& controls) {
    for (QWidget* control : controls) {
        if (control == nullptr) continue;
        held_.push_back({control, control->signalsBlocked()});
        control->installEventFilter(this);
        control->blockSignals(true);
    }
}

InputHold::~InputHold() {
    for (const Held& held : held_) {
        if (held.control.isNull()) continue;
        held.control->removeEventFilter(this);
        held.control->blockSignals(held.wasBlocked);
    }
}

bool InputHold::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::Shortcut:
            return true;
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace trevalco::batch
