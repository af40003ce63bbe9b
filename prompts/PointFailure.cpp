#include "PointFailure.h"

#include "PointMessages.h"
#include "Statements.h"

namespace trevalco::dialogs {

std::optional<Message> PointFailureMessage(core::Check failed) {
    std::string text = " " + std::string(kCoordinatesOutOfLimits) + " ";
    switch (failed) {
        case core::Check::None: return std::nullopt;
        case core::Check::NoParameters: return NoParametersMessage();
        case core::Check::Empty: text = kCompleteFields; break;
        case core::Check::NotNumeric: text = kEnterNumbers; break;
        case core::Check::OutOfRange: text = kCoordinatesOutOfRange; break;
        default: break;
    }
    return Message{std::move(text), "Error", MessageIcon::Exclamation, Buttons::Ok};
}

}  // namespace trevalco::dialogs
