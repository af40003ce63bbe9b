// The "OK" buttons of the three batch pages: each reads the workbook path,
// the sheet and its page's selectors, and runs the page's batch run with the
// progress window "Avance". While a run has the window, the batch buttons,
// "Examinar", the sheet list and the selectors start nothing; closing the
// main window stops the run.
#pragma once

#include <QObject>
#include <QPointer>
#include <chrono>
#include <optional>
#include <string>

#include "BatchRun.h"
#include "ComboColumns.h"
#include "batch/ColumnSelectors.h"
#include "Dialogs.h"
#include "point/PointTabControls.h"

class QPushButton;
class QWidget;

namespace trevalco::point {
class ZoneAndShiftOptions;
}

namespace trevalco::batch {

class Avance;

struct BatchPageControls {
    controls::TextBox* Text_excel = nullptr;
    QPushButton* Examina_exel = nullptr;
    controls::DropDownList* cmbhoja = nullptr;
    QPushButton* Ok_excel = nullptr;
    QPushButton* OK_GraMinSeg = nullptr;
    QPushButton* Ok_UTM = nullptr;
    SelectorControls selectors;
    point::PointTabControls point;  // the direction buttons
};

class BatchPages : public QObject {
    Q_OBJECT
public:
    // Connects the three buttons; `window` is the main window, whose closing
    // stops a run.
    BatchPages(const BatchPageControls& controls, const point::ZoneAndShiftOptions& options,
               dialogs::Dialogs& dialogs, QWidget* window);
    ~BatchPages() override;

    void Ok_excel_Click();
    void OK_GraMinSeg_Click();
    void Ok_UTM_Click();

    bool Running() const { return running_; }
    // The progress window of the run in progress (null between runs).
    Avance* ProgressWindow() const { return avance_; }
    // What the last run came to.
    const std::optional<RunResult>& LastResult() const { return lastResult_; }


protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RunPage(PageColumns columns);
    ComboTexts ComboTextsNow() const;
    DirectionKey Key() const;

    BatchPageControls c_;
    const point::ZoneAndShiftOptions& options_;
    dialogs::Dialogs& dialogs_;
    QPointer<QWidget> window_;
    Avance* avance_ = nullptr;  // owned by RunPage for the length of a run
    bool running_ = false;
    bool stopRequested_ = false;
    std::optional<RunResult> lastResult_;
};

}  // namespace trevalco::batch
