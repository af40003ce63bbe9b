// The values of the options the commands share, each read in one place, and
// their names, listed as the help and the refusals give them: made from the
// constants they come from, so that what is offered is what is taken.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "PointCore.h"
#include "ShiftSet.h"
#include "Datums.h"
#include "UtmZones.h"

namespace trevalco::cli {

// A whole number written with digits only (and a leading minus).
std::optional<int> WholeArgument(std::string_view text);

// The text with its ASCII letters in capitals.
std::string Upper(std::string_view text);

// A reader of whole numbers from `low` to `high`.
inline auto WholeFrom(int low, int high) {
    return [low, high](std::string_view text) -> std::optional<int> {
        const std::optional<int> number = WholeArgument(text);
        if (!number || *number < low || *number > high) return std::nullopt;
        return number;
    };
}

// The direction of its name (NameOf): SIRGAS_PSAD56, SIRGAS_SAD69,
// PSAD56_SIRGAS or SAD69_SIRGAS, in any case; nothing for any other text.
std::optional<DirectionKey> KeyFor(std::string_view direction);
std::vector<std::string> DirectionNames();

// The notations by the names `--from` gives them: dd (decimal degrees), dms
// (degrees, minutes and seconds) and utm, in that order.
inline constexpr std::array kNotations{core::Notation::DecimalDegrees, core::Notation::DegreesMinutesSeconds,
                                       core::Notation::Utm};
std::optional<core::Notation> NotationFor(std::string_view name);
std::string_view NotationName(core::Notation notation);
std::vector<std::string> NotationNames();

// A zone the window's "Forzar Zonas" buttons offer, or the zone it falls
// back to when none of them is chosen.
std::optional<zones::ForcedZone> ForcedZoneFor(std::string_view zone);
std::vector<std::string> ForcedZoneNames();

// The zones of Chile's mainland (zones::kChileZones): those of the batch
// runs' UTM page and of the layers the layer command writes in UTM.
std::optional<int> MainlandZoneFor(std::string_view zone);
std::vector<std::string> MainlandZoneNames();

// `--shifts`: seed or epsg (ShiftSetName).
std::optional<layers::ShiftSet> ShiftSetFor(std::string_view text);
std::vector<std::string> ShiftSetNames();

// `--sirgas`: one of the layers' SIRGAS codes.
std::optional<int> SirgasCodeFor(std::string_view text);
std::vector<std::string> SirgasCodeNames();

// The name of each value, in order.
template <typename Values, typename Name>
std::vector<std::string> NamesOf(const Values& values, Name name) {
    std::vector<std::string> names;
    for (const auto& value : values) names.emplace_back(name(value));
    return names;
}

// The value of a name in a table of (name, value) pairs; nothing for a name
// the table lacks.
template <typename Table>
auto NamedIn(const Table& table, std::string_view name) -> std::optional<typename Table::value_type::second_type> {
    for (const auto& [entry, value] : table)
        if (entry == name) return value;
    return std::nullopt;
}

template <typename Table>
std::vector<std::string> NamesIn(const Table& table) {
    return NamesOf(table, [](const auto& entry) { return std::string(entry.first); });
}

// "a, b, c o d", as the help and the refusals list the values an option
// takes; `last` goes before the last one.
std::string Listed(std::span<const std::string> names, std::string_view last = " o ");
// "a|b|c|d", as the synopsis writes them.
std::string Alternatives(std::span<const std::string> names);

}  // namespace trevalco::cli
