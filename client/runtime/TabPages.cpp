#include "TabPages.h"

namespace skx {

bool TabPages::Create() {
    HWND strip = strip_.hWnd();
    if (!strip) return false;
    bool ok = true;
    for (DialogPage* page : pages_) ok = page->Create(GetParent(strip)) && ok;
    Layout();
    ShowSelected();
    return ok;
}

void TabPages::Layout() {
    HWND strip = strip_.hWnd();
    if (!strip) return;
    RECT area{};
    GetClientRect(strip, &area);
    SendMessageA(strip, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(strip, GetParent(strip), reinterpret_cast<POINT*>(&area), 2);
    for (DialogPage* page : pages_) {
        if (page->hWnd()) {
            SetWindowPos(page->hWnd(), HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                         SWP_NOACTIVATE);
        }
    }
}

void TabPages::ShowSelected() {
    const int selected = strip_.SelectedIndex();
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (HWND h = pages_[i]->hWnd()) ShowWindow(h, static_cast<int>(i) + 1 == selected ? SW_SHOWNA : SW_HIDE);
    }
}

}  // namespace skx
