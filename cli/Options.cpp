#include "Options.h"

#include "ArgumentValues.h"

namespace trevalco::cli {

namespace {

// How batch's help spells the notations out.
std::string Described(core::Notation notation) {
    const std::string name(NotationName(notation));
    switch (notation) {
        case core::Notation::DecimalDegrees: return name + " (grados decimales)";
        case core::Notation::DegreesMinutesSeconds: return name + " (grados, minutos y segundos)";
        case core::Notation::Utm: break;
    }
    return name;
}

}  // namespace

Option DirectionOption(DirectionKey& key, Presence presence) {
    const bool required = presence == Presence::Required;
    return {.name = "--direction", .value = "DIRECCIÓN",
            .help = Listed(DirectionNames()) + ",\nen mayúsculas o minúsculas" +
                    (required ? " (obligatoria)" : "; por omisión " + std::string(NameOf(key))),
            .read = Into(key, KeyFor, "dirección desconocida"), .valueInHelp = !required, .required = required};
}

Option FromOption(core::Notation& from, Presence presence) {
    const bool required = presence == Presence::Required;
    const std::string names = Listed(NotationNames());
    return {.name = "--from", .value = Alternatives(NotationNames()),
            .help = required ? Listed(NamesOf(kNotations, Described)) + "\n(obligatoria)"
                             : "notación de entrada: " + names + "; por omisión " + std::string(NotationName(from)),
            .read = Into(from, NotationFor, "notación desconocida (" + names + ")"), .required = required};
}

Option ForceZoneOption(zones::ForcedZone& forced) {
    const std::string zones = Listed(ForcedZoneNames());
    return {.name = "--force-zone", .value = "N", .help = "fuerza la zona de las proyecciones: " + zones,
            .read = Into(forced, ForcedZoneFor, "zona forzada inválida (" + zones + ")"), .valueInHelp = true};
}

Option ShiftsOption(layers::ShiftSet& shifts, std::string_view more) {
    return {.name = "--shifts", .value = Alternatives(ShiftSetNames()),
            .help = std::string(layers::ShiftSetName(layers::ShiftSet::Seed)) +
                    ": las bandas del programa (por omisión); " + layers::ShiftSetName(layers::ShiftSet::Epsg) +
                    ": las\ntransformaciones publicadas por EPSG para Chile" + std::string(more),
            .read = Into(shifts, ShiftSetFor, "--shifts admite " + Listed(ShiftSetNames()))};
}

Option SirgasOption(int& code, std::string help) {
    return {.name = "--sirgas", .value = "CÓDIGO", .help = std::move(help),
            .read = Into(code, SirgasCodeFor, "--sirgas admite " + Listed(SirgasCodeNames())), .valueInHelp = true};
}

Option OverwriteOption(bool& overwrite, std::string_view output) {
    return {.name = "--overwrite", .help = "reemplaza " + std::string(output) + " si ya existe",
            .read = Raise(overwrite)};
}

}  // namespace trevalco::cli
