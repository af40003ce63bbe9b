// Pictures of the window with each tab shown, written into the build folder,
// to compare with the design by eye.
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QTabWidget>

#include "support/WindowFixture.h"

namespace trevalco::testing {
namespace {

class Screenshots : public WindowFixture {
protected:
    QImage Shot(int tab, int page, const QString& file) {
        Find<QTabWidget>("SSTab1")->setCurrentIndex(tab);
        Find<QTabWidget>("SSTab2")->setCurrentIndex(page);
        const QPixmap picture = window->grab();
        const QString path = QDir(QStringLiteral(TREVALCO_SCREENSHOT_DIR)).filePath(file);
        EXPECT_TRUE(picture.save(path, "PNG")) << path.toStdString();
        return QImage(path);
    }
};

TEST_F(Screenshots, BothTabsAreWrittenAsPng) {
    ShowActive();
    const QImage point = Shot(0, 0, QStringLiteral("velmar-calcular-coordenadas.png"));
    const QImage batch = Shot(1, 0, QStringLiteral("velmar-calcular-archivo-excel.png"));
    const QImage degrees = Shot(1, 1, QStringLiteral("velmar-grados-minutos-segundos.png"));
    const QImage utm = Shot(1, 2, QStringLiteral("velmar-utm.png"));
    for (const QImage* image : {&point, &batch, &degrees, &utm}) {
        ASSERT_FALSE(image->isNull());
        EXPECT_EQ(image->size(), window->size());
    }
    EXPECT_NE(point, batch);
    EXPECT_NE(batch, degrees);
    EXPECT_NE(degrees, utm);
}

}  // namespace
}  // namespace trevalco::testing
