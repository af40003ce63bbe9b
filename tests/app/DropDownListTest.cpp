// The drop-down list's own behaviour, on which the selectors rely.
#include <QSignalSpy>
#include <QTest>

#include "controls/DropDownList.h"
#include "support/WindowFixture.h"

namespace trevalco::testing {
namespace {

using controls::DropDownList;

TEST(DropDownListBehaviour, AppendingSelectsNothing) {
    DropDownList list;
    QSignalSpy clicks(&list, &DropDownList::Click);
    list.AddItem(QStringLiteral("Columna B"));
    list.AddItem(QStringLiteral("Columna C"));
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_TRUE(list.Text().isEmpty());
    EXPECT_EQ(clicks.count(), 0);
}

TEST(DropDownListBehaviour, AppendingKeepsAChoice) {
    DropDownList list;
    list.AddItem(QStringLiteral("Zona 18"));
    list.SetListIndex(0);
    list.AddItem(QStringLiteral("Zona 19"));
    EXPECT_EQ(list.Text(), QStringLiteral("Zona 18"));
}

TEST(DropDownListBehaviour, ClearingRunsNoClick) {
    DropDownList list;
    list.AddItem(QStringLiteral("Columna B"));
    list.SetListIndex(0);
    QSignalSpy clicks(&list, &DropDownList::Click);
    list.Clear();
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST(DropDownListBehaviour, CodeAndUserChoicesClick) {
    DropDownList list;
    list.AddItem(QStringLiteral("Columna B"));
    list.AddItem(QStringLiteral("Columna C"));
    QSignalSpy clicks(&list, &DropDownList::Click);
    list.SetListIndex(1);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(list.Text(), QStringLiteral("Columna C"));
    QTest::keyClick(&list, Qt::Key_Up);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(list.Text(), QStringLiteral("Columna B"));
}

}  // namespace
}  // namespace trevalco::testing
