// A choose-only drop-down list with the behaviour the window's handlers rely
// on: appending to an empty list selects nothing, emptying it runs no
// handler, and Click comes when the user chooses an item or when the
// program sets the selection with SetListIndex.
#pragma once

#include <QComboBox>
#include <QString>

namespace trevalco::controls {

class DropDownList : public QComboBox {
    Q_OBJECT
public:
    explicit DropDownList(QWidget* parent = nullptr);

    // Appends an item; the selection stays as it was (none in a new list).
    void AddItem(const QString& text);
    // Removes every item; the list has no selection afterwards.
    void Clear();
    // Selects an item (-1 for none) and runs the Click handling at once.
    void SetListIndex(int index);
    // The chosen item's text; empty when nothing is chosen.
    QString Text() const { return currentText(); }
    // The width, in pixels, in which the chosen item is drawn.
    int TextWidth() const;

signals:
    void Click();
};

}  // namespace trevalco::controls
