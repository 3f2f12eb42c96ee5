// The control module's process-wide state: its instance handle and its lock count.
#pragma once
#include <windows.h>

namespace wirelatch {

HMODULE ModuleHandle();
// Live objects and server locks; the module may unload when it is 0.
void LockModule();
void UnlockModule();
LONG ModuleLockCount();

}  // namespace wirelatch
