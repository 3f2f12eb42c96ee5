// The control's design-time picture: drawn by IViewObject for an inactive control, and shown
// by the control's own child window in the container while it is active in place there.
#pragma once
#include <windows.h>

namespace wirelatch {

// Draws the picture at its own size with its top-left corner at (x, y) in logical units of dc.
bool DrawDesignPicture(HDC dc, int x, int y, HBITMAP picture);

// A child window of the container's window at the control's place, showing the picture.
class DesignWindow {
public:
    DesignWindow() = default;
    ~DesignWindow() { Destroy(); }
    DesignWindow(const DesignWindow&) = delete;
    DesignWindow& operator=(const DesignWindow&) = delete;

    bool Create(HWND parent, const RECT& place, HBITMAP picture);
    void Move(const RECT& place);
    void Destroy();
    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

}  // namespace wirelatch
