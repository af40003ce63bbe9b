#include "layer/LayerRun.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <thread>

#include "batch/Avance.h"

namespace trevalco::layer {

namespace {

// How often the progress window is brought up to date and a stop looked for.
constexpr int kTickMs = 40;

// Gathers what the conversion tells, on the conversion's thread; read once
// the thread has ended.
class Gatherer final : public layers::LayerListener {
public:
    explicit Gatherer(RunOutcome& outcome) : outcome_(outcome) {}
    // Each feature left out, and each band limit a written feature crosses,
    // named as the command line's report names them.
    void Noted(const layers::FeatureNote& note) override {
        if (note.cause != layers::Cause::Crossing) ++outcome_.leftOutByCause[std::string(layers::CauseName(note.cause))];
        List(note);
    }

private:
    void List(const layers::FeatureNote& note) {
        if (outcome_.listed.size() < kListedAtMost)
            outcome_.listed.push_back(note);
        else
            ++outcome_.unlisted;
    }
    RunOutcome& outcome_;
};

}  // namespace

RunOutcome RunConversion(const layers::LayerRequest& request, std::int64_t features, batch::Avance& progress,
                         const std::function<bool()>& stopRequested) {
    features = std::max<std::int64_t>(features, 0);
    RunOutcome outcome;
    Gatherer gatherer(outcome);
    // The conversion asks whether to stop once before each feature: the
    // number of its questions is the number of features it has reached.
    std::atomic<std::int64_t> reached{0};
    std::atomic<bool> stop{false};
    std::atomic<bool> ended{false};

    progress.SetStatus("Transformando Elemento N°");
    progress.SetMaximum(static_cast<std::int32_t>(std::clamp<std::int64_t>(features, 1, INT32_MAX)));
    progress.Show();

    QEventLoop loop;
    QTimer tick;
    tick.setInterval(kTickMs);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        progress.SetRow(static_cast<std::int32_t>(std::clamp<std::int64_t>(reached.load(), 0, features)));
        progress.Sync();
        if (progress.ClosedByUser() || stopRequested()) stop = true;
        if (ended) loop.quit();
    });
    {
        std::jthread worker([&] {
            try {
                outcome.summary = layers::ConvertLayer(request, gatherer, [&] {
                    ++reached;
                    return stop.load();
                });
                outcome.end = outcome.summary.interrupted ? RunOutcome::End::Interrupted : RunOutcome::End::Completed;
            } catch (const std::exception& error) {
                outcome.error = error.what();
            } catch (...) {
                outcome.error = "error inesperado de GDAL";
            }
            ended = true;
        });
        tick.start();
        loop.exec();
        // The program ending leaves every event loop before the run has
        // ended: stop it rather than wait for a whole layer to be written.
        if (!ended) stop = true;
    }  // the worker has ended here
    progress.Finish();
    return outcome;
}

}  // namespace trevalco::layer
