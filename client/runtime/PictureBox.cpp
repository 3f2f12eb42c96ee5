#include "PictureBox.h"

#include <map>

namespace skx {

namespace {

std::map<HWND, PicturePainter>& Painters() {
    static std::map<HWND, PicturePainter> painters;
    return painters;
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            // A painter draws the background itself: erasing first would show black between.
            if (Painters().contains(hwnd)) return 1;
            break;
        case WM_PAINT:
            if (const auto found = Painters().find(hwnd); found != Painters().end()) {
                PAINTSTRUCT ps{};
                HDC dc = BeginPaint(hwnd, &ps);
                RECT client{};
                GetClientRect(hwnd, &client);
                // A copy: the painter may set another painter while it runs.
                const PicturePainter painter = found->second;
                if (dc) painter(dc, client);
                EndPaint(hwnd, &ps);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            Painters().erase(hwnd);
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
        Painters()[picture] = std::move(painter);
    } else {
        Painters().erase(picture);
    }
    InvalidateRect(picture, nullptr, TRUE);
}

}  // namespace skx
