// The renderer's life cycle as start-up and shut-down see it. Until the Direct3D renderer is
// in place these bring nothing up and release nothing.
#pragma once

namespace skx {

// Starts the renderer on the map window (called once, after the main window is visible).
void PreLoadDirectX();
// Stops weather effects and sounds and releases the renderer's objects.
void CleanUp();
// True between PreLoadDirectX and CleanUp.
bool RendererStarted();

}  // namespace skx
