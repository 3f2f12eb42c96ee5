// The module's exported entry points for COM and for version queries.
#include <windows.h>
#include <shlwapi.h>

#include "ClassFactory.h"
#include "ModuleState.h"
#include "Registration.h"
#include "WirelatchCtl.h"

#define WIRELATCH_EXPORT extern "C" __declspec(dllexport)

WIRELATCH_EXPORT HRESULT STDAPICALLTYPE DllCanUnloadNow() { return wirelatch::ModuleLockCount() == 0 ? S_OK : S_FALSE; }

WIRELATCH_EXPORT HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_Wirelatch)) return CLASS_E_CLASSNOTAVAILABLE;
    return wirelatch::GetWirelatchClassObject(iid, out);
}

WIRELATCH_EXPORT HRESULT STDAPICALLTYPE DllRegisterServer() { return wirelatch::RegisterServer(); }

WIRELATCH_EXPORT HRESULT STDAPICALLTYPE DllUnregisterServer() { return wirelatch::UnregisterServer(); }

WIRELATCH_EXPORT HRESULT STDAPICALLTYPE DllGetVersion(DLLVERSIONINFO* info) {
    if (!info) return E_POINTER;
    if (info->cbSize != sizeof(DLLVERSIONINFO)) return E_INVALIDARG;
    info->dwMajorVersion = 4;
    info->dwMinorVersion = 0;
    info->dwBuildNumber = 4000;
    info->dwPlatformID = DLLVER_PLATFORM_WINDOWS;
    return S_OK;
}
