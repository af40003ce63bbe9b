// The decimal-degree run's conversions, worked out ahead of its rows on the
// machine's other cores. The run's thread reads the coordinate cells of the
// rows ahead, a batch at a time, and hands them over by value; helper threads
// turn each batch into what its rows will write: the source UTM and, when the
// row gets them, the target columns, as the digit texts written. Everything
// they work from is their own copy, so they share nothing with the workbook.
//
// The run takes a row's conversion only when it was made from exactly the
// arguments the run holds for that row now, and works the row out itself
// otherwise (also a row whose conversion threw, so that it fails as it always
// did). When the run reaches a batch no helper has started, it works that
// batch itself; when a helper is still on it, it works a later batch
// meanwhile, so both cores keep busy. No helper outlives the object.
//
//   ConversionsAhead ahead(settings, readCells, firstRow);
//   if (const auto* made = ahead.Find(row, latitude, longitude, key, forced)) ...
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "Chain.h"
#include "NumberText.h"
#include "Util.h"

namespace trevalco::batch {

class ConversionsAhead {
public:
    // What every conversion is made with.
    struct Settings {
        std::string key;
        Util::ForcedZone forced;
        NumberText::Separators separators;  // of the coordinate cells that are texts
        NumberText::Mask degrees;           // of the target latitude and longitude
        NumberText::Mask metres;            // of the northings and eastings
    };

    // The latitude and longitude cells of a row; called on the constructing
    // thread only.
    using ReadCells = std::function<std::pair<Util::CellValue, Util::CellValue>(std::int32_t row)>;

    enum Text : std::size_t { kNorthing, kEasting, kTargetLatitude, kTargetLongitude, kTargetNorthing, kTargetEasting };

    struct Conversion {
        // False: the row's cells hold no position within the input range, or
        // the engine threw on it.
        bool made = false;
        double latitude = 0.0;   // the magnitudes it was made from
        double longitude = 0.0;
        chain::GeographicStart start;
        // With a shift of its own and inside the transformation range: the
        // target texts are there too.
        bool converted = false;
        std::array<std::string, 6> texts;  // by Text, with "." as decimal point
    };

    ConversionsAhead(Settings settings, ReadCells read, std::int32_t firstRow);
    ConversionsAhead(const ConversionsAhead&) = delete;
    ConversionsAhead& operator=(const ConversionsAhead&) = delete;

    // The conversion of `row` made from exactly these arguments, or nullptr.
    // Rows are asked for in increasing order, none before the first; the
    // conversion holds until the next call.
    const Conversion* Find(std::int32_t row, double latitude, double longitude, std::string_view key,
                           Util::ForcedZone forced);

private:
    enum class State { Waiting, Working, Done };
    struct Batch {
        std::int32_t firstRow = 0;
        std::vector<std::pair<Util::CellValue, Util::CellValue>> cells;
        std::vector<Conversion> rows;
        State state = State::Waiting;  // under mutex_
        std::int32_t End() const { return firstRow + static_cast<std::int32_t>(cells.size()); }
    };

    void ReadUpTo(std::int32_t lastRow);
    std::shared_ptr<Batch> FirstWaiting() const;
    // Works a waiting batch on this thread; `lock` is held before and after.
    void Work(const std::shared_ptr<Batch>& batch, std::unique_lock<std::mutex>& lock);
    void Convert(Batch& batch) const noexcept;
    void ConvertRow(const std::pair<Util::CellValue, Util::CellValue>& cells, Conversion& row) const;
    void Help(std::stop_token stop);

    const Settings settings_;
    const ReadCells read_;
    std::int32_t nextRow_;   // the first row not read yet
    std::int32_t rowsAhead_;
    std::mutex mutex_;
    std::condition_variable_any waiting_;  // a batch is waiting, or the helpers must end
    std::condition_variable done_;         // a batch is done
    std::deque<std::shared_ptr<Batch>> batches_;  // from the run's row on
    std::vector<std::jthread> helpers_;    // last: ended and joined first
};

}  // namespace trevalco::batch
