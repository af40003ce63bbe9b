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

using controls::BackColourOf;
using controls::SystemColour;

const std::vector<const char*> kDecimal{"Textlat", "Textlon"};
const std::vector<const char*> kDegree{"Text_Gralat_i", "Text_Gralon_i", "Text_Minlat_i",
                                       "Text_Minlon_i", "Text_Seglat_i", "Text_Seglon_i"};
const std::vector<const char*> kUtm{"Text_iNorte", "Text_iEste", "Text_zona_1"};
const std::vector<const char*> kOutput{"Text_Olat", "Text_Olon", "Text_DeltaError",
                                       "Text_ONorte", "Text_OEste", "Text_Zona"};

class InputModesTest : public WindowFixture {
protected:
    // A distinct text of two characters for every field (the degree and
    // minute fields take no more).
    static QString TextOf(const char* name) { return QString::number(qHash(QLatin1String(name)) % 90 + 10); }
    // Puts a text into every field, as a conversion would leave them.
    void FillEverything() {
        for (const auto* group : {&kDecimal, &kDegree, &kUtm, &kOutput}) {
            for (const char* name : *group) Find<QLineEdit>(name)->setText(TextOf(name));
        }
    }
    void ExpectActiveKeepingText(const std::vector<const char*>& group) {
        for (const char* name : group) {
            auto* box = Find<QLineEdit>(name);
            EXPECT_TRUE(box->isEnabled()) << name;
            EXPECT_EQ(BackColourOf(*box), SystemColour::WindowBackground) << name;
            EXPECT_EQ(box->palette().color(QPalette::Disabled, QPalette::Base),
                      controls::Resolve(SystemColour::WindowBackground, QApplication::palette()))
                << name;
            EXPECT_EQ(box->text(), TextOf(name)) << name;
        }
    }
    void ExpectInactiveAndEmpty(const std::vector<const char*>& group) {
        for (const char* name : group) {
            auto* box = Find<QLineEdit>(name);
            EXPECT_FALSE(box->isEnabled()) << name;
            EXPECT_EQ(BackColourOf(*box), SystemColour::ScrollBar) << name;
            EXPECT_EQ(box->palette().color(QPalette::Disabled, QPalette::Base),
                      controls::Resolve(SystemColour::ScrollBar, QApplication::palette()))
                << name;
            EXPECT_TRUE(box->text().isEmpty()) << name;
        }
    }
    void ExpectResultsEmpty() {
        for (const char* name : kOutput) {
            EXPECT_TRUE(Find<QLineEdit>(name)->text().isEmpty()) << name;
            EXPECT_EQ(BackColourOf(*Find(name)), SystemColour::ScrollBar) << name;
        }
    }
};

TEST_F(InputModesTest, DegreesMinutesSecondsKeepsItsFieldsAndEmptiesTheRest) {
    FillEverything();
    QTest::mouseClick(Find("OpGraMinSeg"), Qt::LeftButton);
    EXPECT_TRUE(Find<QRadioButton>("OpGraMinSeg")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>("OpDecGra")->isChecked());
    ExpectActiveKeepingText(kDegree);
    ExpectInactiveAndEmpty(kDecimal);
    ExpectInactiveAndEmpty(kUtm);
    ExpectResultsEmpty();
}

TEST_F(InputModesTest, UtmKeepsItsFieldsAndEmptiesTheRest) {
    FillEverything();
    QTest::mouseClick(Find("OpUTM"), Qt::LeftButton);
    ExpectActiveKeepingText(kUtm);
    ExpectInactiveAndEmpty(kDecimal);
    ExpectInactiveAndEmpty(kDegree);
    ExpectResultsEmpty();
}

TEST_F(InputModesTest, BackToDecimalDegreesFromUtm) {
    QTest::mouseClick(Find("OpUTM"), Qt::LeftButton);
    FillEverything();
    QTest::mouseClick(Find("OpDecGra"), Qt::LeftButton);
    ExpectActiveKeepingText(kDecimal);
    ExpectInactiveAndEmpty(kUtm);
    ExpectInactiveAndEmpty(kDegree);
    ExpectResultsEmpty();
}

TEST_F(InputModesTest, SettingTheOptionFromCodeRunsItsHandlerAtOnce) {
    FillEverything();
    Find<QRadioButton>("OpGraMinSeg")->setChecked(true);
    ExpectActiveKeepingText(kDegree);
    ExpectInactiveAndEmpty(kDecimal);
    ExpectResultsEmpty();
}

TEST_F(InputModesTest, ResultsAreEmptiedOnlyByAModeSwitch) {
    FillEverything();
    // Clicking the notation already chosen changes nothing.
    QTest::mouseClick(Find("OpDecGra"), Qt::LeftButton);
    for (const char* name : kOutput) EXPECT_FALSE(Find<QLineEdit>(name)->text().isEmpty()) << name;
}

class FocusSelection : public InputModesTest {
protected:
    void SetUp() override { ShowActive(); }
};

TEST_F(FocusSelection, TabbingIntoAFieldSelectsItsWholeText) {
    auto* lat = Find<QLineEdit>("Textlat");
    lat->setText(QStringLiteral("33.5"));
    Find("Textlon")->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(Find("Textlon"), Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), lat);
    EXPECT_EQ(lat->selectionStart(), 0);
    EXPECT_EQ(lat->selectedText(), QStringLiteral("33.5"));
    QTest::keyClicks(lat, QStringLiteral("34"));
    EXPECT_EQ(lat->text(), QStringLiteral("34"));
}

TEST_F(FocusSelection, EveryGeographicFieldSelectsWhateverFocusesIt) {
    for (const auto* group : {&kDecimal, &kDegree}) {
        if (group == &kDegree) QTest::mouseClick(Find("OpGraMinSeg"), Qt::LeftButton);
        for (const char* name : *group) {
            auto* box = Find<QLineEdit>(name);
            box->setText(QStringLiteral("12"));
            box->setCursorPosition(1);
            Find("Command4")->setFocus(Qt::OtherFocusReason);
            box->setFocus(Qt::OtherFocusReason);  // a reason that selects nothing by itself
            ASSERT_TRUE(box->hasFocus()) << name;
            EXPECT_EQ(box->selectionStart(), 0) << name;
            EXPECT_EQ(box->selectedText(), QStringLiteral("12")) << name;
        }
    }
}

TEST_F(FocusSelection, AnEmptyFieldSelectsNothing) {
    auto* lon = Find<QLineEdit>("Textlon");
    lon->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(lon->hasFocus());
    EXPECT_FALSE(lon->hasSelectedText());
    EXPECT_EQ(lon->cursorPosition(), 0);
}

TEST_F(FocusSelection, UtmFieldsHaveNoFocusHandler) {
    QTest::mouseClick(Find("OpUTM"), Qt::LeftButton);
    auto* north = Find<QLineEdit>("Text_iNorte");
    north->setText(QStringLiteral("6300000"));
    north->setCursorPosition(3);
    Find("Command4")->setFocus(Qt::OtherFocusReason);
    north->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(north->hasFocus());
    EXPECT_FALSE(north->hasSelectedText());
    EXPECT_EQ(north->cursorPosition(), 3);
}

}  // namespace
}  // namespace trevalco::testing
