#pragma once

#include <QtMath>

// Window coordinates are kept in twips: 15 twips are one device-independent pixel.
inline constexpr double kTwipsPerPixel = 15.0;

inline int TwipsToPixels(double twips) {
    return qRound(twips / kTwipsPerPixel);
}

inline double PixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

// A control's place in its container, in twips.
struct TwipRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    bool operator==(const TwipRect&) const = default;
};
