// The point tab's own rules, in plain C++ (no widgets): the order in which
// it checks its fields, the forms it rewrites them in, its masks, the
// accuracy it shows, which direction its option buttons select and which
// zone its "Forzar Zonas" box forces. PointCommand reads the boxes, asks
// ConvertTabPoint, and writes the fields it lists.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "PointCore.h"

namespace trevalco::point {

// The fields of the point tab that a run rewrites, in the order it writes them.
enum class Field : std::uint8_t {
    Latitude, Longitude,                               // decimal degrees
    LatDegrees, LatMinutes, LatSeconds, LonDegrees, LonMinutes, LonSeconds,
    Northing, Easting, Zone,                           // the source UTM
    OutLatitude, OutLongitude, OutNorthing, OutEasting, Accuracy, OutZone,
};

struct FieldText {
    Field field;
    std::string text;
};

// What a run of the tab did: the check that failed (None: converted) and
// every field it rewrote, in order, before the message of a failed check.
struct TabOutcome {
    core::Check failed = core::Check::None;
    std::vector<FieldText> fields;
    bool Converted() const { return failed == core::Check::None; }
};

// The texts typed in the tab's input boxes, in the notation's order (as
// core::Values), read and written with the user's separators.
using TabTexts = std::array<std::string, 6>;

struct TabSettings {
    DirectionKey direction = DirectionKey::SirgasToPsad56;
    zones::ForcedZone forced = zones::ForcedZone::Off();
    number_text::Separators separators = number_text::Invariant();
};

TabOutcome ConvertTabPoint(core::Notation notation, const TabTexts& texts, const TabSettings& settings);

// The direction of the option buttons: the first of the three that is on,
// in this order, else SAD69 to SIRGAS.
constexpr DirectionKey DirectionOfButtons(bool sirgasToPsad56, bool sirgasToSad69, bool psad56ToSirgas) {
    if (sirgasToPsad56) return kSirgasToPsad56;
    if (sirgasToSad69) return kSirgasToSad69;
    if (psad56ToSirgas) return kPsad56ToSirgas;
    return kSad69ToSirgas;
}

// The forced zone from the "Forzar Zonas" box's value (1 is ticked; 0 clear,
// 2 grey) and the selected state of the zone buttons OpZ12 to OpZ21: the
// first selected one wins, and the fallback zone when none of them is.
zones::ForcedZone ReadForcedZone(int checkValue, const std::array<bool, zones::kForceableZones.size() - 1>& zoneButtons);

}  // namespace trevalco::point
