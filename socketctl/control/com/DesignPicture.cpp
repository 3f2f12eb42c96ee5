// Drawing the design-time picture, and the child window that shows it in a container.
#include "DesignPicture.h"

#include "ModuleState.h"

namespace wirelatch {
namespace {

constexpr wchar_t kDesignWindowClass[] = L"WirelatchDesignWindow";

LRESULT CALLBACK DesignWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        if (dc) {
            RECT all{};
            GetClientRect(window, &all);
            FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
            DrawDesignPicture(dc, 0, 0, reinterpret_cast<HBITMAP>(GetWindowLongPtrW(window, GWLP_USERDATA)));
        }
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;  // the paint covers the whole window
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterDesignWindowClass() {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(ModuleHandle(), kDesignWindowClass, &existing)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DesignWindowProc;
    wc.hInstance = ModuleHandle();
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    wc.lpszClassName = kDesignWindowClass;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool DrawDesignPicture(HDC dc, int x, int y, HBITMAP picture) {
    if (!dc || !picture) return false;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory) return false;
    SetMapMode(memory, GetMapMode(dc));
    HGDIOBJ old = SelectObject(memory, picture);
    BITMAP info{};
    GetObjectW(picture, sizeof(info), &info);
    POINT size{info.bmWidth, info.bmHeight};
    DPtoLP(dc, &size, 1);
    BitBlt(dc, x, y, size.x, size.y, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    return true;
}

bool DesignWindow::Create(HWND parent, const RECT& place, HBITMAP picture) {
    Destroy();
    if (!parent || !RegisterDesignWindowClass()) return false;
    window_ = CreateWindowExW(0, kDesignWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, place.left,
                              place.top, place.right - place.left, place.bottom - place.top, parent, nullptr,
                              ModuleHandle(), picture);
    return window_ != nullptr;
}

void DesignWindow::Move(const RECT& place) {
    if (window_)
        MoveWindow(window_, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
}

void DesignWindow::Destroy() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
}

}  // namespace wirelatch
