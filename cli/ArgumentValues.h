// Values of the options the commands share: whole numbers, directions and
// forced zones, read the same way by every command.
#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "PointConversion.h"
#include "Util.h"

namespace trevalco::cli {

// Splits "--option=value" in place, or takes the value from the next
// argument (advancing index); nothing when the value is missing.
std::optional<std::string_view> OptionValue(std::string_view& option, int& index, int argc,
                                            const char* const* argv);

// Whether a command-line argument names an option ("--sheet=Puntos" names
// --sheet) that is one of `known`.
bool IsOneOf(std::string_view option, std::initializer_list<std::string_view> known);

// A whole number written with digits only (and a leading minus).
std::optional<int> WholeArgument(std::string_view text);

// The direction of its name: SIRGAS_PSAD56, SIRGAS_SAD69, PSAD56_SIRGAS or
// SAD69_SIRGAS, in any case; nothing for any other text.
std::optional<DirectionKey> KeyFor(std::string_view direction);

// The notations by the names `--from` gives them: dd (decimal degrees), dms
// (degrees, minutes and seconds) and utm, in that order.
inline constexpr std::array kNotations{core::Notation::DecimalDegrees, core::Notation::DegreesMinutesSeconds,
                                       core::Notation::Utm};
std::optional<core::Notation> NotationFor(std::string_view name);
std::string_view NotationName(core::Notation notation);

// A zone the window's "Forzar Zonas" buttons offer: 12, 13, 16 to 22.
std::optional<Util::ForcedZone> ForcedZoneFor(std::string_view zone);

}  // namespace trevalco::cli
