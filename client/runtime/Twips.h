// Window geometry of the client's forms is kept in twips, 15 to the pixel.
#pragma once

namespace skx {

constexpr int TwipsPerPixel = 15;
constexpr int PixelsFromTwips(int twips) { return twips / TwipsPerPixel; }
constexpr int TwipsFromPixels(int pixels) { return pixels * TwipsPerPixel; }

}  // namespace skx
