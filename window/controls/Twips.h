// Positions and sizes of the window's design are in twips: 15 twips are one
// pixel at 96 dots per inch.
#pragma once

#include <QRect>

namespace trevalco::controls {

inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// left, top, width, height in twips, relative to the container.
constexpr QRect TwipsRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace trevalco::controls
