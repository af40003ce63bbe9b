// The 34 column selectors: start-up filling and the guided sequence.
#include <vector>

#include "controls/DropDownList.h"
#include "controls/SystemColours.h"
#include "support/WindowFixture.h"

namespace trevalco::testing {
namespace {

using controls::DropDownList;
using controls::SystemColour;

// "BC" -> "Columna B", "Columna C"; a zone list is given whole.
QStringList Columns(const QString& letters) {
    if (letters.startsWith(QLatin1String("Zona"))) return letters.split(QLatin1Char(','));
    QStringList items;
    for (QChar letter : letters) items << QStringLiteral("Columna ") + letter;
    return items;
}

// One choice of the guided sequence, and what the next selector then offers.
struct Step {
    int combo;
    const char* chosen;
    const char* nextOffers;
};
const std::vector<std::vector<Step>> kPages{
    {{23, "A", "BC"}, {1, "C", "B"}, {2, "B", "DE"}, {15, "E", "D"}, {16, "D", "FG"}, {9, "F", "G"},
     {10, "G", "HI"}, {13, "I", "H"}, {14, "H", ""}},
    {{24, "A", "BCD"}, {3, "D", "BC"}, {4, "B", "C"}, {5, "C", "EFG"}, {6, "F", "EG"}, {7, "G", "E"},
     {8, "E", "HI"}, {21, "I", "H"}, {22, "H", "JK"}, {17, "J", "K"}, {18, "K", "LM"}, {11, "M", "L"},
     {12, "L", "NO"}, {19, "O", "N"}, {20, "N", ""}},
    {{29, "A", "BC"}, {32, "C", "B"}, {33, "B", "DE"}, {31, "D", "E"}, {30, "E", "Zona 18,Zona 19"},
     {34, "Zona 19", "FG"}, {26, "G", "F"}, {25, "F", "HI"}, {27, "H", "I"}, {28, "I", ""}}};

class Selectors : public WindowFixture {
protected:
    DropDownList* Combo(int n) { return Find<DropDownList>(QStringLiteral("Combo%1").arg(n).toLatin1().constData()); }
    void ExpectEnabled(int n, bool enabled) {
        const SystemColour colour = enabled ? SystemColour::WindowBackground : SystemColour::ScrollBar;
        EXPECT_TRUE(Combo(n)->isEnabled() == enabled && controls::BackColourOf(*Combo(n)) == colour) << "Combo" << n;
    }
    void Choose(int n, const char* chosen) { ChooseWithKeys(*Combo(n), Columns(QString::fromLatin1(chosen)).front()); }
};

TEST_F(Selectors, EachPageGuidesFromTheNameToTheLastColumn) {
    ExpectEnabled(23, false);  // before a workbook is chosen: a disabled list cannot be opened
    window->ColumnSelectors().EnableNameSelectors();  // what choosing a workbook does
    for (const auto& page : kPages) {
        for (std::size_t i = 0; i < page.size(); ++i) {
            const Step& step = page[i];
            ExpectEnabled(step.combo, true);
            EXPECT_EQ(Combo(step.combo)->currentIndex(), -1) << "Combo" << step.combo;
            if (i + 1 < page.size()) ExpectEnabled(page[i + 1].combo, false);
            Choose(step.combo, step.chosen);
            if (i + 1 == page.size()) continue;
            EXPECT_EQ(Items(*Combo(page[i + 1].combo)), Columns(QString::fromLatin1(step.nextOffers))) << "Combo" << step.combo;
            if (i + 2 < page.size()) ExpectEnabled(page[i + 2].combo, false);  // waits for the next choice
        }
    }
}

TEST_F(Selectors, AChoiceMadeAgainRebuildsOnlyThePartner) {
    window->ColumnSelectors().EnableNameSelectors();
    for (const Step& step : kPages[1]) Choose(step.combo, step.chosen);
    // Choosing in Combo3 again empties Combo4; had Combo4's handler run with
    // nothing chosen, Combo5 would hold two columns again.
    Choose(3, "B");
    EXPECT_EQ(Items(*Combo(4)), Columns("CD"));
    EXPECT_EQ(Combo(4)->currentIndex(), -1);
    EXPECT_EQ(Combo(5)->currentText(), QStringLiteral("Columna C"));
    EXPECT_EQ(Combo(6)->currentText(), QStringLiteral("Columna F"));
    ExpectEnabled(6, true);
    // The same item chosen once more is a choice; from code it is one at once.
    Choose(4, "C");
    emit Combo(3)->activated(Combo(3)->currentIndex());
    EXPECT_EQ(Combo(4)->currentIndex(), -1);
    Combo(3)->SetListIndex(2);
    EXPECT_EQ(Items(*Combo(4)), Columns("BC"));
}

}  // namespace
}  // namespace trevalco::testing
