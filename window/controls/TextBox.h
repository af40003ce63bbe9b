// A single-line text box that announces when it receives the focus, after
// its own focus handling, so that a handler can set the selection.
#pragma once

#include <QLineEdit>

namespace trevalco::controls {

class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // Limits what the user can type or paste to a number of characters.
    // Text the program writes stands whole: a result is never cut to the
    // limit.
    void SetMaxLength(int characters);
    // The program writing the box's text (hides QLineEdit::setText, which
    // QLineEdit would hold to the limit like an edit of the user's).
    void setText(const QString& text);
    // The limit on typing; 0 when there is none.
    int MaxLength() const { return maxLength_; }
    // The width, in pixels, of the line the text is drawn in: a text whose
    // advance in the box's font is no wider shows whole.
    int TextWidth() const;

signals:
    void GotFocus();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    int maxLength_ = 0;
    bool programWriting_ = false;
};

}  // namespace trevalco::controls
