// Drives open message boxes from a timer while a test waits inside a box's modal loop.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "frmMsgBox.h"
#include "runtime/FormTimer.h"

namespace boxtest {

// The open box whose window text is title (null when none is open).
inline skx::frmMsgBox* FindBox(const std::string& title) {
    return skx::frmMsgBox::FromWindow(FindWindowA(skx::frmMsgBox::BoxClassName(), title.c_str()));
}

// Closes every open box (the test's safety net when a box does not react).
inline void CloseAllBoxes() {
    while (HWND h = FindWindowA(skx::frmMsgBox::BoxClassName(), nullptr)) {
        if (!IsWindowVisible(h)) {
            DestroyWindow(h);
            continue;
        }
        SendMessageA(h, WM_CLOSE, 0, 0);
    }
}

// Runs its steps one after the other from a timer: a step returns true when it is done.
// After timeoutMs every open box is closed, so a failing test never hangs.
class Driver {
public:
    explicit Driver(std::vector<std::function<bool()>> steps, unsigned timeoutMs = 20000, unsigned intervalMs = 40)
        : steps_(std::move(steps)),
          timeoutMs_(timeoutMs),
          start_(GetTickCount()),
          timer_("test", "tmrDriver", [this] { Tick(); }) {
        timer_.SetInterval(intervalMs);
        timer_.SetEnabled(true);
    }
    bool Finished() const { return next_ >= steps_.size(); }
    bool TimedOut() const { return timedOut_; }

private:
    void Tick() {
        if (GetTickCount() - start_ > timeoutMs_) {
            timedOut_ = true;
            timer_.SetEnabled(false);
            CloseAllBoxes();
            return;
        }
        // After the last step the timer keeps watching, so a box that did not close is closed.
        if (next_ < steps_.size() && steps_[next_]()) ++next_;
    }

    std::vector<std::function<bool()>> steps_;
    size_t next_ = 0;
    unsigned timeoutMs_;
    DWORD start_;
    bool timedOut_ = false;
    skx::FormTimer timer_;
};

// Posts a key press to the window that has the focus (or to the box when nothing has it).
inline void PressKey(skx::frmMsgBox* box, WPARAM key) {
    HWND target = GetFocus();
    if (!target || (target != box->Handle() && !IsChild(box->Handle(), target))) target = box->Handle();
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

inline void ClickCloseImage(skx::frmMsgBox* box) {
    RECT r = box->CloseImageRect();
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(box->Handle(), WM_MOUSEMOVE, 0, at);
    PostMessageA(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(box->Handle(), WM_LBUTTONUP, 0, at);
}

inline std::string TextOf(HWND h) {
    char buf[512] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

}  // namespace boxtest
