// "Forzar Zonas" with its zone buttons and "Deltas" with its shift fields.
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

using controls::BackColourOf;
using controls::SystemColour;

const std::vector<const char*> kZones{"OpZ12", "OpZ13", "OpZ16", "OpZ17", "OpZ18",
                                      "OpZ19", "OpZ20", "OpZ21", "OpZ22"};
const std::vector<const char*> kShifts{"DeltaX", "DeltaY", "DeltaZ"};

class ZoneOptions : public WindowFixture {
protected:
    void Tick(const char* box) { QTest::mouseClick(Find(box), Qt::LeftButton); }
    bool Enabled(const char* zone) { return Find(zone)->isEnabled(); }
    QRadioButton* Zone(const char* zone) { return Find<QRadioButton>(zone); }
};

TEST_F(ZoneOptions, TickingEnablesOnlyTheContinentalZones) {
    Tick("Check1");
    ASSERT_TRUE(Find<QCheckBox>("Check1")->isChecked());
    for (const char* zone : kZones) {
        const bool continental = std::string(zone) == "OpZ18" || std::string(zone) == "OpZ19";
        EXPECT_EQ(Enabled(zone), continental) << zone;
    }
}

TEST_F(ZoneOptions, OtherZonesAreLeftAsTheyWere) {
    // Something else enabled zone 12: ticking does not disable it.
    Zone("OpZ12")->setEnabled(true);
    Tick("Check1");
    EXPECT_TRUE(Enabled("OpZ12"));
    EXPECT_FALSE(Enabled("OpZ13"));
    // Clearing disables all nine.
    Tick("Check1");
    for (const char* zone : kZones) EXPECT_FALSE(Enabled(zone)) << zone;
}

TEST_F(ZoneOptions, ZoneChoiceSurvivesClearingAndTickingAgain) {
    Tick("Check1");
    QTest::mouseClick(Zone("OpZ18"), Qt::LeftButton);
    ASSERT_TRUE(Zone("OpZ18")->isChecked());
    EXPECT_FALSE(Zone("OpZ19")->isChecked());
    Tick("Check1");
    EXPECT_TRUE(Zone("OpZ18")->isChecked());
    for (const char* zone : kZones) EXPECT_FALSE(Enabled(zone)) << zone;
    Tick("Check1");
    EXPECT_TRUE(Zone("OpZ18")->isChecked());
    EXPECT_TRUE(Enabled("OpZ18"));
}

TEST_F(ZoneOptions, ForcedZoneFollowsTheCheckBoxAndTheSelectedButton) {
    auto& options = window->ZoneAndShiftOptions();
    EXPECT_EQ(options.ForcedZone(), Util::ForcedZone::Off());
    Tick("Check1");
    EXPECT_EQ(options.ForcedZone(), Util::ForcedZone::To(19));
    QTest::mouseClick(Zone("OpZ18"), Qt::LeftButton);
    EXPECT_EQ(options.ForcedZone(), Util::ForcedZone::To(18));
    // Clearing while zone 18 is selected: the zone follows the longitude again.
    Tick("Check1");
    EXPECT_EQ(options.ForcedZone(), Util::ForcedZone::Off());
}

TEST_F(ZoneOptions, SettingTheCheckBoxFromCodeRunsItsHandler) {
    Find<QCheckBox>("Check1")->setChecked(true);
    EXPECT_TRUE(Enabled("OpZ18"));
    EXPECT_TRUE(Enabled("OpZ19"));
    Find<QCheckBox>("Check1")->setCheckState(Qt::PartiallyChecked);  // greyed is not ticked
    EXPECT_FALSE(Enabled("OpZ18"));
}

class ShiftOptions : public WindowFixture {};

TEST_F(ShiftOptions, TickingMakesTheFieldsEditableAndKeepsTheirText) {
    QTest::mouseClick(Find("Check_delta"), Qt::LeftButton);
    for (const char* name : kShifts) {
        EXPECT_TRUE(Find(name)->isEnabled()) << name;
        EXPECT_EQ(BackColourOf(*Find(name)), SystemColour::CaptionText) << name;
        EXPECT_EQ(Find(name)->palette().color(QPalette::Base),
                  controls::Resolve(SystemColour::CaptionText, QApplication::palette()));
    }
    Find<QLineEdit>("DeltaX")->setText(QStringLiteral("300"));
    QTest::mouseClick(Find("Check_delta"), Qt::LeftButton);
    for (const char* name : kShifts) {
        EXPECT_FALSE(Find(name)->isEnabled()) << name;
        EXPECT_EQ(BackColourOf(*Find(name)), SystemColour::ButtonFace) << name;
    }
    EXPECT_EQ(Find<QLineEdit>("DeltaX")->text(), QStringLiteral("300"));
}

TEST(SystemColourTable, EachCodeHasItsOwnPaletteRole) {
    const QPalette palette = QApplication::palette();
    EXPECT_EQ(controls::Resolve(SystemColour::WindowBackground, palette), palette.color(QPalette::Base));
    EXPECT_EQ(controls::Resolve(SystemColour::ButtonFace, palette), palette.color(QPalette::Button));
    EXPECT_EQ(controls::Resolve(SystemColour::CaptionText, palette), palette.color(QPalette::HighlightedText));
    EXPECT_EQ(controls::Resolve(SystemColour::ScrollBar, palette), palette.color(QPalette::Window));
    EXPECT_EQ(static_cast<std::uint32_t>(SystemColour::ScrollBar), 0x80000000u);
    EXPECT_EQ(static_cast<std::uint32_t>(SystemColour::WindowBackground), 0x80000005u);
    EXPECT_EQ(static_cast<std::uint32_t>(SystemColour::CaptionText), 0x80000009u);
    EXPECT_EQ(static_cast<std::uint32_t>(SystemColour::ButtonFace), 0x8000000Fu);
}

}  // namespace
}  // namespace trevalco::testing
