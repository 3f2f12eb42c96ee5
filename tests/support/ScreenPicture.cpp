#include "ScreenPicture.h"

#include "WinTestSupport.h"

#include <algorithm>
#include <cstring>

namespace testsupport {

namespace {
struct ScreenDC {
    HDC dc = GetDC(nullptr);
    ~ScreenDC() { ReleaseDC(nullptr, dc); }
};
struct MemoryDC {
    HDC dc;
    explicit MemoryDC(HDC like) : dc(CreateCompatibleDC(like)) {}
    ~MemoryDC() {
        if (dc) DeleteDC(dc);
    }
};
struct Bitmap {
    HBITMAP bitmap;
    ~Bitmap() {
        if (bitmap) DeleteObject(bitmap);
    }
};
}  // namespace

COLORREF ScreenPicture::At(int x, int y) const {
    uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Luminance(COLORREF colour) {
    return (299 * GetRValue(colour) + 587 * GetGValue(colour) + 114 * GetBValue(colour)) / 1000;
}

RECT ScreenPicture::ClientArea(HWND window) const {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    OffsetRect(&r, -left, -top);
    return r;
}

int ScreenPicture::DarkPixels(const RECT& area) const {
    int dark = 0;
    for (int y = std::max(0, static_cast<int>(area.top)); y < std::min(height, static_cast<int>(area.bottom)); ++y) {
        for (int x = std::max(0, static_cast<int>(area.left)); x < std::min(width, static_cast<int>(area.right)); ++x) {
            dark += Luminance(At(x, y)) < 128;
        }
    }
    return dark;
}

ScreenPicture CaptureWindow(HWND window) {
    ScreenPicture c;
    RECT r{};
    GetWindowRect(window, &r);
    c.left = r.left;
    c.top = r.top;
    c.width = r.right - r.left;
    c.height = r.bottom - r.top;
    if (c.width <= 0 || c.height <= 0) {
        c.width = c.height = 0;
        return c;
    }
    ScreenDC screen;
    MemoryDC mem(screen.dc);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = c.width;
    bi.bmiHeader.biHeight = -c.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    Bitmap dib{CreateDIBSection(screen.dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0)};
    if (!mem.dc || !dib.bitmap || !bits) return c;
    HGDIOBJ old = SelectObject(mem.dc, dib.bitmap);
    BitBlt(mem.dc, 0, 0, c.width, c.height, screen.dc, r.left, r.top, SRCCOPY);
    GdiFlush();
    c.pixels.assign(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + c.width * c.height);
    SelectObject(mem.dc, old);
    return c;
}

bool SavePicture(const ScreenPicture& c, const std::string& path) {
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
    return WriteFileBytes(path, bytes);
}

ScreenPicture LoadPicture(const std::string& path) {
    ScreenPicture p;
    const std::string bmp = ReadFileBytes(path).value_or("");
    int32_t width = 0, height = 0;
    uint32_t offset = 0;
    uint16_t bits = 0;
    if (bmp.size() < 54) return p;
    std::memcpy(&offset, bmp.data() + 10, 4);
    std::memcpy(&width, bmp.data() + 18, 4);
    std::memcpy(&height, bmp.data() + 22, 4);
    std::memcpy(&bits, bmp.data() + 28, 2);
    // Written top row first: the height is negative.
    if (bits != 32 || width <= 0 || height >= 0 || bmp.size() < offset + 4ull * width * -height) return p;
    p.width = width;
    p.height = -height;
    p.pixels.resize(static_cast<size_t>(p.width) * static_cast<size_t>(p.height));
    std::memcpy(p.pixels.data(), bmp.data() + offset, p.pixels.size() * 4);
    return p;
}

RECT ShownClientArea(HWND child) {
    RECT area{}, window{};
    GetClientRect(child, &area);
    GetClientRect(GetParent(child), &window);
    MapWindowPoints(child, nullptr, reinterpret_cast<POINT*>(&area), 2);
    MapWindowPoints(GetParent(child), nullptr, reinterpret_cast<POINT*>(&window), 2);
    IntersectRect(&area, &area, &window);
    return area;
}

ScreenPicture CaptureDisplay(const std::string& bmpFile, const std::string& unixPng, const RECT& crop) {
    DeleteFileA(bmpFile.c_str());
    std::string args = UnixPath(bmpFile);
    if (!unixPng.empty()) {
        args += " --png " + unixPng + " --crop " + std::to_string(crop.left) + "," + std::to_string(crop.top) + "," +
                std::to_string(crop.right - crop.left) + "," + std::to_string(crop.bottom - crop.top);
    }
    ChildProcess capture;
    if (!capture.StartPython("tools/screenshot.py", args) || !capture.Wait(60000)) return {};
    return LoadPicture(bmpFile);
}

}  // namespace testsupport
