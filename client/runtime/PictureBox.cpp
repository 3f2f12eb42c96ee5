#include "PictureBox.h"

#include <windows.h>

namespace skx {

const char* PictureBoxClass() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = "SkirmexPicture";
        RegisterClassExA(&wc);
        registered = true;
    }
    return "SkirmexPicture";
}

}  // namespace skx
