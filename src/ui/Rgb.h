#pragma once

#include <QRgb>

#include <algorithm>
#include <cmath>

// Colours of the window as (red, green, blue). A colour that is set carries the alpha bits, so
// 0 can stand for "the container's colour".
inline constexpr QRgb kSet = 0xFF000000u;

inline constexpr QRgb Colour(int r, int g, int b) {
    return kSet | static_cast<QRgb>((r << 16) | (g << 8) | b);
}

// Relative luminance of a colour as sRGB: 0 for black, 1 for white.
inline double Luminance(QRgb c) {
    const auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

// How well two colours read on each other: 1 for none, 21 for black on white.
inline double Contrast(QRgb a, QRgb b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Black or white, whichever reads better on back.
inline QRgb TextColourOn(QRgb back) {
    constexpr QRgb black = Colour(0, 0, 0);
    constexpr QRgb white = Colour(255, 255, 255);
    return Contrast(black, back) >= Contrast(white, back) ? black : white;
}
