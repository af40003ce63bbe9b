// What `trevalco-cli convert` was asked to do.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "ArgumentParser.h"
#include "LineFields.h"
#include "PointCore.h"
#include "ShiftSet.h"
#include "Datums.h"
#include "UtmZones.h"

namespace trevalco::cli {

struct ConvertSettings {
    DirectionKey key = kSirgasToPsad56;              // the direction
    core::Notation from = core::Notation::DecimalDegrees;
    std::optional<std::int16_t> zone;                // UTM lines that carry none
    zones::ForcedZone forced = zones::ForcedZone::Off();
    LineLayout layout;                               // delimiter and leading fields skipped
    bool decimalComma = false;                       // numbers read with "," as decimal separator
    layers::ShiftSet shifts = layers::ShiftSet::Seed;  // --shifts: the program's bands or EPSG's
    std::size_t skipLines = 0;                       // leading lines (a header) passed through as they stand
};

// The options of convert, reading into `settings`.
std::vector<Option> ConvertOptions(ConvertSettings& settings);

// Parses the arguments that follow "convert".
Parsed<ConvertSettings> ParseConvertArguments(int argc, const char* const* argv);

}  // namespace trevalco::cli
