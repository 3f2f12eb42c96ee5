// Writes and removes the class's entries under HKEY_CLASSES_ROOT and registers the type
// library held in the module's resources.
#include "Registration.h"

#include <oleauto.h>
#include <shlwapi.h>

#include <string>

#include "ComPtr.h"
#include "ModuleState.h"
#include "WirelatchCtl.h"

namespace wirelatch {
namespace {

constexpr wchar_t kClassKey[] = L"CLSID\\{B94DC122-5EB7-4EED-8C6C-9E0022FD9AC3}";
constexpr wchar_t kClassId[] = L"{B94DC122-5EB7-4EED-8C6C-9E0022FD9AC3}";
constexpr wchar_t kLibraryId[] = L"{575C54CD-73C5-437B-B179-A0B0F35AC1A7}";
constexpr wchar_t kProgId[] = L"Wirekit.Wirelatch.1";
constexpr wchar_t kIndependentProgId[] = L"Wirekit.Wirelatch";
constexpr wchar_t kDescription[] = L"Ardency Wirelatch Control 4.0 (SP3)";
constexpr wchar_t kMiscStatusContent[] = L"132497";

class RegKey {
public:
    RegKey() = default;
    ~RegKey() {
        if (key_) RegCloseKey(key_);
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    HKEY* Receive() { return &key_; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

LONG SetString(HKEY key, const wchar_t* name, const std::wstring& value) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// Creates root\path with the given default text (none: no default value), and one named value.
LONG WriteKey(const std::wstring& path, const wchar_t* text, const wchar_t* name = nullptr,
              const wchar_t* value = nullptr) {
    RegKey key;
    LONG rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.Receive(),
                              nullptr);
    if (rc != ERROR_SUCCESS) return rc;
    if (text && (rc = SetString(key.Get(), nullptr, text)) != ERROR_SUCCESS) return rc;
    if (name && value && (rc = SetString(key.Get(), name, value)) != ERROR_SUCCESS) return rc;
    return ERROR_SUCCESS;
}

void DeleteKey(const std::wstring& path) { SHDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str()); }

std::wstring ModulePath() {
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(ModuleHandle(), path, MAX_PATH);
    return std::wstring(path, n < MAX_PATH ? n : 0);
}

LONG WriteEntries(const std::wstring& module) {
    const std::wstring cls = kClassKey;
    DeleteKey(cls);
    LONG rc = ERROR_SUCCESS;
    auto write = [&rc](LONG result) {
        if (rc == ERROR_SUCCESS) rc = result;
    };
    write(WriteKey(kProgId, kDescription));
    write(WriteKey(std::wstring(kProgId) + L"\\CLSID", kClassId));
    write(WriteKey(kIndependentProgId, kDescription));
    write(WriteKey(std::wstring(kIndependentProgId) + L"\\CLSID", kClassId));
    write(WriteKey(std::wstring(kIndependentProgId) + L"\\CurVer", kProgId));
    write(WriteKey(cls, kDescription));
    write(WriteKey(cls + L"\\ProgID", kProgId));
    write(WriteKey(cls + L"\\VersionIndependentProgID", kIndependentProgId));
    for (const wchar_t* empty : {L"\\Programmable", L"\\Control", L"\\Insertable"}) {
        DeleteKey(cls + empty);
        write(WriteKey(cls + empty, nullptr));
    }
    write(WriteKey(cls + L"\\InprocServer32", module.c_str(), L"ThreadingModel", L"Apartment"));
    write(WriteKey(cls + L"\\ToolboxBitmap32", (module + L", 202").c_str()));
    write(WriteKey(cls + L"\\MiscStatus", L"0"));
    write(WriteKey(cls + L"\\MiscStatus\\1", kMiscStatusContent));
    write(WriteKey(cls + L"\\TypeLib", kLibraryId));
    write(WriteKey(cls + L"\\Version", L"1.0"));
    return rc;
}

}  // namespace

HRESULT RegisterServer() {
    const std::wstring module = ModulePath();
    if (module.empty()) return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    LONG rc = WriteEntries(module);
    if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
    ComPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLibEx(module.c_str(), REGKIND_NONE, library.Receive());
    if (FAILED(hr)) return hr;
    return RegisterTypeLib(library.Get(), const_cast<wchar_t*>(module.c_str()), nullptr);
}

HRESULT UnregisterServer() {
    DeleteKey(kClassKey);
    DeleteKey(kProgId);
    DeleteKey(kIndependentProgId);
    const SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    HRESULT hr = UnRegisterTypeLib(LIBID_WirelatchCtl, 1, 0, 0x409, kind);
    // A library that was never registered leaves nothing to remove.
    if (hr == TYPE_E_REGISTRYACCESS || hr == TYPE_E_CANTLOADLIBRARY) return S_OK;
    return hr;
}

}  // namespace wirelatch
