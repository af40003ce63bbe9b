#include "Json.h"

#include <cstdio>

namespace trevalco::web {

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

namespace {

std::string_view IconName(dialogs::MessageIcon icon) {
    switch (icon) {
        case dialogs::MessageIcon::Information: return "information";
        case dialogs::MessageIcon::Exclamation: return "exclamation";
        case dialogs::MessageIcon::Critical: return "critical";
        case dialogs::MessageIcon::None: break;
    }
    return "none";
}

std::string_view ButtonsName(dialogs::Buttons buttons) {
    switch (buttons) {
        case dialogs::Buttons::OkCancel: return "okcancel";
        case dialogs::Buttons::YesNo: return "yesno";
        case dialogs::Buttons::Ok: break;
    }
    return "ok";
}

}  // namespace

std::string MessageJson(const dialogs::Message& message) {
    const std::string title = message.title.empty() ? dialogs::kApplicationTitle : message.title;
    return "{\"text\":" + Quoted(message.text) + ",\"title\":" + Quoted(title) + ",\"icon\":\"" +
           std::string(IconName(message.icon)) + "\",\"buttons\":\"" + std::string(ButtonsName(message.buttons)) +
           "\"}";
}

}  // namespace trevalco::web
