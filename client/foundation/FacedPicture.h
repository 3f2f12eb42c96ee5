// Pictures shown on a button or a window's face: drawn with magenta where the face shows
// through, and given the system's button-face colour there when they are loaded, whatever the
// desktop's colours are.
#pragma once
#include <windows.h>

#include "GdiHandle.h"

namespace skx {

// A bitmap resource (of this program, or of module) with every magenta texel in the system's
// button-face colour of now; empty when there is no such resource.
GdiObject<HBITMAP> LoadFacedPicture(const char* name, HMODULE module = GetModuleHandleA(nullptr));

// Puts the face colour (a COLORREF) where a 24-bit top-down or bottom-up DIB's rows hold
// magenta; rows of stride bytes.
void FillKeyWithFace(unsigned char* bits, int width, int height, int stride, COLORREF face);

}  // namespace skx
