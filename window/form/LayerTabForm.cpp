// The tab "Calcular Capa SIG": the layer file and its layers, the layer's
// coordinate reference system, the target, and OK. Placed as the tab
// "Calcular Archivo Excel" places its file and list.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "controls/DropDownList.h"
#include "controls/Frame.h"
#include "controls/TextBox.h"
#include "form/FormParts.h"
#include "form/Place.h"

namespace trevalco::app {
namespace {

using place::At;
using place::LabelFor;
using place::Make;
using place::OnPage;

// A read-only box for what the tab shows.
TextBox* Shown(QWidget* parent, const char* name, QRect twips) {
    auto* box = Make<TextBox>(parent, name, twips);
    box->setReadOnly(true);
    return box;
}

void BuildCrsFrame(QWidget* page, VelmarForm& form) {
    layer::LayerTabControls& c = form.layer;
    auto* frame = Make<Frame>(page, "FrameSistema", OnPage(120, 1320, 7935, 1500),
                              QStringLiteral("Sistema de referencia"));
    c.Text_sistema = Shown(frame, "Text_sistema", At(1680, 300, 6015, 315));
    LabelFor(frame, "lblSistema", QStringLiteral("De la capa"), At(120, 330, 1500, 255), c.Text_sistema);
    c.Text_sistema->setAccessibleName(QStringLiteral("Sistema de referencia de la capa"));
    c.cmbsistema = Make<controls::DropDownList>(frame, "cmbsistema", At(1680, 690, 6015, 315));
    LabelFor(frame, "lblElegirSistema", QStringLiteral("Elegido"), At(120, 720, 1500, 255), c.cmbsistema);
    c.cmbsistema->setAccessibleName(QStringLiteral("Sistema de referencia elegido"));
    c.Text_elementos = Shown(frame, "Text_elementos", At(1680, 1080, 1500, 315));
    LabelFor(frame, "lblElementos", QStringLiteral("Elementos"), At(120, 1110, 1500, 255), c.Text_elementos);
    c.Text_elementos->setAccessibleName(QStringLiteral("Elementos"));
}

void BuildTargetFrame(QWidget* page, VelmarForm& form) {
    layer::LayerTabControls& c = form.layer;
    auto* frame = Make<Frame>(page, "FrameDestino", OnPage(120, 2940, 7935, 1860), QStringLiteral("Destino"));
    c.Text_direccion = Shown(frame, "Text_direccion", At(1680, 300, 3495, 315));
    LabelFor(frame, "lblDireccion", QStringLiteral("Dirección"), At(120, 330, 1500, 255), c.Text_direccion);
    c.Text_direccion->setAccessibleName(QStringLiteral("Dirección"));
    const QString geographic = QStringLiteral("Coordenadas geográficas (latitud y longitud)");
    c.Check_geografica = Make<QCheckBox>(frame, "Check_geografica", At(1680, 690, 5400, 255), geographic);
    c.Check_geografica->setAccessibleName(geographic);
    Make<QLabel>(frame, "lblAyudaDestino", At(120, 1050, 7695, 690),
                 QStringLiteral("La dirección se elige en \"Opciones\" de la pestaña \"Calcular Coordenadas\";\n"
                                "la zona UTM, con \"Forzar Zonas\" (18 o 19). Sin ellas, la capa se escribe\n"
                                "en su propia zona, o en latitud y longitud si es geográfica."));
}

}  // namespace

QWidget* BuildLayerTab(VelmarForm& form) {
    auto* page = new QWidget;  // handed to the tab control, which owns it
    page->setObjectName(QStringLiteral("TabCalcularCapaSIG"));
    layer::LayerTabControls& c = form.layer;

    c.Text_capa = Make<TextBox>(page, "Text_capa", OnPage(840, 480, 5655, 315));
    c.Text_capa->setReadOnly(true);
    LabelFor(page, "lblArchivoCapa", QStringLiteral("Archivo"), OnPage(120, 480, 735, 195), c.Text_capa);
    c.Text_capa->setAccessibleName(QStringLiteral("Archivo"));
    c.Examina_capa = Make<QPushButton>(page, "Examina_capa", OnPage(6600, 480, 1455, 330), QStringLiteral("Examinar"));
    c.Examina_capa->setAccessibleName(QStringLiteral("Examinar"));
    c.cmbcapa = Make<controls::DropDownList>(page, "cmbcapa", OnPage(840, 840, 5655, 315));
    LabelFor(page, "lblCapa", QStringLiteral("Capa"), OnPage(120, 870, 585, 285), c.cmbcapa);
    c.cmbcapa->setAccessibleName(QStringLiteral("Capa"));

    BuildCrsFrame(page, form);
    BuildTargetFrame(page, form);
    c.Ok_capa = Make<QPushButton>(page, "Ok_capa", OnPage(3240, 5040, 1455, 375), QStringLiteral("OK"));
    c.Ok_capa->setAccessibleName(QStringLiteral("OK"));
    return page;
}

}  // namespace trevalco::app
