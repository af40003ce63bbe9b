// One conversion of a layer from the window: ConvertLayer works on a thread
// of its own while the window stays live, the progress window showing the
// features done and offering Cancel. The features left out or crossing a
// band limit are gathered for the summary and its list.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "LayerConversion.h"
#include "layer/LayerTexts.h"

namespace trevalco::batch {
class Avance;
}

namespace trevalco::layer {

struct RunOutcome {
    enum class End { Completed, Interrupted, Failed };
    End end = End::Failed;
    layers::LayerSummary summary;
    std::string error;  // why it failed (Spanish)
    std::map<std::string, std::uint64_t> leftOutByCause;
    std::vector<layers::FeatureNote> listed;
    std::uint64_t unlisted = 0;  // past the list's length
};

// At most this many features are listed; the rest are counted.
inline constexpr std::size_t kListedAtMost = 100000;

// Runs the conversion and returns when it has ended. `features` sizes the
// progress bar; `stopRequested` (read on the window's thread) and the
// progress window's Cancel or close stop it, leaving nothing written.
RunOutcome RunConversion(const layers::LayerRequest& request, std::int64_t features, batch::Avance& progress,
                         const std::function<bool()>& stopRequested);

}  // namespace trevalco::layer
