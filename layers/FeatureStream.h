// The features of a layer read and carried through the point core on a
// thread of their own, handed on in order and in batches while the caller
// writes the ones before: reading and converting on one core, writing on
// the other. At most a few batches wait, so memory does not grow with the
// layer.
#pragma once

#include <ogrsf_frmts.h>

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "VertexCarrier.h"

namespace trevalco::layers {

struct ConvertedFeature {
    OGRFeatureUniquePtr feature;            // its geometry carried (unless refused)
    std::optional<VertexRefusal> refused;   // a vertex was not carried: leave it out
    std::vector<BandCrossing> crossings;    // band limits between its vertices
    bool withoutGeometry = false;           // null or empty, as it was read
    bool invalid = false;                   // not a valid geometry (GEOS): carried all the same
};

class FeatureStream {
public:
    // Starts reading `input` from its first feature; `input` must outlive
    // the stream and is not touched by anything else meanwhile. `failure`
    // opens the message of a read that fails before the end.
    FeatureStream(OGRLayer& input, const CarrySetup& setup, std::string failure);
    ~FeatureStream();  // stops the thread and waits for it
    FeatureStream(const FeatureStream&) = delete;
    FeatureStream& operator=(const FeatureStream&) = delete;

    // The next batch, in the layer's order; empty once the layer has been
    // read to its end. Throws LayerError when reading failed on the way.
    std::vector<ConvertedFeature> Next();

private:
    void Read(std::stop_token stop, OGRLayer& input, CarrySetup setup, const std::string& failure);
    bool Hand(std::stop_token stop, std::vector<ConvertedFeature> batch);

    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::deque<std::vector<ConvertedFeature>> ready_;
    bool ended_ = false;
    std::exception_ptr failure_;
    std::jthread thread_;  // last: it starts once the rest is there
};

}  // namespace trevalco::layers
