// The controls of the tab "Calcular Coordenadas" and of the forced-zone and
// shift frames beside the tabs, as the window built them. The window owns
// them; the point tab's handlers only use them.
#pragma once

#include <array>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace trevalco::controls {
class TextBox;
}

namespace trevalco::point {

using controls::TextBox;

struct PointTabControls {
    // Input notation options of the frame "Input".
    QRadioButton* OpDecGra = nullptr;
    QRadioButton* OpGraMinSeg = nullptr;
    QRadioButton* OpUTM = nullptr;

    // Decimal degrees.
    TextBox* Textlat = nullptr;
    TextBox* Textlon = nullptr;
    // Degrees, minutes and seconds.
    TextBox* Text_Gralat_i = nullptr;
    TextBox* Text_Gralon_i = nullptr;
    TextBox* Text_Minlat_i = nullptr;
    TextBox* Text_Minlon_i = nullptr;
    TextBox* Text_Seglat_i = nullptr;
    TextBox* Text_Seglon_i = nullptr;
    // UTM on the source datum.
    TextBox* Text_iNorte = nullptr;
    TextBox* Text_iEste = nullptr;
    TextBox* Text_zona_1 = nullptr;
    // Results.
    TextBox* Text_Olat = nullptr;
    TextBox* Text_Olon = nullptr;
    TextBox* Text_DeltaError = nullptr;
    TextBox* Text_ONorte = nullptr;
    TextBox* Text_OEste = nullptr;
    TextBox* Text_Zona = nullptr;

    QPushButton* OK = nullptr;

    // Direction options of the frame "Opciones".
    QRadioButton* SIRGAS_PSAD56 = nullptr;
    QRadioButton* SIRGAS_SAD69 = nullptr;
    QRadioButton* PSAD56_SIRGAS = nullptr;
    QRadioButton* SAD69_SIRGAS = nullptr;

    // "Forzar Zonas" and its zone buttons, OpZ12 to OpZ22 from top to bottom.
    QCheckBox* Check1 = nullptr;
    std::array<QRadioButton*, 9> zoneButtons{};

    // "Deltas" and its three fields.
    QCheckBox* Check_delta = nullptr;
    TextBox* DeltaX = nullptr;
    TextBox* DeltaY = nullptr;
    TextBox* DeltaZ = nullptr;
};

}  // namespace trevalco::point
