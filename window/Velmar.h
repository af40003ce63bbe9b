// The main window: its three tabs, the forced-zone and shift frames, start-up,
// the about message and exit.
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "Dialogs.h"
#include "form/VelmarForm.h"

namespace trevalco::point {
class InputModes;
class PointCommand;
class ZoneAndShiftOptions;
}  // namespace trevalco::point

namespace trevalco::batch {
class BatchPages;
class ColumnSelectors;
class WorkbookChoice;
}

namespace trevalco::layer {
class LayerTab;
}

namespace trevalco::app {

// "Trevalco." and the version, 121 blanks apart.
QString WindowCaption();

class Velmar : public QWidget {
    Q_OBJECT
public:
    // Loads the window: its stored design, then Form_Load. endProgram is what
    // ending the program does once every window is closed (by default, leave
    // the event loop).
    explicit Velmar(dialogs::Dialogs& dialogs, std::function<void()> endProgram = {},
                    QWidget* parent = nullptr);
    ~Velmar() override;

    const VelmarForm& Form() const { return form_; }
    point::InputModes& InputModes() { return *inputModes_; }
    point::ZoneAndShiftOptions& ZoneAndShiftOptions() { return *options_; }
    point::PointCommand& PointCommand() { return *pointCommand_; }
    batch::ColumnSelectors& ColumnSelectors() { return *selectors_; }
    batch::WorkbookChoice& WorkbookChoice() { return *workbookChoice_; }
    batch::BatchPages& BatchPages() { return *batchPages_; }
    layer::LayerTab& LayerTab() { return *layerTab_; }

    // Start-up: decimal degrees, SIRGAS to PSAD56, selectors filled and disabled.
    void Form_Load();
    // "Acerca de".
    void Command4_Click();
    // "Salir", element 0 of its button array; the index is not used.
    void Salir_Click(std::int16_t index);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void EndProgram();

    dialogs::Dialogs& dialogs_;
    std::function<void()> endProgram_;
    VelmarForm form_;
    point::InputModes* inputModes_ = nullptr;            // child QObject
    point::ZoneAndShiftOptions* options_ = nullptr;      // child QObject
    point::PointCommand* pointCommand_ = nullptr;        // child QObject
    batch::ColumnSelectors* selectors_ = nullptr;        // child QObject
    batch::WorkbookChoice* workbookChoice_ = nullptr;    // child QObject
    batch::BatchPages* batchPages_ = nullptr;            // child QObject
    layer::LayerTab* layerTab_ = nullptr;                // child QObject
    bool ending_ = false;
};

}  // namespace trevalco::app
