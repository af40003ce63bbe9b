// The options more than one command takes, each declared once: its help
// line, its values (listed from ArgumentValues.h) and its reader, bound to
// the settings of the command that declares it.
#pragma once

#include <string>
#include <string_view>

#include "ArgumentParser.h"
#include "PointCore.h"
#include "ShiftSet.h"
#include "Datums.h"
#include "UtmZones.h"

namespace trevalco::cli {

// An option the command requires, or one it gives a default: the default
// is the bound setting's value when the option is declared.
enum class Presence { WithDefault, Required };

// --direction SIRGAS_PSAD56|... in any case.
Option DirectionOption(DirectionKey& key, Presence presence);

// --from dd|dms|utm.
Option FromOption(core::Notation& from, Presence presence);

// --force-zone N: the zones of "Forzar Zonas".
Option ForceZoneOption(zones::ForcedZone& forced);

// --shifts seed|epsg; `more` goes on after its help.
Option ShiftsOption(layers::ShiftSet& shifts, std::string_view more = {});

// --sirgas CÓDIGO, with the command's own help.
Option SirgasOption(int& code, std::string help);

// --overwrite: replaces `output` ("la salida") if it exists.
Option OverwriteOption(bool& overwrite, std::string_view output);

}  // namespace trevalco::cli
