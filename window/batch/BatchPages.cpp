#include "batch/BatchPages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPushButton>
#include <QRadioButton>
#include <memory>
#include <vector>

#include "Int16.h"
#include "batch/Avance.h"
#include "batch/InputHold.h"
#include "controls/DropDownList.h"
#include "controls/TextBox.h"
#include "point/PointTabRules.h"
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

std::string BatchPages::Letter(int combo) const {
    const QString text = c_.selectors.combos.at(static_cast<std::size_t>(combo))->Text();
    return text.isEmpty() ? std::string() : text.right(1).toStdString();
}

DirectionKey BatchPages::Key() const {
    return point::DirectionOfButtons(c_.point.SIRGAS_PSAD56->isChecked(), c_.point.SIRGAS_SAD69->isChecked(),
                              c_.point.PSAD56_SIRGAS->isChecked());
}

void BatchPages::Ok_excel_Click() {
    if (running_) return;
    RunPage(DecimalColumns{Letter(1), Letter(2), Letter(15), Letter(16), Letter(9), Letter(10),
                           Letter(13), Letter(14)});
}

void BatchPages::OK_GraMinSeg_Click() {
    if (running_) return;
    RunPage(DmsColumns{Letter(3), Letter(4), Letter(5), Letter(6), Letter(7), Letter(8),
                       Letter(21), Letter(22), Letter(17), Letter(18), Letter(11), Letter(12),
                       Letter(19), Letter(20)});
}

void BatchPages::Ok_UTM_Click() {
    if (running_) return;
    UtmColumns columns{Letter(32), Letter(33), Letter(31), Letter(30),
                       Letter(27), Letter(28), Letter(26), Letter(25), std::nullopt};
    // "Zona 18" gives zone 18: the last two characters of the selector.
    const QString zoneText = c_.selectors.combos.at(34)->Text().right(2);
    if (const auto number = number_text::ReadNumber(zoneText.toStdString(), number_text::Invariant()))
        columns.zone = WholeNumber16(*number);
    RunPage(std::move(columns));
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
