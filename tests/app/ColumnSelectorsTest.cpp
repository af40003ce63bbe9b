// The 34 column selectors: start-up filling and the guided sequence.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <QTest>
#include <map>
#include <vector>

#include "controls/DropDownList.h"
#include "controls/SystemColours.h"
#include "support/WindowFixture.h"

namespace trevalco::testing {
namespace {

using controls::BackColourOf;
using controls::DropDownList;
using controls::SystemColour;

QStringList Columns(const QString& letters) {
    QStringList items;
    for (QChar letter : letters) items << QStringLiteral("Columna ") + letter;
    return items;
}

class Selectors : public WindowFixture {
protected:
    DropDownList* Combo(int n) { return Find<DropDownList>(QStringLiteral("Combo%1").arg(n).toLatin1().constData()); }
    // What choosing a workbook does to the first selector of each page.
    void EnableFirstSelectors() {
        for (int n : {23, 24, 29}) {
            Combo(n)->setEnabled(true);
            controls::SetBackColour(*Combo(n), SystemColour::WindowBackground);
        }
    }
    void Choose(int n, const QString& text) { ChooseWithKeys(*Combo(n), text); }
    void ExpectEnabled(int n, bool enabled) {
        EXPECT_EQ(Combo(n)->isEnabled(), enabled) << "Combo" << n;
        EXPECT_EQ(BackColourOf(*Combo(n)), enabled ? SystemColour::WindowBackground : SystemColour::ScrollBar)
            << "Combo" << n;
    }
};

TEST_F(Selectors, StartWithTheirColumnsDisabledAndUnselected) {
    const std::map<int, QStringList> items{
        {23, Columns("A")},   {1, Columns("BC")},   {2, Columns("BC")},   {15, Columns("DE")},
        {16, Columns("DE")},  {9, Columns("FG")},   {10, Columns("FG")},  {13, Columns("HI")},
        {14, Columns("HI")},  {24, Columns("A")},   {3, Columns("BCD")},  {4, Columns("BCD")},
        {5, Columns("BCD")},  {6, Columns("EFG")},  {7, Columns("EFG")},  {8, Columns("EFG")},
        {21, Columns("HI")},  {22, Columns("HI")},  {17, Columns("JK")},  {18, Columns("JK")},
        {11, Columns("LM")},  {12, Columns("LM")},  {19, Columns("NO")},  {20, Columns("NO")},
        {29, Columns("A")},   {32, Columns("BC")},  {33, Columns("BC")},  {31, Columns("DE")},
        {30, Columns("DE")},  {34, {"Zona 18", "Zona 19"}}, {26, Columns("FG")}, {25, Columns("FG")},
        {27, Columns("HI")},  {28, Columns("HI")}};
    ASSERT_EQ(items.size(), 34u);
    for (const auto& [n, expected] : items) {
        EXPECT_EQ(Items(*Combo(n)), expected) << "Combo" << n;
        EXPECT_EQ(Combo(n)->currentIndex(), -1) << "Combo" << n;
        EXPECT_TRUE(Combo(n)->currentText().isEmpty()) << "Combo" << n;
        ExpectEnabled(n, false);
    }
}

TEST_F(Selectors, CannotBeOpenedOrChosenBeforeAWorkbook) {
    ShowActive();
    Find<QTabWidget>("SSTab1")->setCurrentIndex(1);
    QTest::mouseClick(Combo(23), Qt::LeftButton);
    EXPECT_FALSE(Combo(23)->view()->isVisible());
    QTest::keyClick(Combo(23), Qt::Key_Down);
    EXPECT_EQ(Combo(23)->currentIndex(), -1);
    ExpectEnabled(1, false);
}

TEST_F(Selectors, DecimalPageGuidesFromNameToLastColumn) {
    EnableFirstSelectors();
    Choose(23, "Columna A");
    ExpectEnabled(1, true);
    ExpectEnabled(2, false);
    Choose(1, "Columna C");
    ExpectEnabled(2, true);
    EXPECT_EQ(Items(*Combo(2)), Columns("B"));
    EXPECT_EQ(Combo(2)->currentIndex(), -1);
    ExpectEnabled(15, false);  // later selectors wait for the partner
    Choose(2, "Columna B");
    ExpectEnabled(15, true);
    Choose(15, "Columna E");
    EXPECT_EQ(Items(*Combo(16)), Columns("D"));
    Choose(16, "Columna D");
    ExpectEnabled(9, true);
    Choose(9, "Columna F");
    EXPECT_EQ(Items(*Combo(10)), Columns("G"));
    Choose(10, "Columna G");
    ExpectEnabled(13, true);
    Choose(13, "Columna I");
    ExpectEnabled(14, true);
    EXPECT_EQ(Items(*Combo(14)), Columns("H"));
    Choose(14, "Columna H");
    // The last selector of a page has no handler: nothing further changes.
    for (int n : {24, 3, 29, 32}) ExpectEnabled(n, n == 24 || n == 29);
}

TEST_F(Selectors, ThreeColumnGroupsOfferWhatTheFirstTwoLeft) {
    EnableFirstSelectors();
    Choose(24, "Columna A");
    Choose(3, "Columna D");
    EXPECT_EQ(Items(*Combo(4)), Columns("BC"));
    Choose(4, "Columna B");
    EXPECT_EQ(Items(*Combo(5)), Columns("C"));
    ExpectEnabled(5, true);
    ExpectEnabled(6, false);
    Choose(5, "Columna C");
    ExpectEnabled(6, true);
    Choose(6, "Columna F");
    EXPECT_EQ(Items(*Combo(7)), Columns("EG"));
    Choose(7, "Columna G");
    EXPECT_EQ(Items(*Combo(8)), Columns("E"));
    Choose(8, "Columna E");
    const std::vector<std::pair<int, QString>> rest{{21, "Columna I"}, {22, "Columna H"}, {17, "Columna J"},
                                                    {18, "Columna K"}, {11, "Columna M"}, {12, "Columna L"},
                                                    {19, "Columna O"}};
    for (const auto& [n, text] : rest) {
        ASSERT_TRUE(Combo(n)->isEnabled()) << "Combo" << n;
        Choose(n, text);
    }
    EXPECT_EQ(Items(*Combo(20)), Columns("N"));
    ExpectEnabled(20, true);
}

TEST_F(Selectors, UtmPageIncludesTheZone) {
    EnableFirstSelectors();
    Choose(29, "Columna A");
    Choose(32, "Columna C");
    EXPECT_EQ(Items(*Combo(33)), Columns("B"));
    Choose(33, "Columna B");
    Choose(31, "Columna D");
    EXPECT_EQ(Items(*Combo(30)), Columns("E"));
    Choose(30, "Columna E");
    ExpectEnabled(34, true);
    EXPECT_EQ(Items(*Combo(34)), (QStringList{"Zona 18", "Zona 19"}));  // a pass-on keeps the list
    Choose(34, "Zona 19");
    EXPECT_EQ(Combo(34)->currentText().right(2), QStringLiteral("19"));
    Choose(26, "Columna G");
    EXPECT_EQ(Items(*Combo(25)), Columns("F"));
    Choose(25, "Columna F");
    Choose(27, "Columna H");
    EXPECT_EQ(Items(*Combo(28)), Columns("I"));
}

TEST_F(Selectors, ChangingAnEarlierChoiceRebuildsOnlyThePartner) {
    EnableFirstSelectors();
    Choose(23, "Columna A");
    Choose(1, "Columna B");
    Choose(2, "Columna C");
    Choose(15, "Columna D");
    Choose(16, "Columna E");
    Choose(1, "Columna C");
    EXPECT_EQ(Items(*Combo(2)), Columns("B"));
    EXPECT_EQ(Combo(2)->currentIndex(), -1);
    // Further selectors keep their state and choices.
    EXPECT_EQ(Combo(15)->currentText(), QStringLiteral("Columna D"));
    EXPECT_EQ(Combo(16)->currentText(), QStringLiteral("Columna E"));
    ExpectEnabled(15, true);
    ExpectEnabled(16, true);
    ExpectEnabled(9, true);
}

TEST_F(Selectors, EmptyingAPartnerRunsNoHandlerOfIt) {
    EnableFirstSelectors();
    Choose(24, "Columna A");
    Choose(3, "Columna B");
    Choose(4, "Columna C");
    Choose(5, "Columna D");
    // Choosing in Combo3 again empties Combo4. Had Combo4's handler run with
    // nothing chosen, Combo5 would have been refilled with two columns.
    Choose(3, "Columna D");
    EXPECT_EQ(Items(*Combo(4)), Columns("BC"));
    EXPECT_EQ(Combo(4)->currentIndex(), -1);
    EXPECT_EQ(Items(*Combo(5)), Columns("D"));
    EXPECT_EQ(Combo(5)->currentText(), QStringLiteral("Columna D"));
}

TEST_F(Selectors, ChoosingTheSameItemAgainIsAChoice) {
    EnableFirstSelectors();
    Choose(23, "Columna A");
    Choose(1, "Columna B");
    Choose(2, "Columna C");
    // The user picks "Columna B" in the open list of Combo1 once more.
    emit Combo(1)->activated(Combo(1)->currentIndex());
    EXPECT_EQ(Items(*Combo(2)), Columns("C"));
    EXPECT_EQ(Combo(2)->currentIndex(), -1);
}

TEST_F(Selectors, SettingASelectionFromCodeRunsTheHandlerAtOnce) {
    EnableFirstSelectors();
    Combo(23)->SetListIndex(0);
    ExpectEnabled(1, true);
    Combo(1)->SetListIndex(1);
    EXPECT_EQ(Items(*Combo(2)), Columns("B"));
}

}  // namespace
}  // namespace trevalco::testing
