#include "ConversionsAhead.h"

#include <algorithm>
#include <limits>
#include <system_error>

#include "Compat.h"

namespace trevalco::batch {

namespace {

// Rows a batch holds: enough that handing one over costs little beside
// working it, few enough that the run soon finds the first one done.
constexpr std::int32_t kBatchRows = 1024;
// Batches read ahead of the run for each thread that works them.
constexpr std::int32_t kBatchesAheadPerThread = 4;
// The run's own thread writes every row; more helpers than this would wait on it.
constexpr unsigned kMostHelpers = 3;

unsigned HelperCount() {
    const unsigned cores = compat::HardwareThreads();
    return cores > 1 ? std::min(cores - 1, kMostHelpers) : 0U;
}

}  // namespace

ConversionsAhead::ConversionsAhead(core::Settings settings, ReadCells read, std::int32_t firstRow)
    : settings_(std::move(settings)), read_(std::move(read)), nextRow_(firstRow) {
    const unsigned helpers = HelperCount();
    rowsAhead_ = kBatchRows * kBatchesAheadPerThread * static_cast<std::int32_t>(helpers + 1);
    for (unsigned i = 0; i < helpers; ++i) {
        try {
            helpers_.emplace_back([this] { Help(); });
        } catch (const std::system_error&) {
            break;  // no more threads to be had: those started, or the run's own, do the work
        }
    }
}

ConversionsAhead::~ConversionsAhead() {
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    waiting_.notify_all();
    for (std::thread& helper : helpers_) helper.join();
}

const core::Outcome* ConversionsAhead::Find(std::int32_t row, const Cells& cells,
                                            const core::Settings& settings) {
    if (!(settings == settings_)) return nullptr;
    ReadUpTo(row + rowsAhead_);
    std::unique_lock lock(mutex_);
    while (!batches_.empty() && batches_.front()->End() <= row) batches_.pop_front();
    if (batches_.empty() || row < batches_.front()->firstRow) return nullptr;
    const std::shared_ptr<Batch> batch = batches_.front();
    while (batch->state != State::Done) {
        // While a helper works this row's batch, a later one is worked here.
        std::shared_ptr<Batch> waiting = batch->state == State::Waiting ? batch : FirstWaiting();
        if (waiting) Work(waiting, lock);
        else done_.wait(lock);
    }
    const auto index = static_cast<std::size_t>(row - batch->firstRow);
    const Conversion& conversion = batch->rows[index];
    if (!conversion.made || !(batch->cells[index] == cells)) return nullptr;
    return &conversion.outcome;
}

void ConversionsAhead::ReadUpTo(std::int32_t lastRow) {
    while (nextRow_ <= lastRow) {
        auto batch = std::make_shared<Batch>();
        batch->firstRow = nextRow_;
        batch->cells.reserve(kBatchRows);
        try {
            for (; batch->cells.size() < kBatchRows; ++nextRow_) batch->cells.push_back(read_(nextRow_));
        } catch (const std::exception&) {
            // A cell that cannot be read is the run's to report when it gets there.
            nextRow_ = std::numeric_limits<std::int32_t>::max();
        }
        batch->rows.resize(batch->cells.size());
        {
            const std::lock_guard lock(mutex_);
            batches_.push_back(std::move(batch));
        }
        waiting_.notify_one();
    }
}

std::shared_ptr<ConversionsAhead::Batch> ConversionsAhead::FirstWaiting() const {
    const auto at = std::find_if(batches_.begin(), batches_.end(),
                                 [](const auto& batch) { return batch->state == State::Waiting; });
    return at == batches_.end() ? nullptr : *at;
}

void ConversionsAhead::Work(const std::shared_ptr<Batch>& batch, std::unique_lock<std::mutex>& lock) {
    batch->state = State::Working;
    lock.unlock();
    Convert(*batch);
    lock.lock();
    batch->state = State::Done;
    done_.notify_all();
}

void ConversionsAhead::Help() {
    std::unique_lock lock(mutex_);
    for (;;) {
        waiting_.wait(lock, [this] { return ending_ || FirstWaiting() != nullptr; });
        if (ending_) return;
        Work(FirstWaiting(), lock);
    }
}

void ConversionsAhead::Convert(Batch& batch) const noexcept {
    for (std::size_t i = 0; i < batch.cells.size(); ++i) {
        Conversion& row = batch.rows[i];
        try {
            core::ConvertPointInto(core::Notation::DecimalDegrees, {batch.cells[i].first, batch.cells[i].second},
                                   settings_, row.outcome);
            row.made = true;
        } catch (...) {
            // Overflow and the like: the run works the row again and meets it there.
            row.made = false;
        }
    }
}

}  // namespace trevalco::batch
