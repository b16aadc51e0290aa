#pragma once
// Window positions and sizes are worked out in twips, 15 to the pixel, as the
// layout formulas are written; Qt then scales the pixels for high-DPI screens.
// When the table grows with its window, a scale factor of 1 or more turns the
// same twips into proportionally more pixels; at 1 every value is the plain
// one, truncated as integer division truncates.

#include <algorithm>

namespace vemo {

inline constexpr int kTwipsPerPixel = 15;
constexpr int TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }
constexpr int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

constexpr int TwipsToPixels(int twips, double scale)
{
    return static_cast<int>(static_cast<double>(twips) * scale / kTwipsPerPixel);
}
// The inverse, rounded to the nearest twip; exact at scale 1.
constexpr int PixelsToTwips(int pixels, double scale)
{
    const double twips = static_cast<double>(pixels) * kTwipsPerPixel / scale;
    return static_cast<int>(twips < 0 ? twips - 0.5 : twips + 0.5);
}

// How much larger than at its start size the table may be drawn in an area
// of width x height pixels: as large as the start layout still fits, never
// smaller than it is (a window below the start size keeps factor 1).
constexpr double TableScaleFactor(int width, int height, int startWidth, int startHeight)
{
    if (startWidth <= 0 || startHeight <= 0) return 1.0;
    return std::max(1.0, std::min(static_cast<double>(width) / startWidth, static_cast<double>(height) / startHeight));
}

} // namespace vemo
