// The renderer's life: its start-up on the map window, one frame on the map device, the reset
// of a lost device and the release of everything at the end.
#pragma once
#include "FrameLoop.h"

namespace skx {

// True once PreLoadDirectX ran to its end, until CleanUp; while it is False a device reset
// only releases the font and the textures.
inline bool DirectXReady = false;

// Brings up the device on the map picture, the atlases, the sounds, the view size and
// daylight (once, at start-up; nothing while the map window is not visible). False when a step failed: its box
// has been shown and the program must end at once.
bool PreLoadDirectX();
// One frame on the map device.
void Render(const FrameInput& input);
// Releases the font and the textures, resets the device at the view's size and makes them
// again; every step runs whatever the one before did, and a failed reset is tried again on
// the next frame.
void ResetDevice();
// Stops the weather that runs and releases the font, the textures, the device and the sound
// objects.
void CleanUp();

}  // namespace skx
