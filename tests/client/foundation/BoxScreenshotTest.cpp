#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "BoxDriver.h"
#include "MessageBox.h"
#include "MsgBoxSkin.h"
#include "WinTestSupport.h"

using namespace skx;
using boxtest::Driver;
using boxtest::FindBox;

namespace {

// The box as it stands on the screen: 32-bit pixels, top row first.
struct Capture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    COLORREF At(int x, int y) const {
        uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

Capture CaptureWindow(HWND h) {
    Capture c;
    RECT r{};
    GetWindowRect(h, &r);
    c.width = r.right - r.left;
    c.height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = c.width;
    bi.bmiHeader.biHeight = -c.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, c.width, c.height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    c.pixels.assign(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + c.width * c.height);
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return c;
}

void SaveBmp(const Capture& c, const std::string& path) {
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = c.width;
    ih.biHeight = -c.height;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    DWORD size = static_cast<DWORD>(c.pixels.size() * 4);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + size;
    std::string bytes(reinterpret_cast<const char*>(&fh), sizeof fh);
    bytes.append(reinterpret_cast<const char*>(&ih), sizeof ih);
    bytes.append(reinterpret_cast<const char*>(c.pixels.data()), size);
    testsupport::WriteFileBytes(path, bytes);
}

}  // namespace

// Every button set once as it is painted on the screen: the title band, the clipped
// corners and the buttons. With SKIRMEX_BOX_SHOTS set to a folder, each box is saved there.
TEST(MessageBoxSkin, EachButtonSetIsPaintedWithItsSkin) {
    const char* shots = std::getenv("SKIRMEX_BOX_SHOTS");
    const int32_t styles[] = {mbOkOnly | mbInformation, mbOkCancel | mbQuestion, mbAbortRetryIgnore | mbCritical,
                              mbYesNoCancel | mbExclamation | mbExtraButton, mbYesNo | mbQuestion | mbDefaultButton2,
                              mbRetryCancel};
    for (int32_t style : styles) {
        SCOPED_TRACE("style " + std::to_string(style));
        std::string title = "Skin " + std::to_string(style);
        Capture shot;
        DWORD shownAt = 0;
        Driver d({[&] {
                      frmMsgBox* box = FindBox(title);
                      if (!box || !IsWindowVisible(box->Handle())) return false;
                      shownAt = GetTickCount();
                      return true;
                  },
                  [&] {
                      if (GetTickCount() - shownAt < 400) return false;
                      frmMsgBox* box = FindBox(title);
                      shot = CaptureWindow(box->Handle());
                      PostMessageA(box->Button(0), BM_CLICK, 0, 0);
                      return true;
                  }});
        CSendMessage("The quick brown fox jumps over the lazy dog.\r\nA second line of the message.", style, title);
        EXPECT_FALSE(d.TimedOut());
        ASSERT_GT(shot.width, 40);
        // The title band across the top, left of the close image.
        EXPECT_EQ(shot.At(shot.width / 4, 2), TitleBandColour);
        EXPECT_EQ(shot.At(shot.width / 2, TitleBandHeight - 1), TitleBandColour);
        // Below the band: the box's face.
        EXPECT_EQ(shot.At(shot.width - 6, TitleBandHeight + 8), GetSysColor(COLOR_BTNFACE));
        // The rounded region clips the corner away.
        EXPECT_NE(shot.At(0, 0), TitleBandColour);
        if (shots) SaveBmp(shot, std::string(shots) + "\\box-" + std::to_string(style) + ".bmp");
    }
}
