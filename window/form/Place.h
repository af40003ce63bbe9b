// Small helpers that create a control of the design: its name, caption and
// position in twips relative to its container.
#pragma once

#include <QLabel>
#include <QRadioButton>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "controls/Frame.h"
#include "controls/Twips.h"

namespace trevalco::app::place {

// Controls on a page of a tab control are given relative to the tab control,
// whose tab strip takes this height above the page.
inline constexpr int kTabStripTwips = 360;

template <typename Control, typename... Args>
Control* Make(QWidget* parent, const char* name, QRect twips, Args&&... args) {
    auto* control = new Control(std::forward<Args>(args)..., parent);  // owned by parent
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(twips);
    return control;
}

inline QRect At(int left, int top, int width, int height) {
    return controls::TwipsRect(left, top, width, height);
}

// Relative to the tab control that holds the page.
inline QRect OnPage(int left, int top, int width, int height) {
    return controls::TwipsRect(left, top - kTabStripTwips, width, height);
}

// A label tied to the control it names, so assistive tools announce it.
inline QLabel* LabelFor(QWidget* parent, const char* name, const QString& text, QRect twips,
                        QWidget* buddy) {
    auto* label = Make<QLabel>(parent, name, twips, text);
    label->setBuddy(buddy);
    return label;
}

// An option button or check box standing over a frame's top border, in the
// place of the caption, wide enough for its caption in the font at hand. The
// frame leaves its border out behind it.
template <typename Button>
Button* OnBorder(QWidget* parent, const char* name, const QString& caption, QRect twips,
                 controls::Frame* heads) {
    auto* button = Make<Button>(parent, name, twips, caption);
    button->resize(std::max(button->width(), button->sizeHint().width()), button->height());
    button->raise();
    heads->SetHeading(button);
    return button;
}

}  // namespace trevalco::app::place
