#include "batch/BatchPages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPushButton>
#include <QRadioButton>
#include <memory>
#include <vector>

#include "ComboColumns.h"
#include "batch/Avance.h"
#include "batch/InputHold.h"
#include "controls/DropDownList.h"
#include "controls/TextBox.h"
#include "PointTabRules.h"
#include "point/UserLocale.h"
#include "point/ZoneAndShiftOptions.h"

namespace trevalco::batch {

namespace {

// Events, and with them the progress window's painting, are let through at
// most this often: once a row would spend most of a large run painting.
constexpr qint64 kPumpSpacingMs = 15;

}  // namespace

BatchPages::BatchPages(const BatchPageControls& controls, const point::ZoneAndShiftOptions& options,
                       dialogs::Dialogs& dialogs, QWidget* window)
    : QObject(window), c_(controls), options_(options), dialogs_(dialogs), window_(window) {
    connect(c_.Ok_excel, &QPushButton::clicked, this, &BatchPages::Ok_excel_Click);
    connect(c_.OK_GraMinSeg, &QPushButton::clicked, this, &BatchPages::OK_GraMinSeg_Click);
    connect(c_.Ok_UTM, &QPushButton::clicked, this, &BatchPages::Ok_UTM_Click);
    // Return on a focused OK presses it, as the space bar does.
    for (QPushButton* ok : {c_.Ok_excel, c_.OK_GraMinSeg, c_.Ok_UTM}) ok->setAutoDefault(true);
    if (window_) window_->installEventFilter(this);
}

BatchPages::~BatchPages() = default;

ComboTexts BatchPages::ComboTextsNow() const {
    ComboTexts texts;
    for (std::size_t n = 1; n < texts.size(); ++n) texts[n] = c_.selectors.combos.at(n)->Text().toStdString();
    return texts;
}

DirectionKey BatchPages::Key() const {
    return point::DirectionOfButtons(c_.point.SIRGAS_PSAD56->isChecked(), c_.point.SIRGAS_SAD69->isChecked(),
                              c_.point.PSAD56_SIRGAS->isChecked());
}

void BatchPages::Ok_excel_Click() {
    if (running_) return;
    RunPage(DecimalPageColumns(ComboTextsNow()));
}

void BatchPages::OK_GraMinSeg_Click() {
    if (running_) return;
    RunPage(DmsPageColumns(ComboTextsNow()));
}

void BatchPages::Ok_UTM_Click() {
    if (running_) return;
    RunPage(UtmPageColumns(ComboTextsNow()));
}

void BatchPages::RunPage(PageColumns columns) {
    running_ = true;
    stopRequested_ = false;
    std::vector<QWidget*> held = {c_.Ok_excel, c_.OK_GraMinSeg, c_.Ok_UTM, c_.Examina_exel,
                                  c_.cmbhoja};
    for (std::size_t n = 1; n < c_.selectors.combos.size(); ++n) held.push_back(c_.selectors.combos[n]);
    const InputHold hold(held);
    const auto progress = std::make_unique<Avance>();
    if (window_) progress->PlaceOver(*window_);
    avance_ = progress.get();

    RunSetup setup;
    setup.workbookPath = c_.Text_excel->text().toStdString();
    setup.sheetName = c_.cmbhoja->Text().toStdString();
    setup.columns = std::move(columns);
    setup.directionKey = [this] { return Key(); };
    setup.forcedZone = [this] { return options_.ForcedZone(); };
    setup.separators = point::UserSeparators();
    QElapsedTimer sincePump;
    setup.pumpEvents = [&sincePump, window = progress.get()] {
        if (sincePump.isValid() && sincePump.elapsed() < kPumpSpacingMs) return;
        window->Sync();
        QCoreApplication::processEvents();
        sincePump.start();
    };
    setup.stopRequested = [this] { return stopRequested_; };

    BatchRun run(std::move(setup), dialogs_, *progress);
    lastResult_ = run.Run();
    avance_ = nullptr;
    running_ = false;
}

bool BatchPages::eventFilter(QObject* watched, QEvent* event) {
    // The main window closing (its close box or "Salir") ends the program:
    // a run in progress stops without saving.
    if (watched == window_ && event->type() == QEvent::Close && running_) stopRequested_ = true;
    return QObject::eventFilter(watched, event);
}

}  // namespace trevalco::batch
