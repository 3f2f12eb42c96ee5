// The painted skin of the message box: title band, rounded double border, close image and
// the rounded window region. Everything is drawn in code, so no image resources are needed.
#pragma once
#include <windows.h>

namespace skx {

constexpr int TitleBandHeight = 25;      // pixels
constexpr int SkinCornerSize = 25;       // corner ellipse width and height
constexpr int CloseImageSize = 16;
constexpr COLORREF TitleBandColour = RGB(255, 255, 177);

// The three pictures of the close image.
enum class CloseImageState { Normal = 0, Hover = 1, Pressed = 2 };

// The band across the top, (0, 0) to (innerWidth, 25).
void PaintTitleBand(HDC dc, int innerWidth);
// Two rounded outlines: dark 3D shadow outside, button face inside.
void PaintSkinBorders(HDC dc, int width, int height);
// The close image in one of its pictures, inside r.
void PaintCloseImage(HDC dc, const RECT& r, CloseImageState state);
// Clips the window to its rounded shape; the window owns the region afterwards.
bool ClipToRoundedRegion(HWND hwnd, int width, int height);

}  // namespace skx
