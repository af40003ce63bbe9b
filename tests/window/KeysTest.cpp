// The keyboard as a user drives the window, with real key events: Tab and
// Shift+Tab round every enabled control of the visible tab, Return pressing
// OK, and pasting into a box with a character limit.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "controls/TextBox.h"
#include "support/WindowFixture.h"

namespace trevalco::testing {
namespace {

class Keys : public WindowFixture {
protected:
    void SetUp() override { ShowActive(); }

    // Presses the key `count` times, naming the control that has the focus after each.
    QStringList Walk(int count, Qt::KeyboardModifiers modifiers) {
        QStringList stops;
        for (int i = 0; i < count; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            const QWidget* focus = QApplication::focusWidget();
            stops << (qobject_cast<const QTabBar*>(focus) != nullptr ? focus->parentWidget() : focus)->objectName();
        }
        return stops;
    }
};

// The tab shown, the notation chosen, "Forzar Zonas" and "Deltas" ticked
// or not, and the stops in order. A group of option buttons is one stop,
// the option that is set.
struct Round { int tab; const char* mode; bool optionsTicked; const char* stops; };

#define RESULTS "OK Text_Olat Text_Olon Text_DeltaError Text_ONorte Text_OEste Text_Zona "
#define BATCH_TAB "SSTab1 Text_excel Examina_exel SSTab2 cmbhoja "
#define LAYER_TAB "SSTab1 Text_capa Examina_capa cmbcapa Text_sistema Text_elementos Text_direccion Check_geografica Ok_capa "
const Round kRounds[] = {
    {0, "OpDecGra", false,
     "Textlat Textlon SSTab1 " RESULTS "Check1 OpDecGra Check_delta Command4 Salir SIRGAS_PSAD56"},
    {0, "OpGraMinSeg", false,
     "Text_Gralat_i Text_Minlat_i Text_Seglat_i Text_Gralon_i Text_Minlon_i Text_Seglon_i SSTab1 " RESULTS
     "Check1 OpGraMinSeg Check_delta Command4 Salir SIRGAS_PSAD56"},
    {0, "OpUTM", true,
     "SSTab1 " RESULTS "OpZ19 Text_zona_1 Text_iEste Text_iNorte Check1 OpUTM DeltaX DeltaY DeltaZ Check_delta "
     "Command4 Salir SIRGAS_PSAD56"},
    {1, "OpDecGra", false, BATCH_TAB "Check1 Check_delta Ok_excel OLE1"}, {1, "OpGraMinSeg", false, BATCH_TAB "Check1 Check_delta Ok_excel OLE1"},
    {1, "OpUTM", true, BATCH_TAB "OpZ19 Check1 DeltaX DeltaY DeltaZ Check_delta Ok_excel OLE1"},
    {2, "OpDecGra", false, LAYER_TAB "Check1 Check_delta"},
    {2, "OpUTM", true, LAYER_TAB "OpZ19 Check1 DeltaX DeltaY DeltaZ Check_delta"},
};

TEST_F(Keys, TabAndShiftTabGoRoundTheVisibleTab) {
    for (const Round& round : kRounds) {
        SCOPED_TRACE(std::string(round.mode) + " on tab " + std::to_string(round.tab));
        Find<QRadioButton>(round.mode)->setChecked(true);
        for (const char* box : {"Check1", "Check_delta"}) Find<QCheckBox>(box)->setChecked(round.optionsTicked);
        Find<QTabWidget>("SSTab1")->setCurrentIndex(round.tab);
        const QStringList stops = QString::fromLatin1(round.stops).split(QLatin1Char(' '));
        // The tab control stands for its strip.
        auto* tabs = window->findChild<QTabWidget*>(stops.front());
        (tabs != nullptr ? tabs->tabBar() : Find(stops.front().toLatin1().constData()))->setFocus(Qt::OtherFocusReason);

        EXPECT_EQ(Walk(static_cast<int>(stops.size()), Qt::NoModifier), stops.mid(1) << stops.front());  // and round
        EXPECT_EQ(Walk(static_cast<int>(stops.size()), Qt::ShiftModifier), QStringList(stops.rbegin(), stops.rend()));
    }
}

// Return in an input box of the point tab, or on its OK, converts (Return
// on a batch page's OK: with the batch pages' tests).
TEST_F(Keys, ReturnPressesOk) {
    const std::vector<std::pair<const char*, std::vector<std::pair<const char*, const char*>>>> cases = {
        {"OpDecGra", {{"Textlat", "33.45"}, {"Textlon", "70.65"}}},
        {"OpGraMinSeg", {{"Text_Gralat_i", "33"}, {"Text_Gralon_i", "70"}, {"Text_Seglon_i", "1"}}},
        {"OpUTM", {{"Text_iNorte", "6297606.833"}, {"Text_iEste", "346642.695"}, {"Text_zona_1", "19"}}},
        {"OpDecGra", {{"Textlat", "33.45"}, {"Textlon", "70.65"}, {"OK", ""}}}};
    for (const auto& [mode, typed] : cases) {
        Find<QRadioButton>(mode)->click();  // empties the results
        for (const auto& [box, text] : typed) {
            Find(box)->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(Find(box), QString::fromLatin1(text));
        }
        ASSERT_TRUE(Find<QLineEdit>("Text_Zona")->text().isEmpty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(Find<QLineEdit>("Text_Zona")->text(), QStringLiteral("19")) << mode << " " << typed.back().first;
    }
    EXPECT_TRUE(dialogs.Messages().empty());
}

// Typing or pasting keeps the first characters up to a box's limit; what
// the program writes stands whole.
TEST_F(Keys, PastingKeepsWhatFitsAsTypingDoes) {
    struct Case { const char *box, *before; bool selectAll; const char *pasted, *after; };
    const Case cases[] = {{"Text_Gralat_i", "", false, "123", "12"}, {"Text_Gralat_i", "1", false, "234", "12"},
                          {"Text_Gralat_i", "12", true, "345", "34"}, {"Text_Minlon_i", "", false, "5", "5"},
                          {"Text_Seglat_i", "", false, "59.9999", "59.9999"}};  // the last has no limit
    Find<QRadioButton>("OpGraMinSeg")->click();
    for (const Case& c : cases) {
        auto* box = Find<QLineEdit>(c.box);
        box->setText(QString::fromLatin1(c.before));
        box->setFocus(Qt::OtherFocusReason);
        box->setSelection(c.selectAll ? 0 : box->text().size(), c.selectAll ? box->text().size() : 0);
        QApplication::clipboard()->setText(QString::fromLatin1(c.pasted));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box->text(), QString::fromLatin1(c.after)) << c.box << " + " << c.pasted;
    }
    auto* degrees = Find<controls::TextBox>("Text_Gralat_i");
    degrees->clear();
    QTest::keyClicks(degrees, "123");
    EXPECT_EQ(degrees->text(), QStringLiteral("12"));
    degrees->setText(QStringLiteral("123"));
    EXPECT_EQ(degrees->text(), QStringLiteral("123"));
    QTest::keyClick(degrees, Qt::Key_Backspace);  // a long text can still be shortened
    EXPECT_EQ(degrees->text(), QStringLiteral("12"));
}

}  // namespace
}  // namespace trevalco::testing
