// The yardstick of the start-up benchmark: a bare Win32 program that registers a class, shows
// one overlapped 1024 x 768 window and runs its message loop until the window is closed.
#include "BareProgram.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    bare::ShowWindowOfClass(instance, "BareWindow", "Bare", reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1));
    return bare::RunMessageLoop();
}
