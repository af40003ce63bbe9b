// The window as it comes up: caption and icon, tabs and their controls,
// every caption, and the start states.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <map>
#include <string>

#include "controls/SystemColours.h"
#include "controls/TextBox.h"
#include "support/WindowFixture.h"

namespace trevalco::testing {
namespace {

using controls::BackColourOf;
using controls::SystemColour;

class StartUp : public WindowFixture {};

TEST_F(StartUp, CaptionIconAndBothSideFramesWhole) {
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("Trevalco.") + QString(121, QLatin1Char(' ')) + QStringLiteral("versión 1.1"));
    for (const QSize size : {QSize(16, 16), QSize(32, 32), QSize(48, 48)})
        EXPECT_TRUE(window->windowIcon().availableSizes().contains(size)) << size.width();
    // Outside the tab control, whole in the window, whichever tab is shown.
    for (const char* name : {"Frame29", "Frame31", "SSTab1"}) {
        EXPECT_EQ(Find(name)->parentWidget(), window.get()) << name;
        EXPECT_TRUE(window->rect().contains(Find(name)->geometry())) << name;
    }
}

TEST_F(StartUp, TabsHaveTheirCaptions) {
    QStringList captions;
    for (const char* name : {"SSTab1", "SSTab2"})
        for (int i = 0; i < Find<QTabWidget>(name)->count(); ++i) captions << Find<QTabWidget>(name)->tabText(i);
    EXPECT_EQ(captions, QStringList({"Calcular Coordenadas", "Calcular Archivo Excel", "Calcular Capa SIG", "    Decimal de Grado    ",
                                     "Grados Minutos Segundos", "              UTM                 "}));
    EXPECT_TRUE(Find<QTabWidget>("SSTab1")->widget(1)->isAncestorOf(Find("OLE1")));
    EXPECT_TRUE(Find<QTabWidget>("SSTab2")->widget(2)->isAncestorOf(Find("Ok_UTM")));
}

TEST_F(StartUp, CaptionsAreExact) {
    const std::map<std::string, QString> captions{
        {"Command4", "Acerca de"}, {"Salir", "Salir"}, {"OK", "OK"}, {"Examina_exel", "Examinar"},
        {"Ok_excel", "OK"}, {"OK_GraMinSeg", "OK"}, {"Ok_UTM", "OK"}, {"OpDecGra", "Decimal de grado"},
        {"OpGraMinSeg", "Grados Minutos Segundos"}, {"OpUTM", "U.T.M."},
        {"SIRGAS_PSAD56", "  SIRGAS (WGS84) -> PSAD56"}, {"SIRGAS_SAD69", "  SIRGAS (WGS84) -> SAD69"},
        {"PSAD56_SIRGAS", "  PSAD56 -> SIRGAS (WGS84)"}, {"SAD69_SIRGAS", "  SAD69 -> SIRGAS (WGS84)"},
        {"OpZ12", "12  Isla de Pascua"}, {"OpZ13", "13  Isla Salas y Gomez"},
        {"OpZ16", QStringLiteral("16  Territorio Chileno Antártico")},
        {"OpZ17", QStringLiteral("17  Territorio Chileno Antártico")},
        {"OpZ18", "18  Chile Continental, T.CH.Ant."}, {"OpZ19", "19  Chile Continental, T.CH.Ant."},
        {"OpZ20", QStringLiteral("20 Territorio Chileno Antártico")},
        {"OpZ21", QStringLiteral("21 Territorio Chileno Antártico")},
        {"OpZ22", QStringLiteral("22 Territorio Chileno Antártico")}, {"Check1", "Forzar Zonas"},
        {"Check_delta", "Deltas"}, {"Frame13", "Input"}, {"Frame12", "Output"}, {"Frame1", "Opciones"},
        {"Frame2", ""}, {"Frame29", ""}, {"Frame6", "Input"}, {"Frame9", "Output"}, {"Frame7", "Input"},
        {"Frame11", "Output"}, {"Frame24", "Input"}, {"Frame21", "Output"}, {"Label5", "Archivo"},
        {"lblHoja", "Hoja"}};
    for (const auto& [name, caption] : captions) {
        const QWidget* control = Find(name.c_str());  // a frame's caption is its title, other controls' their text
        EXPECT_EQ(control->property(qobject_cast<const QGroupBox*>(control) ? "title" : "text").toString(), caption) << name;
    }
}

TEST_F(StartUp, DecimalDegreesFirstDirectionAndOnlyTheDecimalFieldsOpen) {
    EXPECT_EQ(Find<QTabWidget>("SSTab1")->currentIndex() + Find<QTabWidget>("SSTab2")->currentIndex(), 0);
    QStringList set;
    for (auto* option : window->findChildren<QAbstractButton*>())
        if (option->isCheckable() && option->isChecked()) set << option->objectName();
    set.sort();
    EXPECT_EQ(set, (QStringList{"OpDecGra", "OpZ19", "SIRGAS_PSAD56"}));
    // name -> enabled, colour; every box empty.
    const std::map<std::string, std::pair<bool, SystemColour>> states{
        {"Textlat", {true, SystemColour::WindowBackground}}, {"Text_Gralat_i", {false, SystemColour::ScrollBar}},
        {"Text_Seglon_i", {false, SystemColour::ScrollBar}}, {"Text_iNorte", {false, SystemColour::ScrollBar}},
        {"Text_zona_1", {false, SystemColour::ScrollBar}}, {"Text_Olat", {true, SystemColour::ScrollBar}},
        {"Text_Zona", {true, SystemColour::ScrollBar}}, {"DeltaX", {false, SystemColour::ButtonFace}},
        {"Text_excel", {true, SystemColour::WindowBackground}}};
    for (const auto& [name, state] : states) {
        EXPECT_EQ(Find(name.c_str())->isEnabled(), state.first) << name;
        EXPECT_EQ(BackColourOf(*Find(name.c_str())), state.second) << name;
    }
    // But the layer tab's "Dirección", which shows the direction Form_Load chose.
    for (auto* box : window->findChildren<QLineEdit*>())
        EXPECT_EQ(box->text().isEmpty(), box->objectName() != "Text_direccion") << box->objectName().toStdString();
    EXPECT_TRUE(Find<QLineEdit>("Text_Olat")->isReadOnly());
    for (const char* zone : {"OpZ12", "OpZ18", "OpZ19", "OpZ22"}) EXPECT_FALSE(Find(zone)->isEnabled()) << zone;
    const QStringList twoCharacters{"Text_Gralat_i", "Text_Minlat_i", "Text_Gralon_i", "Text_Minlon_i"};
    for (auto* box : window->findChildren<controls::TextBox*>())
        EXPECT_EQ(box->MaxLength(), twoCharacters.contains(box->objectName()) ? 2 : 0) << box->objectName().toStdString();
    const auto lists = window->findChildren<QComboBox*>();
    EXPECT_EQ(lists.size(), 37);  // 34 column selectors, cmbhoja, cmbcapa and cmbsistema
    for (auto* list : lists) EXPECT_FALSE(list->isEditable());
}

}  // namespace
}  // namespace trevalco::testing
