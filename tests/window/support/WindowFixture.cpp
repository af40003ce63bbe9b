#include "WindowFixture.h"

#include <QApplication>
#include <QTest>

namespace trevalco::testing {

WindowFixture::WindowFixture()
    : window(std::make_unique<app::Velmar>(dialogs, [this] { ++programEnded; })) {}

WindowFixture::~WindowFixture() = default;

void WindowFixture::ShowActive() {
    window->show();
    QApplication::setActiveWindow(window.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

QStringList Items(const QComboBox& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i) items << list.itemText(i);
    return items;
}

void ChooseWithKeys(QComboBox& list, const QString& text) {
    const int wanted = list.findText(text);
    ASSERT_GE(wanted, 0) << "no item " << text.toStdString();
    if (list.currentIndex() < 0) QTest::keyClick(&list, Qt::Key_Down);
    while (list.currentIndex() < wanted) QTest::keyClick(&list, Qt::Key_Down);
    while (list.currentIndex() > wanted) QTest::keyClick(&list, Qt::Key_Up);
}

}  // namespace trevalco::testing
