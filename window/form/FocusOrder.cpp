// The tab key visits the geographic input fields first, then the tab strip,
// the workbook controls, the layer tab's controls in their order on the
// page, and OK; the results, selectors and options follow,
// and "Acerca de", "Salir" and the directions come last, from where it comes
// round to the first. Disabled and hidden controls are passed over, and a
// group of option buttons is one stop: the option that is set (the arrow
// keys move within the group).
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <vector>

#include "controls/DropDownList.h"
#include "controls/TextBox.h"
#include "form/FormParts.h"

namespace trevalco::app {

namespace {

// A group of option buttons is one stop of the tab key. The platform makes
// it the option that last had the focus; the option that is set, also by
// the program, takes that place, so that the tab key lands on it.
void MakeTheSetOptionTheStop(QRadioButton* option) {
    QObject::connect(option, &QRadioButton::toggled, option, [option](bool set) {
        if (!set) return;
        for (auto* other : option->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
            const int policy = other->focusPolicy();
            other->setFocusPolicy(static_cast<Qt::FocusPolicy>(other == option ? policy | Qt::TabFocus
                                                                               : policy & ~Qt::TabFocus));
        }
    });
}

}  // namespace

void SetFocusOrder(const VelmarForm& form) {
    const point::PointTabControls& p = form.point;
    std::vector<QWidget*> order{
        p.Textlat,       p.Textlon,       p.Text_Gralat_i, p.Text_Minlat_i,
        p.Text_Seglat_i, p.Text_Gralon_i, p.Text_Minlon_i, p.Text_Seglon_i,
        form.SSTab1->tabBar(), form.Text_excel, form.Examina_exel,
        form.layer.Text_capa, form.layer.Examina_capa, form.layer.cmbcapa, form.layer.Text_sistema,
        form.layer.cmbsistema, form.layer.Text_elementos, form.layer.Text_direccion, form.layer.Check_geografica,
        form.layer.Ok_capa, p.OK,
        p.Text_Olat, p.Text_Olon, p.Text_DeltaError, p.Text_ONorte, p.Text_OEste, p.Text_Zona,
        form.SSTab2->tabBar(),
    };
    // The selectors page by page, in the order of their guided sequence.
    const int selectors[] = {23, 1,  2,  15, 16, 9,  10, 13, 14, 24, 3,  4,  5,  6,  7,  8,  21,
                             22, 17, 18, 11, 12, 19, 20, 29, 32, 33, 31, 30, 34, 26, 25, 27, 28};
    for (int number : selectors) order.push_back(form.selectors.combos.at(static_cast<std::size_t>(number)));
    order.push_back(form.cmbhoja);
    for (QRadioButton* zone : p.zoneButtons) order.push_back(zone);
    order.insert(order.end(), {p.Text_zona_1, p.Text_iEste, p.Text_iNorte, p.Check1, p.OpDecGra,
                               p.OpGraMinSeg, p.OpUTM, p.DeltaX, p.DeltaY, p.DeltaZ, p.Check_delta,
                               form.Command4, form.Salir, p.SIRGAS_PSAD56, p.SIRGAS_SAD69,
                               p.PSAD56_SIRGAS, p.SAD69_SIRGAS});
    // The batch commands have no place of their own in the order: last.
    order.insert(order.end(), {form.Ok_excel, form.OK_GraMinSeg, form.Ok_UTM});
    // The sheet preview can be scrolled from the keyboard: after everything else.
    order.push_back(form.OLE1);
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    // A tab control hands its focus to its strip, which has its place above.
    // Left in the chain where it was made, the tab control would stand for
    // its strip a second time, where the tab key comes round, in place of
    // the first input box: it is no stop of its own.
    for (QTabWidget* tabs : {form.SSTab1, form.SSTab2}) {
        tabs->setFocusProxy(nullptr);
        tabs->setFocusPolicy(Qt::NoFocus);
    }
    for (QRadioButton* option : form.SSTab1->window()->findChildren<QRadioButton*>()) MakeTheSetOptionTheStop(option);
}

}  // namespace trevalco::app
