#include "SystemColours.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>
#include <array>
#include <utility>

namespace trevalco::controls {
namespace {

constexpr const char* kBackColourProperty = "backColour";

// The one place where a system colour code meets the palette.
constexpr std::array<std::pair<SystemColour, QPalette::ColorRole>, 4> kRoles{{
    {SystemColour::ScrollBar, QPalette::Window},
    {SystemColour::WindowBackground, QPalette::Base},
    {SystemColour::CaptionText, QPalette::HighlightedText},
    {SystemColour::ButtonFace, QPalette::Button},
}};

}  // namespace

QPalette::ColorRole PaletteRoleOf(SystemColour colour) {
    for (const auto& [code, role] : kRoles) {
        if (code == colour) return role;
    }
    return QPalette::Base;
}

QColor Resolve(SystemColour colour, const QPalette& palette) {
    return palette.color(QPalette::Active, PaletteRoleOf(colour));
}

void SetBackColour(QWidget& widget, SystemColour colour) {
    const QColor resolved = Resolve(colour, QApplication::palette());
    QPalette palette = widget.palette();
    // Line edits paint their background with Base, non-editable drop-down
    // lists with Button: set both, for every colour group.
    palette.setColor(QPalette::Base, resolved);
    palette.setColor(QPalette::Button, resolved);
    widget.setPalette(palette);
    widget.setProperty(kBackColourProperty, QVariant::fromValue(static_cast<quint32>(colour)));
}

std::optional<SystemColour> BackColourOf(const QWidget& widget) {
    const QVariant value = widget.property(kBackColourProperty);
    if (!value.isValid()) return std::nullopt;
    return static_cast<SystemColour>(value.value<quint32>());
}

}  // namespace trevalco::controls
