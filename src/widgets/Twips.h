#pragma once

#include <QRect>

// Window designs are in twips: 1/1440 inch, 15 twips to a logical pixel.
// Qt's device pixel ratio takes care of high-density screens.
namespace twips {
inline constexpr int kPerPixel = 15;

constexpr int toPixels(int value) { return (value + (value >= 0 ? kPerPixel / 2 : -kPerPixel / 2)) / kPerPixel; }
constexpr int fromPixels(int pixels) { return pixels * kPerPixel; }
inline QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}
} // namespace twips
