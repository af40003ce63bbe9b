// The three input notations of the point tab and the selection of the
// geographic fields on focus.
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <vector>

#include "controls/SystemColours.h"
#include "support/WindowFixture.h"

namespace trevalco::testing {
namespace {

using controls::SystemColour;
using Group = std::vector<const char*>;

const Group kDecimal{"Textlat", "Textlon"};
const Group kDegree{"Text_Gralat_i", "Text_Gralon_i", "Text_Minlat_i", "Text_Minlon_i", "Text_Seglat_i", "Text_Seglon_i"};
const Group kUtm{"Text_iNorte", "Text_iEste", "Text_zona_1"};
const Group kOutput{"Text_Olat", "Text_Olon", "Text_DeltaError", "Text_ONorte", "Text_OEste", "Text_Zona"};

class InputModesTest : public WindowFixture {
protected:
    // A distinct text of two characters for every field.
    static QString TextOf(const char* name) { return QString::number(qHash(QLatin1String(name)) % 90 + 10); }
    void FillEverything() {
        for (const Group* group : {&kDecimal, &kDegree, &kUtm, &kOutput})
            for (const char* name : *group) Find<QLineEdit>(name)->setText(TextOf(name));
    }
    // Enabled or not, its colour in every state, and its text kept or emptied.
    void Expect(const Group& group, bool active, bool kept) {
        const SystemColour colour = active ? SystemColour::WindowBackground : SystemColour::ScrollBar;
        for (const char* name : group) {
            auto* box = Find<QLineEdit>(name);
            EXPECT_EQ(box->isEnabled(), active || &group == &kOutput) << name;  // results stay enabled, read-only
            EXPECT_EQ(controls::BackColourOf(*box), colour) << name;
            EXPECT_EQ(box->palette().color(QPalette::Disabled, QPalette::Base),
                      controls::Resolve(colour, QApplication::palette())) << name;
            EXPECT_EQ(box->text(), kept ? TextOf(name) : QString()) << name;
        }
    }
};

TEST_F(InputModesTest, ChoosingANotationOpensItsFieldsAndEmptiesTheRest) {
    const std::vector<std::pair<const char*, std::vector<const Group*>>> modes{
        {"OpGraMinSeg", {&kDegree, &kDecimal, &kUtm}},
        {"OpUTM", {&kUtm, &kDecimal, &kDegree}},
        {"OpDecGra", {&kDecimal, &kUtm, &kDegree}}};
    for (const auto& [mode, groups] : modes) {
        FillEverything();
        QTest::mouseClick(Find(mode), Qt::LeftButton);
        EXPECT_TRUE(Find<QRadioButton>(mode)->isChecked());
        Expect(*groups[0], true, true);
        Expect(*groups[1], false, false);
        Expect(*groups[2], false, false);
        Expect(kOutput, false, false);
    }
    // Set from code, the handler runs at once; the notation already chosen
    // clicked again empties nothing.
    FillEverything();
    Find<QRadioButton>("OpUTM")->setChecked(true);
    Expect(kUtm, true, true);
    FillEverything();
    QTest::mouseClick(Find("OpUTM"), Qt::LeftButton);
    Expect(kOutput, false, true);
}

TEST_F(InputModesTest, GeographicFieldsSelectTheirWholeTextOnFocus) {
    ShowActive();
    for (const Group* group : {&kDecimal, &kDegree, &kUtm}) {
        QTest::mouseClick(Find(group == &kDecimal ? "OpDecGra" : group == &kDegree ? "OpGraMinSeg" : "OpUTM"),
                          Qt::LeftButton);
        for (const char* name : *group) {
            auto* box = Find<QLineEdit>(name);
            box->setText(QStringLiteral("12"));
            box->setCursorPosition(1);
            Find("Command4")->setFocus(Qt::OtherFocusReason);
            box->setFocus(Qt::OtherFocusReason);  // a reason that selects nothing by itself
            ASSERT_TRUE(box->hasFocus()) << name;
            // The UTM fields have no focus handler: the caret stays.
            EXPECT_EQ(box->selectedText(), group == &kUtm ? QString() : QStringLiteral("12")) << name;
        }
    }
    auto* lat = Find<QLineEdit>("Textlat");
    QTest::mouseClick(Find("OpDecGra"), Qt::LeftButton);
    lat->setText(QStringLiteral("33.5"));
    Find("Textlon")->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(Find("Textlon"), Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClicks(lat, QStringLiteral("34"));  // replaces the selected text
    EXPECT_EQ(lat->text(), QStringLiteral("34"));
    Find<QLineEdit>("Textlon")->clear();
    Find("Textlon")->setFocus(Qt::OtherFocusReason);
    EXPECT_FALSE(Find<QLineEdit>("Textlon")->hasSelectedText());
}

}  // namespace
}  // namespace trevalco::testing
