#include "PictureBox.h"

#include <cstdint>

namespace skx {

namespace {

// The window property that holds a picture's painter.
constexpr char PainterProperty[] = "SkirmexPicturePainter";

PicturePainter PainterOf(HWND hwnd) {
    return reinterpret_cast<PicturePainter>(reinterpret_cast<uintptr_t>(GetPropA(hwnd, PainterProperty)));
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            // A painter draws the background itself: erasing first would show black between.
            if (PainterOf(hwnd)) return 1;
            break;
        case WM_PAINT:
            if (const PicturePainter painter = PainterOf(hwnd)) {
                PAINTSTRUCT ps{};
                HDC dc = BeginPaint(hwnd, &ps);
                RECT client{};
                GetClientRect(hwnd, &client);
                if (dc) painter(dc, client);
                EndPaint(hwnd, &ps);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemovePropA(hwnd, PainterProperty);
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

const char* PictureBoxClass() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &PictureProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = "SkirmexPicture";
        RegisterClassExA(&wc);
        registered = true;
    }
    return "SkirmexPicture";
}

void SetPicturePainter(HWND picture, PicturePainter painter) {
    if (!IsWindow(picture)) return;
    if (painter) {
        SetPropA(picture, PainterProperty, reinterpret_cast<HANDLE>(reinterpret_cast<uintptr_t>(painter)));
    } else {
        RemovePropA(picture, PainterProperty);
    }
    InvalidateRect(picture, nullptr, TRUE);
}

}  // namespace skx
