#include "ArgumentValues.h"

#include <algorithm>
#include <charconv>

#include "SirgasCodes.h"

namespace trevalco::cli {

namespace {

constexpr std::array kShiftSets{layers::ShiftSet::Seed, layers::ShiftSet::Epsg};

std::string Number(int value) { return std::to_string(value); }

// A whole number that is one of `offered`.
template <typename Values>
std::optional<int> OneOf(std::string_view text, const Values& offered) {
    const std::optional<int> number = WholeArgument(text);
    if (!number || std::ranges::find(offered, *number) == std::ranges::end(offered)) return std::nullopt;
    return number;
}

}  // namespace

std::optional<int> WholeArgument(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

std::optional<DirectionKey> KeyFor(std::string_view typed) {
    const std::string direction = Upper(typed);
    for (const DirectionKey key : kDirections)
        if (direction == NameOf(key)) return key;
    return std::nullopt;
}

std::vector<std::string> DirectionNames() {
    return NamesOf(kDirections, [](DirectionKey key) { return NameOf(key); });
}

std::string_view NotationName(core::Notation notation) {
    switch (notation) {
        case core::Notation::DecimalDegrees: return "dd";
        case core::Notation::DegreesMinutesSeconds: return "dms";
        case core::Notation::Utm: break;
    }
    return "utm";
}

std::optional<core::Notation> NotationFor(std::string_view name) {
    for (const core::Notation notation : kNotations)
        if (name == NotationName(notation)) return notation;
    return std::nullopt;
}

std::vector<std::string> NotationNames() { return NamesOf(kNotations, NotationName); }

std::optional<zones::ForcedZone> ForcedZoneFor(std::string_view text) {
    const std::optional<int> zone = WholeArgument(text);
    return zone ? zones::ForceableZone(*zone) : std::nullopt;
}

std::vector<std::string> ForcedZoneNames() { return NamesOf(zones::kForceableZones, Number); }

std::optional<int> MainlandZoneFor(std::string_view text) { return OneOf(text, zones::kChileZones); }

std::vector<std::string> MainlandZoneNames() { return NamesOf(zones::kChileZones, Number); }

std::optional<layers::ShiftSet> ShiftSetFor(std::string_view text) {
    for (const layers::ShiftSet set : kShiftSets)
        if (text == layers::ShiftSetName(set)) return set;
    return std::nullopt;
}

std::vector<std::string> ShiftSetNames() { return NamesOf(kShiftSets, layers::ShiftSetName); }

std::optional<int> SirgasCodeFor(std::string_view text) { return OneOf(text, layers::kSirgasCodes); }

std::vector<std::string> SirgasCodeNames() { return NamesOf(layers::kSirgasCodes, Number); }

std::string Listed(std::span<const std::string> names, std::string_view last) {
    std::string listed;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) listed += i + 1 == names.size() ? last : std::string_view(", ");
        listed += names[i];
    }
    return listed;
}

std::string Alternatives(std::span<const std::string> names) {
    std::string alternatives;
    for (const std::string& name : names) alternatives += (alternatives.empty() ? "" : "|") + name;
    return alternatives;
}

}  // namespace trevalco::cli
