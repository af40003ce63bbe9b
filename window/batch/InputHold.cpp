#include "batch/InputHold.h"

#include <QApplication>
#include <QWidget>

namespace trevalco::batch {

using controls::SystemColour;

InputHold::InputHold(const std::vector<QWidget*>& controls) {
    QWidget* focus = QApplication::focusWidget();
    for (QWidget* control : controls) {
        if (control == nullptr) continue;
        if (control == focus) focus_ = focus;
        held_.push_back({control, control->isEnabled(), control->signalsBlocked(), controls::BackColourOf(*control)});
        control->blockSignals(true);
        control->setEnabled(false);
        if (held_.back().colour) controls::SetBackColour(*control, SystemColour::ScrollBar);
    }
}

InputHold::~InputHold() {
    for (const Held& held : held_) {
        QWidget* control = held.control.data();
        if (control == nullptr) continue;
        control->setEnabled(held.wasEnabled);
        if (held.colour) controls::SetBackColour(*control, *held.colour);
        control->blockSignals(held.wasBlocked);
    }
    if (QWidget* focus = focus_.data(); focus != nullptr && focus->isEnabled()) focus->setFocus(Qt::OtherFocusReason);
}

}  // namespace trevalco::batch
