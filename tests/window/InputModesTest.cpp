// The three input notations of the point tab, the selection of the
// geographic fields on focus, and the options beside the tabs: "Forzar
// Zonas" with its zone buttons, "Deltas" with its shift fields.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <vector>

#include "controls/SystemColours.h"
#include "point/ZoneAndShiftOptions.h"
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
    void Click(const char* name) { QTest::mouseClick(Find(name), Qt::LeftButton); }
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
            EXPECT_TRUE(controls::BackColourOf(*box) == colour &&
                        box->palette().color(QPalette::Disabled, QPalette::Base) == controls::Resolve(colour, QApplication::palette())) << name;
            EXPECT_EQ(box->text(), kept ? TextOf(name) : QString()) << name;
        }
    }
};

TEST_F(InputModesTest, ChoosingANotationOpensItsFieldsAndEmptiesTheRest) {
    const std::vector<std::pair<const char*, std::vector<const Group*>>> modes{
        {"OpGraMinSeg", {&kDegree, &kDecimal, &kUtm}}, {"OpUTM", {&kUtm, &kDecimal, &kDegree}},
        {"OpDecGra", {&kDecimal, &kUtm, &kDegree}}};
    FillEverything();
    Click("OpDecGra");  // the notation already chosen: nothing is emptied
    Expect(kOutput, false, true);
    for (const auto& [mode, groups] : modes) {
        FillEverything();
        if (mode == std::string("OpUTM")) Find<QRadioButton>(mode)->setChecked(true); else Click(mode);  // from code, at once
        EXPECT_TRUE(Find<QRadioButton>(mode)->isChecked());
        Expect(*groups[0], true, true);
        for (const Group* emptied : {groups[1], groups[2], &kOutput}) Expect(*emptied, false, false);
    }
}

TEST_F(InputModesTest, GeographicFieldsSelectTheirWholeTextOnFocus) {
    ShowActive();
    for (const Group* group : {&kDecimal, &kDegree, &kUtm}) {
        Click(group == &kDecimal ? "OpDecGra" : group == &kDegree ? "OpGraMinSeg" : "OpUTM");
        for (const char* name : *group) {
            auto* box = Find<QLineEdit>(name);
            box->setText(QStringLiteral("12")), box->setCursorPosition(1);
            Find("Command4")->setFocus(Qt::OtherFocusReason);
            box->setFocus(Qt::OtherFocusReason);  // a reason that selects nothing by itself
            ASSERT_TRUE(box->hasFocus()) << name;
            // The UTM fields have no focus handler: the caret stays.
            EXPECT_EQ(box->selectedText(), group == &kUtm ? QString() : QStringLiteral("12")) << name;
        }
    }
}

class Options : public InputModesTest {
protected:
    QStringList Enabled() {
        QStringList names;
        for (auto* zone : Find("Frame29")->findChildren<QRadioButton*>()) names << (zone->isEnabled() ? zone->objectName() : "");
        return names.filter(QStringLiteral("OpZ"));
    }
};

TEST_F(Options, ForcedZoneFollowsTheCheckBoxAndTheZoneChosen) {
    auto& options = window->ZoneAndShiftOptions();
    EXPECT_EQ(options.ForcedZone(), zones::ForcedZone::Off());
    Find("OpZ12")->setEnabled(true);  // something else enabled it: ticking leaves it so
    Click("Check1");
    EXPECT_EQ(Enabled(), (QStringList{"OpZ12", "OpZ18", "OpZ19"}));
    EXPECT_EQ(options.ForcedZone(), zones::ForcedZone::To(19));
    Click("OpZ18");
    EXPECT_EQ(options.ForcedZone(), zones::ForcedZone::To(18));
    Click("Check1");  // clear: all nine disabled, zone 18 stays chosen
    EXPECT_TRUE(Enabled().isEmpty() && options.ForcedZone() == zones::ForcedZone::Off());
    Find<QCheckBox>("Check1")->setChecked(true);  // from code too
    EXPECT_TRUE(Find<QRadioButton>("OpZ18")->isChecked());
    EXPECT_EQ(options.ForcedZone(), zones::ForcedZone::To(18));
    Find<QCheckBox>("Check1")->setCheckState(Qt::PartiallyChecked);  // greyed is not ticked
    EXPECT_TRUE(Enabled().isEmpty() && options.ForcedZone() == zones::ForcedZone::Off());
}

TEST_F(Options, DeltasOpensTheShiftFieldsAndKeepsTheirText) {
    for (const bool ticked : {true, false}) {
        Click("Check_delta");
        const SystemColour colour = ticked ? SystemColour::CaptionText : SystemColour::ButtonFace;
        for (const char* name : {"DeltaX", "DeltaY", "DeltaZ"}) {
            EXPECT_EQ(Find(name)->isEnabled(), ticked) << name;
            EXPECT_EQ(controls::BackColourOf(*Find(name)), colour) << name;
        }
        if (ticked) Find<QLineEdit>("DeltaX")->setText(QStringLiteral("300"));
    }
    EXPECT_EQ(Find<QLineEdit>("DeltaX")->text(), QStringLiteral("300"));
}

}  // namespace
}  // namespace trevalco::testing
