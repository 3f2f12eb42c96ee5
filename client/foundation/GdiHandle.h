// Small owning wrappers for GDI and USER handles: each releases its handle exactly once.
#pragma once
#include <windows.h>

#include <utility>

namespace skx {

// A GDI object (font, brush, pen, bitmap, region) deleted with DeleteObject.
template <class H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H handle) : handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    H Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Gives the handle away (for example to SetWindowRgn, which then owns it).
    H Release() { return std::exchange(handle_, nullptr); }
    void Reset(H handle = nullptr) {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }

private:
    H handle_ = nullptr;
};

using FontHandle = GdiObject<HFONT>;
using BrushHandle = GdiObject<HBRUSH>;
using PenHandle = GdiObject<HPEN>;
using RegionHandle = GdiObject<HRGN>;

// An icon; destroyed only when this program created it (shared system icons are not).
class IconHandle {
public:
    IconHandle() = default;
    IconHandle(HICON icon, bool owned) : icon_(icon), owned_(owned) {}
    ~IconHandle() { Reset(); }
    IconHandle(IconHandle&& other) noexcept
        : icon_(std::exchange(other.icon_, nullptr)), owned_(std::exchange(other.owned_, false)) {}
    IconHandle& operator=(IconHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            icon_ = std::exchange(other.icon_, nullptr);
            owned_ = std::exchange(other.owned_, false);
        }
        return *this;
    }
    IconHandle(const IconHandle&) = delete;
    IconHandle& operator=(const IconHandle&) = delete;

    HICON Get() const { return icon_; }
    explicit operator bool() const { return icon_ != nullptr; }
    void Reset() {
        if (icon_ && owned_) DestroyIcon(icon_);
        icon_ = nullptr;
        owned_ = false;
    }

private:
    HICON icon_ = nullptr;
    bool owned_ = false;
};

// Selects a GDI object into a device context for one scope.
class SelectInDC {
public:
    SelectInDC(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectInDC() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectInDC(const SelectInDC&) = delete;
    SelectInDC& operator=(const SelectInDC&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window's device context from GetDC, released on scope exit.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

}  // namespace skx
