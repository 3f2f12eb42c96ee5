// The socket library's process attach and detach.
#include <windows.h>

#include "LibraryCore.h"
#include "SocketEvents.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        DisableThreadLibraryCalls(instance);
        inet::InetLibraryAttach(instance);
        break;
    case DLL_PROCESS_DETACH:
        // No window may keep a procedure of an unloaded library.
        inet::InetRestoreWindows();
        inet::InetLibraryDetach();
        break;
    default:
        break;
    }
    return TRUE;
}
