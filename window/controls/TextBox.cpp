#include "TextBox.h"

#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>

namespace trevalco::controls {

namespace {

// Keeps what the user types or pastes within the limit, as typing does
// character by character: of the characters just put in before the cursor,
// those that do not fit are dropped ("123" pasted into an empty box of two
// leaves "12"). The program's own texts pass whole; such a text may be
// shortened but not lengthened by the user.
class LengthLimit final : public QValidator {
public:
    LengthLimit(int characters, QLineEdit* box, const bool& programWriting)
        : QValidator(box), characters_(characters), before_(box->text().size()), programWriting_(programWriting) {
        connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text.size(); });
    }

    State validate(QString& input, int& cursor) const override {
        const qsizetype excess = input.size() - characters_;
        if (programWriting_ || excess <= 0 || input.size() <= before_) return Acceptable;
        // Only a box that held no more than the limit can have received all
        // of the excess just now, right before the cursor.
        if (before_ > characters_ || cursor < excess) return Invalid;
        cursor -= static_cast<int>(excess);
        input.remove(cursor, excess);
        return Acceptable;
    }

private:
    int characters_;
    qsizetype before_;  // the length of the text before the edit
    const bool& programWriting_;
};

}  // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {}

void TextBox::SetMaxLength(int characters) {
    maxLength_ = characters;
    setValidator(characters > 0 ? new LengthLimit(characters, this, programWriting_) : nullptr);
}

void TextBox::setText(const QString& text) {
    programWriting_ = true;
    QLineEdit::setText(text);
    programWriting_ = false;
}

int TextBox::TextWidth() const {
    // The line edit keeps this many pixels free at each end of its text.
    constexpr int kSideMargin = 2;
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    return contents.marginsRemoved(textMargins()).width() - 2 * kSideMargin;
}

void TextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    emit GotFocus();
}

}  // namespace trevalco::controls
