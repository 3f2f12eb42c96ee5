// The window class of the client's picture boxes: a plain child window with a black
// background, drawn on by the renderer.
#pragma once

namespace skx {

const char* PictureBoxClass();

}  // namespace skx
