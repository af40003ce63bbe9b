// What `trevalco-cli convert` was asked to do.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "LineFields.h"
#include "Types.h"
#include "Util.h"

namespace trevalco::cli {

enum class InputNotation { DecimalDegrees, DegreesMinutesSeconds, Utm };

struct ConvertSettings {
    DirectionKey key = kSirgasToPsad56;              // the direction
    InputNotation from = InputNotation::DecimalDegrees;
    std::optional<std::int16_t> zone;                // UTM lines that carry none
    Util::ForcedZone forced = Util::ForcedZone::Off();
    LineLayout layout;                               // delimiter and leading fields skipped
    bool decimalComma = false;                       // numbers read with "," as decimal separator
};

// The settings, or the reason the arguments are not usable.
struct ParsedConvertArguments {
    std::optional<ConvertSettings> settings;
    std::string error;
    bool help = false;
};

// Parses the arguments that follow "convert".
ParsedConvertArguments ParseConvertArguments(int argc, const char* const* argv);

}  // namespace trevalco::cli
