#include "TextBox.h"

#include <QValidator>

namespace trevalco::controls {

namespace {

// Refuses typed text longer than the limit; setText is not validated, so the
// program's own texts pass whole.
class LengthLimit final : public QValidator {
public:
    LengthLimit(int characters, QObject* parent) : QValidator(parent), characters_(characters) {}

    State validate(QString& input, int&) const override {
        return input.size() <= characters_ ? Acceptable : Invalid;
    }

private:
    int characters_;
};

}  // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {}

void TextBox::SetMaxLength(int characters) {
    maxLength_ = characters;
    setValidator(characters > 0 ? new LengthLimit(characters, this) : nullptr);
}

void TextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    emit GotFocus();
}

}  // namespace trevalco::controls
