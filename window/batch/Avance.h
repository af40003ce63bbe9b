// The progress window "Estado de Avance": a bar, a status line and the row
// being converted, shown by a batch run for its length. It is the run's
// progress sink. Setting the row only records it; Sync puts the recorded row
// on screen, and the run's event pump calls it right before letting events
// (and so painting) through, so what is drawn is always current.
#pragma once

#include <QWidget>
#include <cstdint>

#include "ProgressSink.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace trevalco::batch {

class Avance final : public QWidget, public ProgressSink {
    Q_OBJECT
public:
    explicit Avance(QWidget* parent = nullptr);

    // Takes the main window's font and stands centred over it.
    void PlaceOver(const QWidget& window);

    void Show() override;
    void SetStatus(std::string_view text) override;
    void SetMaximum(std::int32_t maximum) override;
    void SetRow(std::int32_t row) override;
    void Finish() override;
    bool ClosedByUser() const override { return closedByUser_; }

    // Shows the last row set in the bar and in Fila.
    void Sync();

    // Adds "Cancelar" at the right of the status line: pressing it closes
    // the window, as the user's closing does.
    void OfferCancel();

    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Estado = nullptr;
    QLabel* Fila = nullptr;
    QPushButton* Cancelar = nullptr;  // only once offered

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::int32_t row_ = 0;
    std::int32_t shownRow_ = -1;
    bool finishing_ = false;
    bool closedByUser_ = false;
};

}  // namespace trevalco::batch
