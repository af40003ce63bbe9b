// The rules of one point, in one place: the batch runs (and their
// conversions worked out ahead), `trevalco-cli convert` and the layer
// writer each read their inputs, ask ConvertPoint, and write or print the
// outcome it gives. Nothing here talks to the user.
//
//   core::Settings settings{DirectionKey::SirgasToSad69, forced, std::nullopt, core::InputRules::SheetRow};
//   core::Outcome outcome = core::ConvertPoint(core::Notation::DecimalDegrees, {33.45, 70.65}, settings);
//   if (outcome.failed == core::Check::None) ... outcome.target.latitude, outcome.texts->target.northing ...
//
// The checks run in a fixed order per notation and per set of input rules;
// the first that fails ends the point and names the value it failed on.
// What a front end reports along the way (an empty minutes cell taken as
// zero, a latitude without parameters) comes in `reports`, in the order it
// arose, before the check that ended the point.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "BandShifts.h"
#include "CellChecks.h"
#include "CellValue.h"
#include "Datums.h"
#include "NumberText.h"
#include "PointChain.h"
#include "UtmSeries.h"
#include "UtmZones.h"

namespace trevalco::core {

enum class Notation : std::uint8_t { DecimalDegrees, DegreesMinutesSeconds, Utm };

// Which input rules apply: a sheet row's (the batch runs) or a line's of
// `trevalco-cli convert` (and a layer's vertices).
enum class InputRules : std::uint8_t { SheetRow, CommandLine };

// The values of a point in its notation's order, as cells: empty, a number,
// or a text read with the settings' separators.
//   decimal degrees: latitude, longitude
//   degrees, minutes, seconds: latitude degrees, minutes, seconds, then longitude's
//   UTM: northing, easting, zone (empty: the settings' zone)
using Values = std::array<cells::CellValue, 6>;

struct Settings {
    DirectionKey direction = DirectionKey::SirgasToPsad56;
    zones::ForcedZone forced = zones::ForcedZone::Off();
    // The zone of UTM input without a zone of its own (the UTM page's zone,
    // `--zone`).
    std::optional<std::int16_t> zone;
    InputRules rules = InputRules::SheetRow;
    // How values that are texts are read.
    number_text::Separators separators = number_text::Invariant();
    // False: values only, no mask texts (a layer writer).
    bool texts = true;
    // Where the shifts come from.
    const bands::ShiftSource* shifts = &bands::ProgramBands();

    friend bool operator==(const Settings&, const Settings&) = default;
};

// The check a point failed.
enum class Check : std::uint8_t {
    None,                 // converted: source and target are both there
    Empty,                // a value is empty
    NotNumeric,           // a value is not a number
    OutOfRange,           // minutes or seconds outside 0 <= m < 60 (the point tab)
    Cell,                 // a degrees, minutes or seconds cell failed its check: `cell` says how
    OutOfLimits,          // outside the input limits
    Zone,                 // the zone is no whole number a projection can use
    NoPosition,           // UTM values that give no place on the earth
    NoParameters,         // no shift for the latitude: the source only
    TransformationRange,  // outside the transformation range: the source only
};

// What a front end reports while the point goes on.
enum class Notice : std::uint8_t {
    ZeroAssumed,   // an empty minutes or seconds cell is taken as 0 (`value` names it)
    NoParameters,  // the latitude has no shift
};

struct Report {
    Notice notice = Notice::NoParameters;
    std::uint8_t value = 0;
};

// A position on one datum: latitude and longitude as magnitudes (degrees
// south and west) and its UTM.
struct Position {
    double latitude = 0.0;
    double longitude = 0.0;
    utm::GridPoint utm;
};

// A position's digits through the masks, with "." as decimal point.
struct PositionTexts {
    std::string latitude, longitude, northing, easting;
};

struct Outcome {
    // Written out, not defaulted: a defaulted constructor makes GCC clear
    // the whole outcome, the texts' room included, for every point.
    Outcome() {}  // NOLINT(modernize-use-equals-default)

    Check failed = Check::None;
    std::uint8_t value = 0;                          // the value the check failed on
    cells::CellStatus cell = cells::CellStatus::Ok;  // with Check::Cell
    std::array<Report, 5> reports{};
    std::uint8_t reportCount = 0;

    // The source position is known (it is written even when the point gets
    // no target); with UTM input its UTM is the input itself.
    bool hasSource = false;
    Position source;
    bool hasTarget = false;  // failed == Check::None
    Position target;
    // The shift the target was carried with.
    std::optional<datums::Shift> shift;
    // The mask texts of both, when the settings ask for texts (a caller that
    // writes values only pays nothing for them).
    struct Texts {
        PositionTexts source, target;
    };
    std::optional<Texts> texts;

    bool Converted() const { return failed == Check::None; }
    bool Reported(Notice notice) const;
};

Outcome ConvertPoint(Notation notation, const Values& values, const Settings& settings);
// The same, built in `out`, which must be a default outcome: for callers
// that keep outcomes where they are made (the rows worked out ahead), which
// a moved outcome's texts would cost a copy each.
void ConvertPointInto(Notation notation, const Values& values, const Settings& settings, Outcome& out);

// The masks of the texts of sheet rows and command-line lines: degrees with
// ten decimals, metres with three.
const number_text::Mask& DegreesMask();
const number_text::Mask& MetresMask();

}  // namespace trevalco::core
