#include "FeatureStream.h"

#include <string>
#include <utility>

#include "Gdal.h"

namespace trevalco::layers {

namespace {

constexpr std::size_t kBatchFeatures = 256;
// Enough waiting batches to keep converting while the writer commits a
// transaction (and adds it to a GeoPackage's spatial index).
constexpr std::size_t kBatchesWaiting = 40;

ConvertedFeature Converted(OGRFeatureUniquePtr feature, VertexCarrier& carrier) {
    ConvertedFeature converted;
    OGRGeometry* geometry = feature->GetGeometryRef();
    if (geometry == nullptr || geometry->IsEmpty()) {
        converted.withoutGeometry = true;
    } else {
        // Checked before it is carried: the shift moves vertices a few
        // metres at most, never enough to make or mend a crossing.
        converted.invalid = !geometry->IsValid();
        carrier.StartFeature();
        geometry->transform(&carrier);
        converted.refused = carrier.Refused();
        converted.crossings = carrier.Crossings();
        if (converted.refused) CPLErrorReset();  // GDAL's note of the refused vertices
    }
    converted.feature = std::move(feature);
    return converted;
}

}  // namespace

FeatureStream::FeatureStream(OGRLayer& input, const CarrySetup& setup, std::string failure)
    : thread_([this, &input, setup, failure = std::move(failure)](std::stop_token stop) {
          Read(stop, input, setup, failure);
      }) {}

FeatureStream::~FeatureStream() {
    thread_.request_stop();
    changed_.notify_all();
}

void FeatureStream::Read(std::stop_token stop, OGRLayer& input, CarrySetup setup, const std::string& failure) {
    const QuietGdal quiet;  // GDAL's error state is the thread's own
    try {
        VertexCarrier carrier(setup);
        input.ResetReading();
        std::vector<ConvertedFeature> batch;
        for (OGRFeatureUniquePtr feature(input.GetNextFeature()); feature; feature.reset(input.GetNextFeature())) {
            batch.push_back(Converted(std::move(feature), carrier));
            if (batch.size() == kBatchFeatures && !Hand(stop, std::exchange(batch, {}))) return;
        }
        if (CPLGetLastErrorType() >= CE_Failure)
            throw LayerError(failure + ": " + LastGdalMessage());
        if (!batch.empty() && !Hand(stop, std::move(batch))) return;
    } catch (...) {
        const std::lock_guard lock(mutex_);
        failure_ = std::current_exception();
    }
    const std::lock_guard lock(mutex_);
    ended_ = true;
    changed_.notify_all();
}

bool FeatureStream::Hand(std::stop_token stop, std::vector<ConvertedFeature> batch) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait(lock, stop, [this] { return ready_.size() < kBatchesWaiting; })) return false;
    ready_.push_back(std::move(batch));
    changed_.notify_all();
    return true;
}

std::vector<ConvertedFeature> FeatureStream::Next() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !ready_.empty() || ended_; });
    if (ready_.empty()) {
        if (failure_) std::rethrow_exception(failure_);
        return {};
    }
    std::vector<ConvertedFeature> batch = std::move(ready_.front());
    ready_.pop_front();
    changed_.notify_all();
    return batch;
}

}  // namespace trevalco::layers
