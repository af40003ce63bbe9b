#include "Artwork.h"

#include <QPainter>
#include <QSvgRenderer>

namespace trevalco::app {
namespace {

QPixmap Render(const QString& resource, QSize size) {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QSvgRenderer drawing(resource);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    drawing.render(&painter);
    return picture;
}

}  // namespace

QIcon WindowIcon() {
    QIcon icon;
    for (int side : {48, 32, 16}) icon.addPixmap(Render(QStringLiteral(":/trevalco/globe.svg"), {side, side}));
    return icon;
}

QPixmap Banner() { return Render(QStringLiteral(":/trevalco/banner.svg"), kBannerSize); }

}  // namespace trevalco::app
