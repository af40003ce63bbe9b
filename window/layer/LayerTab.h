// The tab "Calcular Capa SIG": "Examinar" chooses a layer file and lists
// its layers, the chosen layer's CRS is shown (or, where it has none,
// chosen from the list of the four datums' CRSs), and "OK" converts it in
// the direction of "Opciones", into the zone of "Forzar Zonas", the layer's
// own zone or latitude and longitude, under the name the save dialog gives.
// While a run has the window, the tab's controls start nothing; closing the
// main window stops the run and leaves nothing written.
#pragma once

#include <QObject>
#include <QPointer>
#include <optional>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "LayerCatalog.h"
#include "layer/LayerRun.h"
#include "layer/LayerTabControls.h"
#include "point/PointTabControls.h"

class QWidget;

namespace trevalco::point {
class ZoneAndShiftOptions;
}

namespace trevalco::batch {
class Avance;
}

namespace trevalco::layer {

class LayerTab : public QObject {
    Q_OBJECT
public:
    LayerTab(const LayerTabControls& controls, const point::PointTabControls& point,
             const point::ZoneAndShiftOptions& options, dialogs::Dialogs& dialogs, QWidget* window);
    ~LayerTab() override;

    void Examina_capa_Click();
    void cmbcapa_Click();
    void Ok_capa_Click();

    // Chooses a file as "Examinar" does ("Open with").
    void ChooseLayerFile(const QString& path);

    bool Running() const { return running_; }
    // The progress window of the run in progress (null between runs).
    batch::Avance* ProgressWindow() const { return avance_; }
    // What the last run came to.
    const std::optional<RunOutcome>& LastOutcome() const { return lastOutcome_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ListLayers(const std::string& path);
    void ShowDirection();
    const layers::LayerEntry* ChosenLayer() const;
    std::optional<layers::LayerRequest> RequestFromWindow();
    void Run(const layers::LayerRequest& request, std::int64_t features);
    void Report(const layers::LayerRequest& request, const RunOutcome& outcome);
    dialogs::Answer Warn(const std::string& text, const char* title = "Advertencia");

    LayerTabControls c_;
    point::PointTabControls point_;
    const point::ZoneAndShiftOptions& options_;
    dialogs::Dialogs& dialogs_;
    QPointer<QWidget> window_;
    std::string file_;
    std::vector<layers::LayerEntry> layers_;
    std::vector<layers::CrsChoice> choices_;
    batch::Avance* avance_ = nullptr;
    bool running_ = false;
    bool stopRequested_ = false;
    std::optional<RunOutcome> lastOutcome_;
};

}  // namespace trevalco::layer
