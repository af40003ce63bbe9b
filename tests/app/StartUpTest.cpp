// The window as it comes up: structure, captions, places, start states,
// colours, focus order and the labels tied to their fields.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <map>
#include <string>

#include "controls/DropDownList.h"
#include "controls/SystemColours.h"
#include "controls/TextBox.h"
#include "support/WindowFixture.h"

namespace trevalco::testing {
namespace {

using controls::BackColourOf;
using controls::SystemColour;

class StartUp : public WindowFixture {};

// Twips of the design to pixels.
QRect Twips(int left, int top, int width, int height) {
    return {(left + 7) / 15, (top + 7) / 15, (width + 7) / 15, (height + 7) / 15};
}

// A control's rectangle relative to another one that contains it.
QRect RectIn(const QWidget& control, const QWidget& container) {
    return {control.mapTo(&container, QPoint(0, 0)), control.size()};
}

TEST_F(StartUp, CaptionIsTitleBlanksAndVersion) {
    const QString caption = window->windowTitle();
    EXPECT_EQ(caption, QStringLiteral("Trevalco.") + QString(121, QLatin1Char(' ')) + QStringLiteral("versión 1.1"));
    EXPECT_EQ(window->objectName(), QStringLiteral("Velmar"));
    const QList<QSize> sizes = window->windowIcon().availableSizes();
    for (const QSize size : {QSize(16, 16), QSize(32, 32), QSize(48, 48)}) {
        EXPECT_TRUE(sizes.contains(size)) << size.width();
    }
}

TEST_F(StartUp, WindowShowsBothSideFramesWhole) {
    const QWidget* frame29 = Find("Frame29");
    const QWidget* frame31 = Find("Frame31");
    EXPECT_EQ(frame29->geometry(), Twips(8520, 450, 2865, 3540));
    EXPECT_EQ(frame31->geometry(), Twips(8505, 4200, 2850, 1335));
    EXPECT_TRUE(window->rect().contains(frame29->geometry()));
    EXPECT_TRUE(window->rect().contains(frame31->geometry()));
    EXPECT_TRUE(window->rect().contains(Find("SSTab1")->geometry()));
    EXPECT_EQ(Find("SSTab1")->geometry(), Twips(150, 120, 8175, 8130));
    // Outside the tab control: the frames stay whichever tab is shown.
    EXPECT_EQ(frame29->parentWidget(), window.get());
    EXPECT_EQ(frame31->parentWidget(), window.get());
}

TEST_F(StartUp, TabsHaveTheirCaptionsAndControls) {
    auto* tabs1 = Find<QTabWidget>("SSTab1");
    ASSERT_EQ(tabs1->count(), 2);
    EXPECT_EQ(tabs1->tabText(0), QStringLiteral("Calcular Coordenadas"));
    EXPECT_EQ(tabs1->tabText(1), QStringLiteral("Calcular Archivo Excel"));
    EXPECT_EQ(tabs1->tabBar()->font().family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(tabs1->tabBar()->font().pointSizeF(), 8.25);

    for (const char* name : {"Picture2", "Frame1", "Command4", "Salir", "Picture1", "Frame13", "Frame12", "OK"}) {
        EXPECT_TRUE(tabs1->widget(0)->isAncestorOf(Find(name))) << name;
    }
    for (const char* name : {"Label5", "Text_excel", "Examina_exel", "lblHoja", "cmbhoja", "SSTab2", "OLE1"}) {
        EXPECT_TRUE(tabs1->widget(1)->isAncestorOf(Find(name))) << name;
    }

    auto* tabs2 = Find<QTabWidget>("SSTab2");
    ASSERT_EQ(tabs2->count(), 3);
    EXPECT_EQ(tabs2->tabText(0), QStringLiteral("    Decimal de Grado    "));
    EXPECT_EQ(tabs2->tabText(1), QStringLiteral("Grados Minutos Segundos"));
    EXPECT_EQ(tabs2->tabText(2), QStringLiteral("              UTM                 "));
    const std::map<std::string, int> pageOf{
        {"Frame6", 0}, {"Frame9", 0}, {"Ok_excel", 0}, {"Frame7", 1}, {"Frame11", 1},
        {"OK_GraMinSeg", 1}, {"Frame24", 2}, {"Frame21", 2}, {"Ok_UTM", 2}};
    for (const auto& [name, page] : pageOf) {
        EXPECT_TRUE(tabs2->widget(page)->isAncestorOf(Find(name.c_str()))) << name;
    }
}

TEST_F(StartUp, CaptionsAreExact) {
    const std::map<std::string, QString> captions{
        {"Command4", QStringLiteral("Acerca de")},
        {"Salir", QStringLiteral("Salir")},
        {"OK", QStringLiteral("OK")},
        {"Examina_exel", QStringLiteral("Examinar")},
        {"Ok_excel", QStringLiteral("OK")},
        {"OK_GraMinSeg", QStringLiteral("OK")},
        {"Ok_UTM", QStringLiteral("OK")},
        {"OpDecGra", QStringLiteral("Decimal de grado")},
        {"OpGraMinSeg", QStringLiteral("Grados Minutos Segundos")},
        {"OpUTM", QStringLiteral("U.T.M.")},
        {"SIRGAS_PSAD56", QStringLiteral("  SIRGAS (WGS84) -> PSAD56")},
        {"SIRGAS_SAD69", QStringLiteral("  SIRGAS (WGS84) -> SAD69")},
        {"PSAD56_SIRGAS", QStringLiteral("  PSAD56 -> SIRGAS (WGS84)")},
        {"SAD69_SIRGAS", QStringLiteral("  SAD69 -> SIRGAS (WGS84)")},
        {"OpZ12", QStringLiteral("12  Isla de Pascua")},
        {"OpZ13", QStringLiteral("13  Isla Salas y Gomez")},
        {"OpZ16", QStringLiteral("16  Territorio Chileno Antártico")},
        {"OpZ17", QStringLiteral("17  Territorio Chileno Antártico")},
        {"OpZ18", QStringLiteral("18  Chile Continental, T.CH.Ant.")},
        {"OpZ19", QStringLiteral("19  Chile Continental, T.CH.Ant.")},
        {"OpZ20", QStringLiteral("20 Territorio Chileno Antártico")},
        {"OpZ21", QStringLiteral("21 Territorio Chileno Antártico")},
        {"OpZ22", QStringLiteral("22 Territorio Chileno Antártico")},
        {"Check1", QStringLiteral("Forzar Zonas")},
        {"Check_delta", QStringLiteral("Deltas")},
    };
    for (const auto& [name, caption] : captions) {
        auto* button = Find<QAbstractButton>(name.c_str());
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), caption) << name;
    }
    const std::map<std::string, QString> frames{
        {"Frame13", QStringLiteral("Input")}, {"Frame12", QStringLiteral("Output")},
        {"Frame1", QStringLiteral("Opciones")}, {"Frame2", QString()}, {"Frame4", QString()},
        {"Frame30", QString()}, {"Frame29", QString()}, {"Frame31", QString()},
        {"Frame6", QStringLiteral("Input")}, {"Frame9", QStringLiteral("Output")},
        {"Frame7", QStringLiteral("Input")}, {"Frame11", QStringLiteral("Output")},
        {"Frame24", QStringLiteral("Input")}, {"Frame21", QStringLiteral("Output")}};
    for (const auto& [name, caption] : frames) {
        auto* frame = Find<QGroupBox>(name.c_str());
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->title(), caption) << name;
    }
    EXPECT_EQ(Find<QLabel>("Label5")->text(), QStringLiteral("Archivo"));
    EXPECT_EQ(Find<QLabel>("lblHoja")->text(), QStringLiteral("Hoja"));
}

TEST_F(StartUp, ControlsStandWhereTheDesignPutsThem) {
    const QWidget* tabs1 = Find("SSTab1");
    const QWidget* picture2 = Find("Picture2");
    const QWidget* frame13 = Find("Frame13");
    // Within the tab control the page starts below the tab strip: compare
    // positions relative to Picture2 and sizes, which do not depend on it.
    EXPECT_EQ(picture2->size(), Twips(0, 0, 7815, 6180).size());
    EXPECT_EQ(Find("Picture1")->geometry(), Twips(480, 120, 6670, 790));
    EXPECT_EQ(frame13->geometry(), Twips(0, 1080, 7695, 2865));
    EXPECT_EQ(Find("Frame12")->geometry(), Twips(270, 4020, 7215, 1575));
    EXPECT_EQ(Find("OK")->geometry(), Twips(6030, 5670, 1440, 375));
    // Options on a frame's border may be wider than the design, to show
    // their whole caption in the font at hand.
    const auto onBorder = [&](const char* name, QRect design) {
        const QRect actual = Find(name)->geometry();
        EXPECT_EQ(actual.topLeft(), design.topLeft()) << name;
        EXPECT_EQ(actual.height(), design.height()) << name;
        EXPECT_GE(actual.width(), design.width()) << name;
        EXPECT_GE(actual.width(), Find(name)->sizeHint().width()) << name;
    };
    onBorder("OpDecGra", Twips(450, 210, 1695, 255));
    EXPECT_EQ(Find("Frame2")->geometry(), Twips(240, 240, 3615, 1095));
    onBorder("OpGraMinSeg", Twips(4170, 240, 2175, 255));
    EXPECT_EQ(Find("Frame4")->geometry(), Twips(3960, 240, 3615, 1095));
    onBorder("OpUTM", Twips(510, 1410, 915, 255));
    EXPECT_EQ(Find("Frame30")->geometry(), Twips(300, 1410, 7155, 1245));
    // Offsets between controls of the same page, as in the design.
    const QPoint origin = RectIn(*picture2, *tabs1).topLeft() - Twips(270, 360, 0, 0).topLeft();
    const auto onTab = [&](const char* name) { return RectIn(*Find(name), *tabs1).translated(-origin); };
    EXPECT_EQ(onTab("Frame1"), Twips(540, 6450, 7200, 1065));
    EXPECT_EQ(onTab("Command4"), Twips(4845, 7635, 1400, 375));
    EXPECT_EQ(onTab("Salir"), Twips(6345, 7635, 1400, 375));
    for (const char* field : {"Text_Gralat_i", "Text_Minlat_i", "Text_Gralon_i", "Text_Minlon_i"}) {
        EXPECT_EQ(Find(field)->width(), 25) << field;
    }
    EXPECT_EQ(Find("Text_Seglat_i")->width(), 41);
    EXPECT_EQ(Find("Text_Seglon_i")->width(), 41);
    for (const char* field : {"DeltaX", "DeltaY", "DeltaZ"}) EXPECT_EQ(Find(field)->width(), 46) << field;

    const QWidget* tabs2 = Find("SSTab2");
    EXPECT_EQ(tabs2->size(), Twips(0, 0, 7935, 5295).size());
    const QPoint batchOrigin = RectIn(*Find("Text_excel"), *tabs1).topLeft() - Twips(840, 480, 0, 0).topLeft();
    const auto onBatchTab = [&](const char* name) { return RectIn(*Find(name), *tabs1).translated(-batchOrigin); };
    EXPECT_EQ(onBatchTab("Label5"), Twips(120, 480, 735, 195));
    EXPECT_EQ(onBatchTab("Examina_exel"), Twips(6600, 480, 1455, 330));
    EXPECT_EQ(onBatchTab("lblHoja"), Twips(120, 870, 585, 285));
    EXPECT_EQ(onBatchTab("cmbhoja"), Twips(840, 840, 2235, 315));
    EXPECT_EQ(onBatchTab("SSTab2"), Twips(120, 1275, 7935, 5295));
    EXPECT_EQ(onBatchTab("OLE1"), Twips(120, 6690, 7935, 1290));
}

TEST_F(StartUp, SignLabelsUseTheirFont) {
    int signs = 0;
    for (QLabel* label : Find("Frame4")->findChildren<QLabel*>()) {
        const QString text = label->text();
        if (text != QStringLiteral("°") && text != QStringLiteral("'") && text != QStringLiteral("\"")) continue;
        ++signs;
        EXPECT_EQ(label->font().family(), QStringLiteral("MS Sans Serif"));
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 12.0);
    }
    EXPECT_EQ(signs, 6);
}

// The design as stored, before the start-up procedure runs: of all option
// buttons only zone 19 is set, and the selectors are still empty.
TEST(StoredDesign, OnlyZone19IsSetAndSelectorsAreEmpty) {
    QWidget bare;
    const app::VelmarForm form = app::BuildForm(bare);
    app::ApplyStoredStartStates(form);
    for (QRadioButton* option : bare.findChildren<QRadioButton*>()) {
        EXPECT_EQ(option->isChecked(), option->objectName() == "OpZ19") << option->objectName().toStdString();
    }
    for (QComboBox* list : bare.findChildren<QComboBox*>()) EXPECT_EQ(list->count(), 0);
    EXPECT_TRUE(form.point.Text_Gralat_i->isEnabled());  // Form_Load disables it
    EXPECT_FALSE(form.point.Text_iNorte->isEnabled());
}

TEST_F(StartUp, PointTabShownWithDecimalDegreesAndFirstDirection) {
    EXPECT_EQ(Find<QTabWidget>("SSTab1")->currentIndex(), 0);
    EXPECT_EQ(Find<QTabWidget>("SSTab2")->currentIndex(), 0);
    EXPECT_TRUE(Find<QRadioButton>("OpDecGra")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>("OpGraMinSeg")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>("OpUTM")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("SIRGAS_PSAD56")->isChecked());
    for (const char* other : {"SIRGAS_SAD69", "PSAD56_SIRGAS", "SAD69_SIRGAS"}) {
        EXPECT_FALSE(Find<QRadioButton>(other)->isChecked()) << other;
    }
    EXPECT_FALSE(Find<QCheckBox>("Check1")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("Check_delta")->isChecked());
}

TEST_F(StartUp, OnlyTheDecimalFieldsAcceptInput) {
    for (auto* box : window->findChildren<QLineEdit*>()) {
        EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
    }
    for (const char* name : {"Textlat", "Textlon"}) {
        EXPECT_TRUE(Find(name)->isEnabled()) << name;
        EXPECT_EQ(BackColourOf(*Find(name)), SystemColour::WindowBackground) << name;
    }
    for (const char* name : {"Text_Gralat_i", "Text_Gralon_i", "Text_Minlat_i", "Text_Minlon_i",
                             "Text_Seglat_i", "Text_Seglon_i", "Text_iNorte", "Text_iEste", "Text_zona_1"}) {
        EXPECT_FALSE(Find(name)->isEnabled()) << name;
        EXPECT_EQ(BackColourOf(*Find(name)), SystemColour::ScrollBar) << name;
    }
    for (const char* name : {"Text_Olat", "Text_Olon", "Text_DeltaError", "Text_ONorte", "Text_OEste", "Text_Zona"}) {
        EXPECT_TRUE(Find<QLineEdit>(name)->isReadOnly()) << name;
        EXPECT_EQ(BackColourOf(*Find(name)), SystemColour::ScrollBar) << name;
    }
    for (const char* name : {"DeltaX", "DeltaY", "DeltaZ"}) {
        EXPECT_FALSE(Find(name)->isEnabled()) << name;
        EXPECT_EQ(BackColourOf(*Find(name)), SystemColour::ButtonFace) << name;
    }
    EXPECT_TRUE(Find("Text_excel")->isEnabled());
    EXPECT_EQ(BackColourOf(*Find("Text_excel")), SystemColour::WindowBackground);
}

TEST_F(StartUp, FourDegreeAndMinuteFieldsTakeTwoCharacters) {
    for (auto* box : window->findChildren<controls::TextBox*>()) {
        const QString name = box->objectName();
        const bool twoDigits = name == "Text_Gralat_i" || name == "Text_Minlat_i" || name == "Text_Gralon_i" ||
                               name == "Text_Minlon_i";
        EXPECT_EQ(box->MaxLength(), twoDigits ? 2 : 0) << name.toStdString();
    }
    // The user types at most two characters; what the program writes stands whole.
    ShowActive();
    Find<QRadioButton>("OpGraMinSeg")->click();
    auto* degrees = Find<controls::TextBox>("Text_Gralat_i");
    degrees->setFocus();
    QTest::keyClicks(degrees, "123");
    EXPECT_EQ(degrees->text(), "12");
    degrees->setText("123");
    EXPECT_EQ(degrees->text(), "123");
}

TEST_F(StartUp, ZoneButtonsDisabledWithZone19Selected) {
    for (const char* name : {"OpZ12", "OpZ13", "OpZ16", "OpZ17", "OpZ18", "OpZ19", "OpZ20", "OpZ21", "OpZ22"}) {
        auto* zone = Find<QRadioButton>(name);
        EXPECT_FALSE(zone->isEnabled()) << name;
        EXPECT_EQ(zone->isChecked(), std::string(name) == "OpZ19") << name;
        EXPECT_TRUE(Find("Frame29")->isAncestorOf(zone)) << name;
    }
    for (const char* name : {"DeltaX", "DeltaY", "DeltaZ"}) EXPECT_TRUE(Find("Frame31")->isAncestorOf(Find(name)));
}

TEST_F(StartUp, EveryListIsChooseOnly) {
    const auto lists = window->findChildren<QComboBox*>();
    EXPECT_EQ(lists.size(), 35);  // 34 column selectors and cmbhoja
    for (auto* list : lists) EXPECT_FALSE(list->isEditable()) << list->objectName().toStdString();
    EXPECT_EQ(Find<QComboBox>("cmbhoja")->count(), 0);
}

TEST_F(StartUp, SwitchingToTheBatchTabKeepsOnlyTheSideFrames) {
    ShowActive();
    Find<QTabWidget>("SSTab1")->setCurrentIndex(1);
    for (const char* name : {"Frame1", "Command4", "Salir", "OK", "Textlat"}) {
        EXPECT_FALSE(Find(name)->isVisible()) << name;
    }
    for (const char* name : {"Frame29", "Frame31", "Check1", "Check_delta", "Text_excel", "SSTab2", "Combo23"}) {
        EXPECT_TRUE(Find(name)->isVisible()) << name;
    }
}

// The name a widget has in the focus order: the tab strips count as their
// tab controls.
QString FocusName(const QWidget* widget) {
    if (qobject_cast<const QTabBar*>(widget) != nullptr) return widget->parentWidget()->objectName();
    return widget->objectName();
}

TEST_F(StartUp, TabKeyFollowsTheDesignOrder) {
    const QStringList expected = QStringLiteral(
        "Textlat Textlon Text_Gralat_i Text_Minlat_i Text_Seglat_i Text_Gralon_i Text_Minlon_i "
        "Text_Seglon_i SSTab1 Text_excel Examina_exel OK Text_Olat Text_Olon Text_DeltaError "
        "Text_ONorte Text_OEste Text_Zona SSTab2 Combo23 Combo1 Combo2 Combo15 Combo16 Combo9 Combo10 "
        "Combo13 Combo14 Combo24 Combo3 Combo4 Combo5 Combo6 Combo7 Combo8 Combo21 Combo22 Combo17 "
        "Combo18 Combo11 Combo12 Combo19 Combo20 Combo29 Combo32 Combo33 Combo31 Combo30 Combo34 "
        "Combo26 Combo25 Combo27 Combo28 cmbhoja OpZ12 OpZ13 OpZ16 OpZ17 OpZ18 OpZ19 OpZ20 OpZ21 "
        "OpZ22 Text_zona_1 Text_iEste Text_iNorte Check1 OpDecGra OpGraMinSeg OpUTM DeltaX DeltaY "
        "DeltaZ Check_delta Command4 Salir SIRGAS_PSAD56 SIRGAS_SAD69 PSAD56_SIRGAS SAD69_SIRGAS "
        "Ok_excel OK_GraMinSeg Ok_UTM OLE1")
                                    .split(QLatin1Char(' '));
    // Every control the tab key can reach, in the order of the focus chain.
    QStringList chain;
    const QWidget* start = Find("Textlat");
    const QWidget* widget = start;
    do {
        // The tab strips' own scroll buttons are part of the strip.
        const bool partOfStrip = qobject_cast<const QTabBar*>(widget->parentWidget()) != nullptr;
        if ((widget->focusPolicy() & Qt::TabFocus) != 0 && widget->focusProxy() == nullptr && !partOfStrip &&
            widget->window() == window.get()) {
            chain << FocusName(widget);
        }
        widget = widget->nextInFocusChain();
    } while (widget != start);
    EXPECT_EQ(chain.join(QLatin1Char(' ')), expected.join(QLatin1Char(' ')));
}

TEST_F(StartUp, TabKeySkipsDisabledFields) {
    ShowActive();
    Find("Textlat")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Find("Textlon"));
    // The degree fields are disabled: the next stop is the tab strip.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Find<QTabWidget>("SSTab1")->tabBar());
}

TEST_F(StartUp, FieldsAndSelectorsAreTiedToTheirLabels) {
    std::map<QString, QString> labelOf;  // field name -> label text
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy() != nullptr) labelOf[label->buddy()->objectName()] = label->text();
    }
    const std::map<std::string, QString> expected{
        {"Textlat", "Latitud"}, {"Textlon", "Longitud"}, {"Text_iNorte", "Norte"}, {"Text_iEste", "Este"},
        {"Text_zona_1", "Zona"}, {"Text_Olat", "Latitud"}, {"Text_Olon", "Longitud"},
        {"Text_DeltaError", "Delta Error"}, {"Text_ONorte", "Norte"}, {"Text_OEste", "Este"},
        {"Text_Zona", "Zona"}, {"DeltaX", "Delta X"}, {"DeltaY", "Delta Y"}, {"DeltaZ", "Delta Z"},
        {"Text_excel", "Archivo"}, {"cmbhoja", "Hoja"}, {"Combo23", "Nombre Punto"}, {"Combo1", "Latitud"},
        {"Combo16", "Este"}, {"Combo5", "Segundos"}, {"Combo8", "Segundos"}, {"Combo34", "Huso"},
        {"Combo28", "Longitud"}};
    for (const auto& [field, text] : expected) {
        EXPECT_EQ(labelOf[QString::fromStdString(field)], text) << field;
    }
    for (int n = 1; n <= 34; ++n) {
        EXPECT_FALSE(labelOf[QStringLiteral("Combo%1").arg(n)].isEmpty()) << "Combo" << n;
    }
    // One label "Latitud" (and one "Longitud") serves three degree fields.
    for (const char* name : {"Text_Gralat_i", "Text_Minlat_i", "Text_Seglat_i"}) {
        EXPECT_EQ(Find(name)->accessibleName(), QStringLiteral("Latitud")) << name;
    }
    for (const char* name : {"Text_Gralon_i", "Text_Minlon_i", "Text_Seglon_i"}) {
        EXPECT_EQ(Find(name)->accessibleName(), QStringLiteral("Longitud")) << name;
    }
}

}  // namespace
}  // namespace trevalco::testing
