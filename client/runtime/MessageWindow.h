// A message-only window of a class of its own, for a part of the program that takes timers or
// posted messages and shows nothing.
#pragma once
#include <windows.h>

namespace skx {

// Registers the class (once; later registrations of the same name fail harmlessly) and makes
// its window on the calling thread: null when it cannot be made.
HWND CreateMessageWindow(const char* className, WNDPROC proc);

}  // namespace skx
