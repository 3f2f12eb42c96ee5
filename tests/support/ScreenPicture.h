// A window as the screen shows it, for tests that look at what was painted: captured through
// the screen's device context (what Xvfb shows), read by pixel, and saved as a BMP file.
// Text is judged as a person sees it, dark on light, never by the exact colours of its glyphs:
// the fonts a machine has decide how the edges of letters are smoothed.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

struct ScreenPicture {
    int left = 0, top = 0;  // the picture's top left corner on the screen
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 32-bit, top row first
    COLORREF At(int x, int y) const;
    // A window's client area (a control inside the captured window) in the picture's coordinates.
    RECT ClientArea(HWND window) const;
    // The pixels of an area (clipped to the picture) darker than half brightness.
    int DarkPixels(const RECT& area) const;
};

// Brightness as the eye weighs red, green and blue: 0 black to 255 white.
int Luminance(COLORREF colour);

// The window's rectangle of the screen (empty for a window without size).
ScreenPicture CaptureWindow(HWND window);
// The part of a child window's client area that its parent's client area shows, in screen pixels.
RECT ShownClientArea(HWND child);
// Writes the picture as a 32-bit BMP file; false when the file cannot be written.
bool SavePicture(const ScreenPicture& picture, const std::string& path);
// A 32-bit BMP file as SavePicture and the client's test hook write them (empty when it
// cannot be read); the picture's corner is the screen's top left.
ScreenPicture LoadPicture(const std::string& path);
// The whole X display as a person sees it (an X capture, not what Windows' own screen device
// reads), also left in bmpFile. unixPng, when given, gets the part of it under crop as a PNG file.
ScreenPicture CaptureDisplay(const std::string& bmpFile, const std::string& unixPng = {}, const RECT& crop = {});

}  // namespace testsupport
