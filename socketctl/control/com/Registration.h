// The control's registry entries and the registration of its type library.
#pragma once
#include <windows.h>

namespace wirelatch {

HRESULT RegisterServer();
HRESULT UnregisterServer();

}  // namespace wirelatch
