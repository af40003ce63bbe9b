// A single-line text box that announces when it receives the focus, after
// its own focus handling, so that a handler can set the selection.
#pragma once

#include <QLineEdit>

namespace trevalco::controls {

class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

signals:
    void GotFocus();

protected:
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace trevalco::controls
