// Every control of the main window, by its design name. The window owns the
// widgets (Qt parent ownership); this struct only points at them.
#pragma once

#include "batch/ColumnSelectors.h"
#include "layer/LayerTabControls.h"
#include "point/PointTabControls.h"

class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;
class QWidget;

namespace trevalco::controls {
class DropDownList;
class Frame;
class TextBox;
}  // namespace trevalco::controls

namespace trevalco::app {

using controls::DropDownList;
using controls::Frame;
using controls::TextBox;

struct VelmarForm {
    QTabWidget* SSTab1 = nullptr;
    Frame* Frame29 = nullptr;  // forced zone
    Frame* Frame31 = nullptr;  // shift display

    // Tab "Calcular Coordenadas".
    QWidget* Picture2 = nullptr;
    QLabel* Picture1 = nullptr;
    Frame* Frame13 = nullptr;
    Frame* Frame12 = nullptr;
    Frame* Frame1 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Salir = nullptr;  // element 0 of its button array
    point::PointTabControls point;

    // Tab "Calcular Archivo Excel".
    TextBox* Text_excel = nullptr;
    QPushButton* Examina_exel = nullptr;
    DropDownList* cmbhoja = nullptr;
    QTabWidget* SSTab2 = nullptr;
    QTableView* OLE1 = nullptr;  // sheet preview
    QPushButton* Ok_excel = nullptr;
    QPushButton* OK_GraMinSeg = nullptr;
    QPushButton* Ok_UTM = nullptr;
    batch::SelectorControls selectors;

    // Tab "Calcular Capa SIG".
    layer::LayerTabControls layer;
};

// Builds the whole design inside window: captions, positions, fonts, labels
// tied to their fields, and the focus order.
VelmarForm BuildForm(QWidget& window);

// The states the design stores, applied before the start-up procedure.
void ApplyStoredStartStates(const VelmarForm& form);

}  // namespace trevalco::app
