#include "Frame.h"

#include <QPainter>
#include <QRegion>
#include <qdrawutil.h>

namespace trevalco::controls {

namespace {

// The caption starts this far from the frame's left edge, with this much
// room left free on either side of its text.
constexpr int kCaptionIndent = 8;
constexpr int kCaptionPadding = 2;

}  // namespace

Frame::Frame(QWidget* parent) : QGroupBox(parent) {}

Frame::Frame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void Frame::SetHeading(QWidget* heading) {
    heading_ = heading;
    update();
}

QRect Frame::BorderRect() const { return rect().adjusted(0, fontMetrics().height() / 2, 0, 0); }

QRect Frame::CaptionRect() const {
    if (heading_ != nullptr) {
        const QWidget* top = window();
        return {heading_->mapTo(top, QPoint(0, 0)) - mapTo(top, QPoint(0, 0)), heading_->size()};
    }
    if (title().isEmpty()) return {};
    const int width = fontMetrics().horizontalAdvance(title()) + 2 * kCaptionPadding;
    return {kCaptionIndent, 0, width, fontMetrics().height()};
}

void Frame::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect caption = CaptionRect();
    painter.setClipRegion(QRegion(rect()).subtracted(QRegion(caption)));
    qDrawShadeRect(&painter, BorderRect(), palette(), true, 1, 0);
    painter.setClipping(false);
    if (heading_ == nullptr && !title().isEmpty()) {
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        painter.drawText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, title());
    }
}

}  // namespace trevalco::controls
