// A single-line text box that announces when it receives the focus, after
// its own focus handling, so that a handler can set the selection.
#pragma once

#include <QLineEdit>

namespace trevalco::controls {

class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // Limits what the user can type to a number of characters. Text the
    // program writes stands whole: a result is never cut to the limit.
    void SetMaxLength(int characters);
    // The limit on typing; 0 when there is none.
    int MaxLength() const { return maxLength_; }

signals:
    void GotFocus();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    int maxLength_ = 0;
};

}  // namespace trevalco::controls
