// The module's instance handle and its lock count.
#include "ModuleState.h"

namespace wirelatch {
namespace {

volatile LONG g_locks = 0;

HMODULE FindOwnModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&FindOwnModule), &module);
    return module;
}

}  // namespace

HMODULE ModuleHandle() {
    static const HMODULE module = FindOwnModule();
    return module;
}

void LockModule() { InterlockedIncrement(&g_locks); }
void UnlockModule() { InterlockedDecrement(&g_locks); }
LONG ModuleLockCount() { return g_locks; }

}  // namespace wirelatch
