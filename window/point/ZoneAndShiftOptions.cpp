#include "point/ZoneAndShiftOptions.h"

#include <QCheckBox>
#include <QRadioButton>

#include "controls/CheckValue.h"
#include "controls/SystemColours.h"
#include "controls/TextBox.h"
#include "PointTabRules.h"

namespace trevalco::point {
namespace {

using controls::CheckValue;
using controls::SetBackColour;
using controls::SystemColour;

constexpr std::size_t kOpZ18 = 4;
constexpr std::size_t kOpZ19 = 5;

}  // namespace

ZoneAndShiftOptions::ZoneAndShiftOptions(const PointTabControls& controls, QObject* parent)
    : QObject(parent), c_(controls) {
    connect(c_.Check1, &QCheckBox::stateChanged, this, &ZoneAndShiftOptions::Check1_Click);
    connect(c_.Check_delta, &QCheckBox::stateChanged, this,
            &ZoneAndShiftOptions::Check_delta_Click);
}

// Ticked, only the two zones of continental Chile become selectable; clear,
// all nine are disabled. The selected zone is never changed.
void ZoneAndShiftOptions::Check1_Click() {
    if (CheckValue(*c_.Check1) == 1) {
        c_.zoneButtons[kOpZ18]->setEnabled(true);
        c_.zoneButtons[kOpZ19]->setEnabled(true);
    } else {
        for (QRadioButton* zone : c_.zoneButtons) zone->setEnabled(false);
    }
}

// The fields' texts are left as they are either way.
void ZoneAndShiftOptions::Check_delta_Click() {
    const std::array<TextBox*, 3> fields{c_.DeltaX, c_.DeltaY, c_.DeltaZ};
    const bool ticked = CheckValue(*c_.Check_delta) == 1;
    for (TextBox* field : fields) {
        SetBackColour(*field, ticked ? SystemColour::CaptionText : SystemColour::ButtonFace);
    }
    for (TextBox* field : fields) field->setEnabled(ticked);
}

zones::ForcedZone ZoneAndShiftOptions::ForcedZone() const {
    std::array<bool, zones::kForceableZones.size() - 1> selected{};
    for (std::size_t i = 0; i < selected.size(); ++i) selected[i] = c_.zoneButtons[i]->isChecked();
    return ReadForcedZone(CheckValue(*c_.Check1), selected);
}

}  // namespace trevalco::point
