// "Forzar Zonas" with its zone buttons and "Deltas" with its three fields,
// the two frames beside the tabs. Both only change which of their controls
// can be used; the forced zone itself is read at every projection.
#pragma once

#include <QObject>

#include "UtmZones.h"
#include "point/PointTabControls.h"

namespace trevalco::point {

class ZoneAndShiftOptions : public QObject {
    Q_OBJECT
public:
    // Connects the two check boxes.
    explicit ZoneAndShiftOptions(const PointTabControls& controls, QObject* parent = nullptr);

    void Check1_Click();
    void Check_delta_Click();

    // The forced-zone setting as it stands now, for the next projection.
    zones::ForcedZone ForcedZone() const;

private:
    PointTabControls c_;
};

}  // namespace trevalco::point
