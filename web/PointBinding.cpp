// The point tab of the page: the texts of its input boxes and its settings
// in, through the point tab's own rules, the boxes to rewrite and the
// message to show out, as JSON.
#include <emscripten/emscripten.h>

#include <string>

#include "Json.h"
#include "PointFailure.h"
#include "PointTabRules.h"

namespace trevalco::web {

namespace {

// The element ids of the fields a run rewrites, in the order of point::Field.
constexpr const char* kFieldIds[] = {
    "Textlat",   "Textlon",   "Text_Gralat_i", "Text_Minlat_i", "Text_Seglat_i", "Text_Gralon_i",
    "Text_Minlon_i", "Text_Seglon_i", "Text_iNorte", "Text_iEste", "Text_zona_1", "Text_Olat",
    "Text_Olon", "Text_ONorte", "Text_OEste", "Text_DeltaError", "Text_Zona",
};

std::string result;  // the last answer, read by the page before the next call

}  // namespace

}  // namespace trevalco::web

using namespace trevalco;

extern "C" {

// notation: 0 decimal degrees, 1 degrees-minutes-seconds, 2 UTM. texts: the
// notation's boxes in order, separated by "\x1f". direction: the option
// buttons' key. forcedCheck: the "Forzar Zonas" box's value; zoneButton:
// the index of the selected zone button among OpZ12 to OpZ21, -1 none.
EMSCRIPTEN_KEEPALIVE const char* trevalco_point(int notation, const char* texts, const char* direction,
                                                int forcedCheck, int zoneButton, const char* decimal,
                                                const char* group) {
    point::TabTexts boxes;
    std::string_view rest(texts);
    for (std::size_t i = 0; i < boxes.size() && !rest.empty(); ++i) {
        const auto cut = rest.find('\x1f');
        boxes[i] = std::string(rest.substr(0, cut));
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    }
    point::TabSettings settings;
    const std::string key(direction);
    settings.direction = point::DirectionOfButtons(key == "SIRGAS_PSAD56", key == "SIRGAS_SAD69", key == "PSAD56_SIRGAS");
    std::array<bool, zones::kForceableZones.size() - 1> buttons{};
    if (zoneButton >= 0 && static_cast<std::size_t>(zoneButton) < buttons.size())
        buttons[static_cast<std::size_t>(zoneButton)] = true;
    settings.forced = point::ReadForcedZone(forcedCheck, buttons);
    settings.separators = number_text::Separators{decimal, group};
    const auto notationOf = notation == 1 ? core::Notation::DegreesMinutesSeconds
                            : notation == 2 ? core::Notation::Utm
                                            : core::Notation::DecimalDegrees;
    std::string& out = web::result;
    try {
        const point::TabOutcome outcome = point::ConvertTabPoint(notationOf, boxes, settings);
        out = "{\"fields\":[";
        bool first = true;
        for (const point::FieldText& field : outcome.fields) {
            if (!first) out += ',';
            first = false;
            out += "[\"" + std::string(web::kFieldIds[static_cast<std::size_t>(field.field)]) + "\"," +
                   web::Quoted(field.text) + "]";
        }
        out += "],\"message\":";
        const auto message = dialogs::PointFailureMessage(outcome.failed);
        out += message ? web::MessageJson(*message) : "null";
        out += ",\"clear\":";
        out += outcome.failed == core::Check::NoParameters ? "true" : "false";
        out += "}";
    } catch (const std::exception& failure) {
        out = "{\"fields\":[],\"message\":" +
              web::MessageJson({failure.what(), "Error", dialogs::MessageIcon::Critical, dialogs::Buttons::Ok}) +
              ",\"clear\":false}";
    }
    return out.c_str();
}

}  // extern "C"
