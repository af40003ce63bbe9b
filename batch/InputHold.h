// Holds a set of controls still while a batch run has the window: the user's
// clicks, keys and wheel turns on them are swallowed and their signals are
// blocked, so that none of them starts anything. Everything is given back
// when the hold ends.
#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QWidget;

namespace trevalco::batch {

class InputHold final : public QObject {
    Q_OBJECT
public:
    explicit InputHold(const std::vector<QWidget*>& controls);
    ~InputHold() override;
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Held {
        QPointer<QWidget> control;
        bool wasBlocked = false;
    };
    std::vector<Held> held_;
};

}  // namespace trevalco::batch
