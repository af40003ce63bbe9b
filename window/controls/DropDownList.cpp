#include "DropDownList.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace trevalco::controls {

namespace {

// What assistive tools read of a list: its name is its own (set, or its
// label's text) and its value the chosen item. Qt's own reading on this
// platform gives the chosen item as the name too, so a sheet list would be
// announced as the sheet rather than as "Hoja".
class DropDownListAccessible final : public QAccessibleWidget {
public:
    explicit DropDownListAccessible(QWidget* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) return List().currentText();
        return QAccessibleWidget::text(kind);
    }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(List().view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == List().view() ? 0 : -1;
    }

private:
    const QComboBox& List() const { return *static_cast<const QComboBox*>(object()); }
};

QAccessibleInterface* AccessibleFor(const QString& className, QObject* object) {
    if (className == QLatin1String(DropDownList::staticMetaObject.className()) && object->isWidgetType())
        return new DropDownListAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent) {
    static const bool accessibleReading = [] {
        QAccessible::installFactory(&AccessibleFor);
        return true;
    }();
    (void)accessibleReading;
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

int DropDownList::TextWidth() const {
    // The label is drawn a little inside the edit field, at both ends.
    constexpr int kSideMargin = 2;
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    return field.width() - 2 * kSideMargin;
}

void DropDownList::SetListIndex(int index) {
    {
        const QSignalBlocker quiet(this);
        setCurrentIndex(index);
    }
    emit Click();
}

}  // namespace trevalco::controls
