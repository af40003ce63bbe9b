// The window's pictures, drawn from the vector drawings stored as resources.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace trevalco::app {

inline constexpr QSize kBannerSize{441, 49};

// A terrestrial globe on a stand, at 48, 32 and 16 pixels.
QIcon WindowIcon();

// The banner of the point tab: emblem, title and maker's logo on a dark
// purple band, 441 x 49 pixels.
QPixmap Banner();

}  // namespace trevalco::app
