// The decimal-degree run's conversions, worked out ahead of its rows on the
// machine's other cores. The run's thread reads the coordinate cells of the
// rows ahead, a batch at a time, and hands them over by value; helper threads
// turn each batch into the point core's outcome of each row, texts included,
// through the same ConvertPoint the run calls. Everything they work from is
// their own copy, so they share nothing with the workbook.
//
// The run takes a row's outcome only when it was made from exactly the cells
// and settings the run holds for that row now, and works the row out itself
// otherwise (also a row whose conversion threw, so that it fails on the
// run's own thread, where its message is shown). When the run reaches a batch no helper has started, it works that
// batch itself; when a helper is still on it, it works a later batch
// meanwhile, so both cores keep busy. No helper outlives the object.
//
//   ConversionsAhead ahead(settings, readCells, firstRow);
//   if (const core::Outcome* made = ahead.Find(row, cells, settings)) ...
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "PointCore.h"
#include "CellValue.h"

namespace trevalco::batch {

class ConversionsAhead {
public:
    // The latitude and longitude cells of a row.
    using Cells = std::pair<cells::CellValue, cells::CellValue>;
    // Reads a row's cells; called on the constructing thread only.
    using ReadCells = std::function<Cells(std::int32_t row)>;

    ConversionsAhead(core::Settings settings, ReadCells read, std::int32_t firstRow);
    ConversionsAhead(const ConversionsAhead&) = delete;
    ConversionsAhead& operator=(const ConversionsAhead&) = delete;
    ~ConversionsAhead();

    // The outcome of `row` made from exactly these cells and settings, or
    // nullptr. Rows are asked for in increasing order, none before the
    // first; the outcome holds until the next call.
    const core::Outcome* Find(std::int32_t row, const Cells& cells, const core::Settings& settings);

private:
    enum class State { Waiting, Working, Done };
    struct Conversion {
        bool made = false;  // false: the core threw on the row
        core::Outcome outcome;
    };
    struct Batch {
        std::int32_t firstRow = 0;
        std::vector<Cells> cells;
        std::vector<Conversion> rows;
        State state = State::Waiting;  // under mutex_
        std::int32_t End() const { return firstRow + static_cast<std::int32_t>(cells.size()); }
    };

    void ReadUpTo(std::int32_t lastRow);
    std::shared_ptr<Batch> FirstWaiting() const;
    // Works a waiting batch on this thread; `lock` is held before and after.
    void Work(const std::shared_ptr<Batch>& batch, std::unique_lock<std::mutex>& lock);
    void Convert(Batch& batch) const noexcept;
    void Help();

    const core::Settings settings_;
    const ReadCells read_;
    std::int32_t nextRow_;   // the first row not read yet
    std::int32_t rowsAhead_;
    std::mutex mutex_;
    std::condition_variable waiting_;      // a batch is waiting, or the helpers must end
    bool ending_ = false;                  // under mutex_: the helpers must end
    std::condition_variable done_;         // a batch is done
    std::deque<std::shared_ptr<Batch>> batches_;  // from the run's row on
    std::vector<std::thread> helpers_;     // ended and joined by the destructor
};

}  // namespace trevalco::batch
