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
        if (held.control.isNull()) continue;
        held.control->setEnabled(held.wasEnabled);
        if (held.colour) controls::SetBackColour(*held.control, *held.colour);
        held.control->blockSignals(held.wasBlocked);
    }
    if (!focus_.isNull() && focus_->isEnabled()) focus_->setFocus(Qt::OtherFocusReason);
}

}  // namespace trevalco::batch
