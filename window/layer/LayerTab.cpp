#include "layer/LayerTab.h"

#include <QCheckBox>
#include <QEvent>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <memory>

#include "Gdal.h"
#include "batch/Avance.h"
#include "batch/InputHold.h"
#include "controls/DropDownList.h"
#include "controls/SystemColours.h"
#include "controls/TextBox.h"
#include "PointTabRules.h"
#include "point/ZoneAndShiftOptions.h"

namespace trevalco::layer {

namespace {

constexpr const char* kTitle = "Calcular Capa SIG";

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace

LayerTab::LayerTab(const LayerTabControls& controls, const point::PointTabControls& point,
                   const point::ZoneAndShiftOptions& options, dialogs::Dialogs& dialogs, QWidget* window)
    : QObject(window), c_(controls), point_(point), options_(options), dialogs_(dialogs), window_(window) {
    connect(c_.Examina_capa, &QPushButton::clicked, this, &LayerTab::Examina_capa_Click);
    connect(c_.cmbcapa, &controls::DropDownList::Click, this, &LayerTab::cmbcapa_Click);
    connect(c_.Ok_capa, &QPushButton::clicked, this, &LayerTab::Ok_capa_Click);
    // Return on a focused OK presses it, as on the batch pages.
    c_.Ok_capa->setAutoDefault(true);
    for (QRadioButton* direction : {point_.SIRGAS_PSAD56, point_.SIRGAS_SAD69, point_.PSAD56_SIRGAS, point_.SAD69_SIRGAS})
        connect(direction, &QRadioButton::toggled, this, &LayerTab::ShowDirection);
    ShowDirection();
    c_.cmbsistema->setEnabled(false);
    // What the tab only shows has the colour of the point tab's results.
    for (QWidget* shown : std::initializer_list<QWidget*>{c_.cmbsistema, c_.Text_sistema, c_.Text_elementos, c_.Text_direccion})
        controls::SetBackColour(*shown, controls::SystemColour::ScrollBar);
    if (window_) window_->installEventFilter(this);
}

LayerTab::~LayerTab() = default;

void LayerTab::Examina_capa_Click() {
    if (running_) return;
    const std::optional<std::string> chosen =
        dialogs_.ChooseFileToOpen({ReadableLayerFilters(), "Elegir capa", {}});
    if (chosen) ListLayers(*chosen);
}

void LayerTab::ChooseLayerFile(const QString& path) { ListLayers(path.toStdString()); }

void LayerTab::ListLayers(const std::string& path) {
    file_ = path;
    c_.Text_capa->setText(QString::fromStdString(path));
    c_.cmbcapa->Clear();
    layers_.clear();
    try {
        layers_ = layers::ListLayers(path);
    } catch (const layers::LayerError& error) {
        cmbcapa_Click();  // empties what belonged to the previous file
        Warn(error.what(), "Error");
        return;
    }
    for (const layers::LayerEntry& entry : layers_) c_.cmbcapa->AddItem(QString::fromStdString(entry.name));
    c_.cmbcapa->SetListIndex(0);  // shows the first layer at once
}

const layers::LayerEntry* LayerTab::ChosenLayer() const {
    const int index = c_.cmbcapa->currentIndex();
    return index >= 0 && index < static_cast<int>(layers_.size()) ? &layers_[static_cast<std::size_t>(index)] : nullptr;
}

// The chooser of a CRS is offered only for a layer that names none.
void LayerTab::cmbcapa_Click() {
    const layers::LayerEntry* entry = ChosenLayer();
    c_.Text_sistema->setText(entry ? QString::fromStdString(entry->crsText) : QString());
    c_.Text_elementos->setText(entry ? QString::number(entry->features) : QString());
    const bool choose = entry != nullptr && !entry->declaresCrs;
    c_.cmbsistema->Clear();
    if (choose) {
        if (choices_.empty()) choices_ = layers::CrsChoices();
        for (const layers::CrsChoice& choice : choices_) c_.cmbsistema->AddItem(QString::fromStdString(choice.text));
    }
    c_.cmbsistema->setEnabled(choose);
    controls::SetBackColour(*c_.cmbsistema, choose ? controls::SystemColour::WindowBackground
                                                   : controls::SystemColour::ScrollBar);
}

void LayerTab::ShowDirection() {
    const DirectionKey key = point::DirectionOfButtons(
        point_.SIRGAS_PSAD56->isChecked(), point_.SIRGAS_SAD69->isChecked(), point_.PSAD56_SIRGAS->isChecked());
    c_.Text_direccion->setText(QString::fromStdString(DirectionCaption(key)));
}

dialogs::Answer LayerTab::Warn(const std::string& text, const char* title) {
    return dialogs_.Show({text, title, dialogs::MessageIcon::Exclamation, dialogs::Buttons::Ok});
}

// The checks run in the order a user fixes them: the file, the layer's CRS,
// the direction, the zone; then the output's name.
std::optional<layers::LayerRequest> LayerTab::RequestFromWindow() {
    const layers::LayerEntry* entry = ChosenLayer();
    if (file_.empty() || entry == nullptr) {
        Warn("Seleccione Archivo", "Error");
        return std::nullopt;
    }
    layers::LayerRequest request;
    request.input = file_;
    request.sourceLayer = entry->name;
    std::optional<layers::LayerCrs> crs = entry->crs;
    std::string crsText = entry->crsText;
    if (!entry->declaresCrs) {
        const int chosen = c_.cmbsistema->currentIndex();
        if (chosen < 0 || chosen >= static_cast<int>(choices_.size())) {
            Warn("La capa no trae sistema de referencia: elija el suyo en \"Elegido\", bajo \"Sistema de referencia\".");
            return std::nullopt;
        }
        crs = choices_[static_cast<std::size_t>(chosen)].crs;
        crsText = choices_[static_cast<std::size_t>(chosen)].text;
        request.sourceCrs = "EPSG:" + std::to_string(crs->code);
    }
    const DirectionKey key = point::DirectionOfButtons(
        point_.SIRGAS_PSAD56->isChecked(), point_.SIRGAS_SAD69->isChecked(), point_.PSAD56_SIRGAS->isChecked());
    // A CRS the program cannot convert from is named by the conversion itself.
    if (crs) {
        if (auto mismatch = DirectionMismatch(crs->datum, crsText, key)) {
            dialogs_.Show(*mismatch);
            return std::nullopt;
        }
    }
    request.target = datums::TargetOf(key);
    const zones::ForcedZone forced = options_.ForcedZone();
    request.geographic = c_.Check_geografica->isChecked();
    if (forced.zone && request.geographic) {
        Warn("\"Forzar Zonas\" y \"Coordenadas geográficas\" se excluyen: desmarque uno de los dos.");
        return std::nullopt;
    }
    if (forced.zone) request.targetZone = *forced.zone;

    const std::optional<std::string> output = dialogs_.ChooseFileToSave(
        {WritableLayerFilters(), "Guardar capa convertida", DefaultOutputPath(file_, request.target)});
    if (!output) return std::nullopt;
    if (SameFile(*output, file_)) {
        Warn("La capa convertida no puede reemplazar a la de entrada: elija otro nombre.");
        return std::nullopt;
    }
    request.output = *output;
    request.overwrite = true;  // the save dialog asked before replacing a file
    return request;
}

void LayerTab::Ok_capa_Click() {
    if (running_) return;
    const std::optional<layers::LayerRequest> request = RequestFromWindow();
    if (request) Run(*request, ChosenLayer()->features);
}

void LayerTab::Run(const layers::LayerRequest& request, std::int64_t features) {
    running_ = true;
    stopRequested_ = false;
    std::optional<RunOutcome> outcome;
    {
        const batch::InputHold hold({c_.Examina_capa, c_.cmbcapa, c_.cmbsistema, c_.Check_geografica, c_.Ok_capa});
        const auto progress = std::make_unique<batch::Avance>();
        progress->OfferCancel();
        if (window_) progress->PlaceOver(*window_);
        avance_ = progress.get();
        outcome = RunConversion(request, features, *progress, [this] { return stopRequested_; });
        avance_ = nullptr;
    }
    running_ = false;
    lastOutcome_ = outcome;
    // A run stopped by the window's closing ends with the program: no message.
    if (!stopRequested_) Report(request, *outcome);
}

void LayerTab::Report(const layers::LayerRequest& request, const RunOutcome& outcome) {
    switch (outcome.end) {
        case RunOutcome::End::Failed: Warn("No se pudo convertir la capa: " + outcome.error, "Error"); return;
        case RunOutcome::End::Interrupted:
            dialogs_.Show({"Conversión cancelada: no se escribió nada.", kTitle, dialogs::MessageIcon::Information,
                           dialogs::Buttons::Ok});
            return;
        case RunOutcome::End::Completed: break;
    }
    const RunReport report{request.output.string(), layers::CrsText(outcome.summary.targetCode), outcome.summary,
                           outcome.leftOutByCause};
    const dialogs::Message summary = SummaryMessage(report);
    if (dialogs_.Show(summary) == dialogs::Answer::Ok && summary.buttons == dialogs::Buttons::YesNo)
        dialogs_.ShowTable(ListedTable(outcome.listed, outcome.unlisted));
}

bool LayerTab::eventFilter(QObject* watched, QEvent* event) {
    // The main window closing ends the program: a run in progress stops
    // without writing.
    if (watched == window_ && event->type() == QEvent::Close && running_) stopRequested_ = true;
    return QObject::eventFilter(watched, event);
}

}  // namespace trevalco::layer
