#include "Frame.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace trevalco::controls {

Frame::Frame(QWidget* parent) : QGroupBox(parent) {}

Frame::Frame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void Frame::paintEvent(QPaintEvent* event) {
    if (!title().isEmpty()) {
        QGroupBox::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame option;
    option.initFrom(this);
    option.rect = rect().adjusted(0, fontMetrics().height() / 2, 0, 0);
    option.lineWidth = 1;
    option.midLineWidth = 0;
    style()->drawPrimitive(QStyle::PE_FrameGroupBox, &option, &painter, this);
}

}  // namespace trevalco::controls
