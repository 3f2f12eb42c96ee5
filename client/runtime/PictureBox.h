// The window class of the client's picture boxes: a plain child window with a black
// background, drawn on by the renderer. A picture's owner may take over its painting (the
// picture box's Paint event): the painter then draws the whole client area, background
// included, whenever the window needs painting.
#pragma once
#include <windows.h>

namespace skx {

const char* PictureBoxClass();

// Draws into the picture's device context; client: the picture's client rectangle.
using PicturePainter = void (*)(HDC dc, const RECT& client);
// Sets the painter of a picture box window (null gives the black background back) and has the
// window painted again. The painter is kept with the window.
void SetPicturePainter(HWND picture, PicturePainter painter);

}  // namespace skx
