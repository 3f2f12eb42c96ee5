// A shown window's drawing held off while it is changed many times, and let go once: each change
// of a shown rich edit box repaints it and redraws its scroll bar at once, which costs many times
// the change itself. A held window looks hidden to the system (WM_SETREDRAW FALSE clears its
// WS_VISIBLE style, and letting go sets it again), so only a window shown at the time is held, and
// one hidden meanwhile (Control::SetVisible) is let go before it hides.
#pragma once
#include <windows.h>

namespace skx {

// Holds the drawing of a shown window that is not held yet; true when this call held it (the
// caller then lets it go). A hidden window, or one held already, is let be.
bool HoldDrawing(HWND window);
// True while the window's drawing is held.
bool DrawingHeld(HWND window);
// Drawing on again, the whole window (its frame and scroll bars too) drawn at the next paint.
void LetDrawingGo(HWND window);

}  // namespace skx
