// A window as the screen shows it, for tests that look at what was painted: captured through
// the screen's device context (what Xvfb shows), read by pixel, and saved as a BMP file.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

struct ScreenPicture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 32-bit, top row first
    COLORREF At(int x, int y) const;
};

// The window's rectangle of the screen (empty for a window without size).
ScreenPicture CaptureWindow(HWND window);
// Writes the picture as a 32-bit BMP file; false when the file cannot be written.
bool SavePicture(const ScreenPicture& picture, const std::string& path);

}  // namespace testsupport
