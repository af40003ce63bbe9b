#include "Velmar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "About.h"
#include "Artwork.h"
#include "batch/BatchPages.h"
#include "batch/ColumnSelectors.h"
#include "controls/Twips.h"
#include "layer/LayerTab.h"
#include "point/InputModes.h"
#include "point/PointCommand.h"
#include "batch/WorkbookChoice.h"
#include "point/ZoneAndShiftOptions.h"

namespace trevalco::app {
namespace {

// The client area reaches past the right edge of Frame29 (11385 twips), so
// the forced-zone and shift frames show whole beside the tabs.
constexpr int kClientWidthTwips = 11520;
constexpr int kClientHeightTwips = 8415;
constexpr int kClientLeftTwips = 2865;
constexpr int kClientTopTwips = 1605;

}  // namespace

QString WindowCaption() {
    return QStringLiteral("Trevalco.") + QString(121, QLatin1Char(' ')) + QStringLiteral("versión 1.1");
}

Velmar::Velmar(dialogs::Dialogs& dialogs, std::function<void()> endProgram, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), endProgram_(std::move(endProgram)) {
    if (!endProgram_) endProgram_ = [] { QCoreApplication::quit(); };
    setObjectName(QStringLiteral("Velmar"));
    setWindowTitle(WindowCaption());
    setWindowIcon(WindowIcon());
    setFixedSize(controls::TwipsToPixels(kClientWidthTwips), controls::TwipsToPixels(kClientHeightTwips));
    move(controls::TwipsToPixels(kClientLeftTwips), controls::TwipsToPixels(kClientTopTwips));

    form_ = BuildForm(*this);
    ApplyStoredStartStates(form_);

    inputModes_ = new point::InputModes(form_.point, this);
    options_ = new point::ZoneAndShiftOptions(form_.point, this);
    pointCommand_ = new point::PointCommand(form_.point, *options_, dialogs_, this);
    selectors_ = new batch::ColumnSelectors(form_.selectors, this);
    workbookChoice_ = new batch::WorkbookChoice(
        {form_.Text_excel, form_.Examina_exel, form_.cmbhoja, form_.OLE1}, *selectors_, dialogs_, this);
    batchPages_ = new batch::BatchPages({form_.Text_excel, form_.Examina_exel, form_.cmbhoja, form_.Ok_excel,
                                         form_.OK_GraMinSeg, form_.Ok_UTM, form_.selectors, form_.point},
                                        *options_, dialogs_, this);
    layerTab_ = new layer::LayerTab(form_.layer, form_.point, *options_, dialogs_, this);
    connect(form_.Command4, &QPushButton::clicked, this, &Velmar::Command4_Click);
    connect(form_.Salir, &QPushButton::clicked, this, [this] { Salir_Click(0); });

    Form_Load();
}

Velmar::~Velmar() = default;

void Velmar::Form_Load() {
    form_.point.OpDecGra->setChecked(true);  // runs OpDecGra_Click at once
    form_.point.SIRGAS_PSAD56->setChecked(true);
    selectors_->FillAtStart();
}

void Velmar::Command4_Click() {
    dialogs_.Show({AboutText(), std::string(), dialogs::MessageIcon::Information, dialogs::Buttons::Ok});
}

void Velmar::Salir_Click(std::int16_t /*index*/) { close(); }

// The close box ends the program just as "Salir" does.
void Velmar::closeEvent(QCloseEvent* event) {
    event->accept();
    EndProgram();
}

// Closes every other window of the program, then ends it.
void Velmar::EndProgram() {
    if (ending_) return;
    ending_ = true;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible()) window->close();
    }
    endProgram_();
}

}  // namespace trevalco::app
