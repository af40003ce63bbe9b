// The pieces BuildForm puts together.
#pragma once

#include "form/VelmarForm.h"

class QWidget;

namespace trevalco::app {

// The pages of SSTab1; the tab control takes ownership when they are added.
QWidget* BuildPointTab(VelmarForm& form);
QWidget* BuildBatchTab(VelmarForm& form);
QWidget* BuildLayerTab(VelmarForm& form);

// Frame29 ("Forzar Zonas" and the zone buttons) and Frame31 ("Deltas" and
// the shift fields), beside the tabs.
void BuildSideFrames(QWidget& window, VelmarForm& form);

// The order in which the tab key moves between the controls.
void SetFocusOrder(const VelmarForm& form);

}  // namespace trevalco::app
