#pragma once
// Window positions and sizes are worked out in twips, 15 to the pixel, as the
// layout formulas are written; Qt then scales the pixels for high-DPI screens.

namespace vemo {

inline constexpr int kTwipsPerPixel = 15;
constexpr int TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }
constexpr int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

} // namespace vemo
