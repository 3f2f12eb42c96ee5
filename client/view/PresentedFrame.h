// The picture the map device presented last, read back from its back buffer: what the map
// window shows (a window's Direct3D drawing is not on every screen a capture can read).
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace skx {

struct FramePixels {
    HWND window = nullptr;  // the map picture the device draws into
    int32_t width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first
};

// Empty when there is no device.
FramePixels PresentedFrame();

}  // namespace skx
