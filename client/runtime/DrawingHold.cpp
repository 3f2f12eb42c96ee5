#include "runtime/DrawingHold.h"

namespace skx {

namespace {
// Marks a held window on the window itself: a handle that comes back for another window later
// is not taken for the held one.
const char kHeldProp[] = "SkirmexDrawingHeld";
}  // namespace

bool HoldDrawing(HWND window) {
    if (!window || !IsWindow(window) || DrawingHeld(window)) return false;
    if ((GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) == 0) return false;
    SetPropA(window, kHeldProp, reinterpret_cast<HANDLE>(1));
    SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    return true;
}

bool DrawingHeld(HWND window) { return window && GetPropA(window, kHeldProp) != nullptr; }

void LetDrawingGo(HWND window) {
    if (!DrawingHeld(window)) return;
    RemovePropA(window, kHeldProp);
    SendMessageA(window, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

}  // namespace skx
