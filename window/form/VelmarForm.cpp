#include "form/VelmarForm.h"

#include <QCheckBox>
#include <QFont>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

#include "controls/DropDownList.h"
#include "controls/SystemColours.h"
#include "controls/TextBox.h"
#include "form/FormParts.h"
#include "form/Place.h"

namespace trevalco::app {

using controls::SetBackColour;
using controls::SystemColour;

VelmarForm BuildForm(QWidget& window) {
    // The design's sizes are measured for the classic default font, a
    // narrow sans serif of 8 points; where that family is missing a
    // condensed sans serif of the same size keeps the captions in place.
    QFont designFont;
    designFont.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans Condensed")});
    designFont.setStyleHint(QFont::SansSerif);
    designFont.setPointSizeF(8);
    window.setFont(designFont);

    VelmarForm form;
    form.SSTab1 = place::Make<QTabWidget>(&window, "SSTab1", place::At(150, 120, 8175, 8130));
    QFont tabCaptions(QStringLiteral("Arial"));
    tabCaptions.setPointSizeF(8.25);
    form.SSTab1->tabBar()->setFont(tabCaptions);
    form.SSTab1->addTab(BuildPointTab(form), QStringLiteral("Calcular Coordenadas"));
    form.SSTab1->addTab(BuildBatchTab(form), QStringLiteral("Calcular Archivo Excel"));
    form.SSTab1->addTab(BuildLayerTab(form), QStringLiteral("Calcular Capa SIG"));
    BuildSideFrames(window, form);
    SetFocusOrder(form);
    return form;
}

void ApplyStoredStartStates(const VelmarForm& form) {
    const point::PointTabControls& p = form.point;

    // Text boxes empty, with the window colour unless stated otherwise.
    for (TextBox* box : form.SSTab1->window()->findChildren<TextBox*>()) {
        box->clear();
        SetBackColour(*box, SystemColour::WindowBackground);
    }
    for (DropDownList* list : form.SSTab1->window()->findChildren<DropDownList*>()) {
        list->setEditable(false);
        SetBackColour(*list, SystemColour::WindowBackground);
    }
    p.Check1->setChecked(false);
    p.Check_delta->setChecked(false);

    for (TextBox* shift : {p.DeltaX, p.DeltaY, p.DeltaZ}) {
        SetBackColour(*shift, SystemColour::ButtonFace);
        shift->setEnabled(false);
    }
    for (TextBox* utm : {p.Text_iNorte, p.Text_iEste, p.Text_zona_1}) {
        SetBackColour(*utm, SystemColour::ScrollBar);
        utm->setEnabled(false);
    }
    // Of all option buttons only zone 19 is set, among disabled zone buttons.
    p.zoneButtons[5]->setChecked(true);
    for (QRadioButton* zone : p.zoneButtons) zone->setEnabled(false);

    for (TextBox* result : {p.Text_Olat, p.Text_Olon, p.Text_DeltaError, p.Text_ONorte, p.Text_OEste,
                            p.Text_Zona}) {
        result->setReadOnly(true);
        SetBackColour(*result, SystemColour::ScrollBar);
    }
    for (TextBox* twoDigits : {p.Text_Gralat_i, p.Text_Minlat_i, p.Text_Gralon_i, p.Text_Minlon_i}) {
        twoDigits->SetMaxLength(2);
    }
    form.SSTab1->setCurrentIndex(0);
    form.SSTab2->setCurrentIndex(0);
}

}  // namespace trevalco::app
