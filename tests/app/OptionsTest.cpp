// "Forzar Zonas" with its zone buttons and "Deltas" with its shift fields.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "controls/SystemColours.h"
#include "point/ZoneAndShiftOptions.h"
#include "support/WindowFixture.h"

namespace trevalco::testing {
namespace {

using controls::SystemColour;

class Options : public WindowFixture {
protected:
    void Click(const char* name) { QTest::mouseClick(Find(name), Qt::LeftButton); }
    QStringList Enabled() {
        QStringList names;
        for (const char* zone : {"OpZ12", "OpZ13", "OpZ16", "OpZ17", "OpZ18", "OpZ19", "OpZ20", "OpZ21", "OpZ22"})
            if (Find(zone)->isEnabled()) names << zone;
        return names;
    }
};

TEST_F(Options, ForcedZoneFollowsTheCheckBoxAndTheZoneChosen) {
    auto& options = window->ZoneAndShiftOptions();
    EXPECT_EQ(options.ForcedZone(), Util::ForcedZone::Off());
    Find("OpZ12")->setEnabled(true);  // something else enabled it: ticking leaves it so
    Click("Check1");
    EXPECT_EQ(Enabled(), (QStringList{"OpZ12", "OpZ18", "OpZ19"}));
    EXPECT_EQ(options.ForcedZone(), Util::ForcedZone::To(19));
    Click("OpZ18");
    EXPECT_EQ(options.ForcedZone(), Util::ForcedZone::To(18));
    Click("Check1");  // clear: all nine disabled, zone 18 stays chosen
    EXPECT_TRUE(Enabled().isEmpty());
    EXPECT_EQ(options.ForcedZone(), Util::ForcedZone::Off());
    Find<QCheckBox>("Check1")->setChecked(true);  // from code too
    EXPECT_TRUE(Find<QRadioButton>("OpZ18")->isChecked());
    EXPECT_EQ(options.ForcedZone(), Util::ForcedZone::To(18));
    Find<QCheckBox>("Check1")->setCheckState(Qt::PartiallyChecked);  // greyed is not ticked
    EXPECT_TRUE(Enabled().isEmpty());
    EXPECT_EQ(options.ForcedZone(), Util::ForcedZone::Off());
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
