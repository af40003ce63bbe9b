#include "batch/Avance.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "controls/Twips.h"

namespace trevalco::batch {

using controls::TwipsRect;
using controls::TwipsToPixels;

// The design's strip (9165 twips wide, the bar on top and the status line
// below it), made tall enough for a whole line of text. The status line
// ends right before the row number, whatever its length, and the row number
// has room for the last row a sheet can have.
Avance::Avance(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Avance"));
    setWindowTitle(QStringLiteral("Estado de Avance"));
    setFixedSize(TwipsToPixels(9165), TwipsToPixels(600));

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(TwipsRect(0, 0, 9165, 225));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 0);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);

    Estado = new QLabel(this);
    Estado->setObjectName(QStringLiteral("Estado"));
    Estado->setGeometry(TwipsRect(240, 270, 4815, 285));
    Estado->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Fila = new QLabel(this);
    Fila->setObjectName(QStringLiteral("Fila"));
    Fila->setGeometry(TwipsRect(5160, 270, 1335, 285));
    Fila->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void Avance::OfferCancel() {
    if (Cancelar != nullptr) return;
    Cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    Cancelar->setObjectName(QStringLiteral("Cancelar"));
    Cancelar->setAccessibleName(QStringLiteral("Cancelar"));
    Cancelar->setGeometry(TwipsRect(7800, 255, 1245, 330));
    connect(Cancelar, &QPushButton::clicked, this, &QWidget::close);
}

void Avance::PlaceOver(const QWidget& window) {
    setFont(window.font());
    QRect place(QPoint(0, 0), size());
    place.moveCenter(window.geometry().center());
    setGeometry(place);
}

void Avance::Show() { show(); }

void Avance::SetStatus(std::string_view text) {
    Estado->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void Avance::SetMaximum(std::int32_t maximum) {
    ProgressBar1->setMinimum(0);
    ProgressBar1->setMaximum(maximum);
}

void Avance::SetRow(std::int32_t row) { row_ = row; }

void Avance::Sync() {
    if (row_ == shownRow_) return;
    shownRow_ = row_;
    // The row text first: the bar repaints itself at once when its drawing changes.
    Fila->setText(row_ > 0 ? QString::number(row_) : QString());
    ProgressBar1->setValue(row_);
}

void Avance::Finish() {
    row_ = 0;
    shownRow_ = -1;
    ProgressBar1->setValue(0);
    Fila->clear();
    Estado->clear();
    finishing_ = true;
    close();
}

void Avance::closeEvent(QCloseEvent* event) {
    if (!finishing_) closedByUser_ = true;
    event->accept();
}

}  // namespace trevalco::batch
