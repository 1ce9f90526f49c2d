#pragma once

#include <QRgb>

// Colours of the window as (red, green, blue). A colour that is set carries the alpha bits, so
// 0 can stand for "the container's colour".
inline constexpr QRgb kSet = 0xFF000000u;

inline constexpr QRgb Colour(int r, int g, int b) {
    return kSet | static_cast<QRgb>((r << 16) | (g << 8) | b);
}
