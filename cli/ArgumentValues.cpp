#include "ArgumentValues.h"

#include <algorithm>
#include <charconv>

namespace trevalco::cli {

std::optional<std::string_view> OptionValue(std::string_view& option, int& index, int argc,
                                            const char* const* argv) {
    if (const auto eq = option.find('='); eq != std::string_view::npos) {
        const std::string_view value = option.substr(eq + 1);
        option = option.substr(0, eq);
        return value;
    }
    if (index + 1 >= argc) return std::nullopt;
    return std::string_view(argv[++index]);
}

bool IsOneOf(std::string_view option, std::initializer_list<std::string_view> known) {
    option = option.substr(0, option.find('='));
    return std::find(known.begin(), known.end(), option) != known.end();
}

std::optional<int> WholeArgument(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<DirectionKey> KeyFor(std::string_view typed) {
    // Read without regard to case: sirgas_sad69 is SIRGAS_SAD69.
    std::string direction(typed);
    for (char& c : direction)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    for (const DirectionKey key : {kSirgasToPsad56, kSirgasToSad69, kPsad56ToSirgas, kSad69ToSirgas})
        if (direction == NameOf(key)) return key;
    return std::nullopt;
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

std::optional<Util::ForcedZone> ForcedZoneFor(std::string_view text) {
    const auto zone = WholeArgument(text);
    if (!zone) return std::nullopt;
    const bool offered =
        *zone == 22 || std::find(Util::kForceableZones.begin(), Util::kForceableZones.end(),
                                 *zone) != Util::kForceableZones.end();
    if (!offered) return std::nullopt;
    return Util::ForcedZone::To(static_cast<std::int16_t>(*zone));
}

}  // namespace trevalco::cli
