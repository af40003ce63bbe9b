// The controls of the tab "Calcular Capa SIG", as the window built them.
#pragma once

class QCheckBox;
class QPushButton;

namespace trevalco::controls {
class DropDownList;
class TextBox;
}  // namespace trevalco::controls

namespace trevalco::layer {

struct LayerTabControls {
    controls::TextBox* Text_capa = nullptr;         // the file chosen
    QPushButton* Examina_capa = nullptr;            // "Examinar"
    controls::DropDownList* cmbcapa = nullptr;      // the file's layers
    controls::TextBox* Text_sistema = nullptr;      // the layer's CRS
    controls::DropDownList* cmbsistema = nullptr;   // a CRS for a layer without one
    controls::TextBox* Text_elementos = nullptr;    // its feature count
    controls::TextBox* Text_direccion = nullptr;    // the direction of "Opciones"
    QCheckBox* Check_geografica = nullptr;          // write latitude and longitude
    QPushButton* Ok_capa = nullptr;
};

}  // namespace trevalco::layer
