#include "DropDownList.h"

#include <QSignalBlocker>

namespace trevalco::controls {

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    // A choice of the user, by mouse or keyboard, even of the item already
    // shown, is a click.
    connect(this, &QComboBox::activated, this, [this](int) { emit Click(); });
}

void DropDownList::AddItem(const QString& text) {
    const int selected = currentIndex();
    const QSignalBlocker quiet(this);
    addItem(text);
    // A list that was empty selects its first item on its own: undo that.
    if (currentIndex() != selected) setCurrentIndex(selected);
}

void DropDownList::Clear() {
    const QSignalBlocker quiet(this);
    clear();
}

void DropDownList::SetListIndex(int index) {
    {
        const QSignalBlocker quiet(this);
        setCurrentIndex(index);
    }
    emit Click();
}

}  // namespace trevalco::controls
