// The message box the point tab shows when a check fails, for every front
// end of the tab (the window and the browser edition).
#pragma once

#include <optional>

#include "Dialogs.h"
#include "PointCore.h"

namespace trevalco::dialogs {

// Nothing when the point was converted. NoParameters also empties the
// tab's results.
std::optional<Message> PointFailureMessage(core::Check failed);

}  // namespace trevalco::dialogs
