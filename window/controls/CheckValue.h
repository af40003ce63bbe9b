// The value of a check box as the handlers read it: 0 clear, 1 ticked,
// 2 greyed.
#pragma once

class QCheckBox;

namespace trevalco::controls {

int CheckValue(const QCheckBox& box);

}  // namespace trevalco::controls
