#include "Splitter.h"

#include <windowsx.h>

#include <algorithm>

#include "Twips.h"

namespace skx {

const char* SplitterBar::ClassName() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &SplitterBar::Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_SIZEWE);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "SkirmexSplitter";
        RegisterClassA(&wc);
        return true;
    }();
    (void)registered;
    return "SkirmexSplitter";
}

bool SplitterBar::Create(HWND parent, int id) { return Control::Create(parent, ClassName(), 0, 0, id); }

void SplitterBar::OnCreated() {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetPosition(position_);
}

int SplitterBar::ParentWidth() const {
    RECT r{};
    if (hwnd_) GetClientRect(GetParent(hwnd_), &r);
    return r.right;
}

int SplitterBar::Clamped(int twips, int parentWidth) {
    const int low = MinSide, high = parentWidth - MinSide - Thickness;
    if (high < low) return TwipsFromPixels(std::max(parentWidth / 2, 0));
    return TwipsFromPixels(std::clamp(PixelsFromTwips(twips), low, high));
}

void SplitterBar::SetPosition(int twips) {
    position_ = hwnd_ ? Clamped(twips, ParentWidth()) : twips;
    if (!hwnd_) return;
    RECT r{};
    GetClientRect(GetParent(hwnd_), &r);
    Move(PixelsFromTwips(position_), 0, Thickness, r.bottom);
}

LRESULT CALLBACK SplitterBar::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SplitterBar*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_LBUTTONDOWN:
            self->grab_ = GET_X_LPARAM(lParam);
            SetCapture(hwnd);
            return 0;
        case WM_MOUSEMOVE:
            if (self->grab_ >= 0 && GetCapture() == hwnd) {
                POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                MapWindowPoints(hwnd, GetParent(hwnd), &at, 1);
                int before = self->position_;
                self->SetPosition(TwipsFromPixels(at.x - self->grab_));
                if (self->position_ != before) self->RunEvent("Moved", self->Moved);
            }
            return 0;
        case WM_LBUTTONUP:
            if (GetCapture() == hwnd) ReleaseCapture();
            return 0;
        case WM_CAPTURECHANGED:
            self->grab_ = -1;
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace skx
