// The properties of host names, addresses, ports and services, and the host file.
#include <cstring>

#include "VariantArgs.h"
#include "Wirelatch.h"

namespace wirelatch {
namespace {

constexpr LONG kLowestPort = 1;
constexpr LONG kHighestPort = 65535;

bool IsPort(LONG port) { return port >= kLowestPort && port <= kHighestPort; }

BStr DottedText(DWORD address) {
    char text[64] = {};
    InetFormatAddressA(address, text, sizeof(text));
    return BStr(NarrowToWide(text).c_str());
}

// The host name of an address, or empty text when the look-up fails.
BStr HostNameOf(DWORD address) {
    char text[128] = {};
    if (InetGetHostNameA(address, text, sizeof(text)) == -1) return BStr(L"");
    text[sizeof(text) - 1] = '\0';
    return BStr(NarrowToWide(text).c_str());
}

HRESULT ServiceText(LONG port, BSTR* value) {
    char text[128] = {};
    if (IsPort(port) && InetGetServiceNameA(static_cast<UINT>(port), text, sizeof(text))) {
        text[sizeof(text) - 1] = '\0';
        return NewText(text, value);
    }
    return NewText(L"", value);
}

}  // namespace

HRESULT Wirelatch::get_HostName(BSTR* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    return NewText(hostName_.Get(), value);
}

HRESULT Wirelatch::put_HostName(BSTR value) { return PutHostNameText(value); }

HRESULT Wirelatch::PutHostNameText(const wchar_t* text) {
    FreeAliasCache();
    hostName_ = BStr(text);
    if (hostName_.Empty()) return S_OK;
    hostAddress_.Reset();
    if (!UserMode()) return S_OK;
    if (HRESULT hr = EnsureLibrary(); FAILED(hr)) return hr;
    const std::string narrow = WideToNarrow(hostName_);
    const DWORD address = InetGetAddressA(narrow.c_str());
    if (address != INADDR_NONE) {
        hostAddress_ = DottedText(address);
        hostName_.Reset();
        if (autoResolve_) hostName_ = HostNameOf(address);
    } else if (autoResolve_) {
        const DWORD found = InetGetHostAddressA(narrow.c_str());
        if (found != INADDR_NONE) hostAddress_ = DottedText(found);
    }
    return S_OK;
}

HRESULT Wirelatch::get_HostAddress(BSTR* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    return NewText(hostAddress_.Get(), value);
}

HRESULT Wirelatch::put_HostAddress(BSTR value) {
    FreeAliasCache();
    if (!value || SysStringLen(value) == 0) return S_OK;
    hostName_.Reset();
    if (!UserMode()) return S_OK;
    if (HRESULT hr = EnsureLibrary(); FAILED(hr)) return hr;
    const std::string narrow = WideToNarrow(value, SysStringLen(value));
    const DWORD address = InetGetAddressA(narrow.c_str());
    if (address == INADDR_NONE) return ReportError(LastFailure(INET_ERROR(11001)), true, false);
    hostAddress_ = DottedText(address);
    if (autoResolve_) hostName_ = HostNameOf(address);
    return S_OK;
}

HRESULT Wirelatch::get_HostAlias(VARIANT index, BSTR* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    if (HRESULT hr = EnsureLibrary(); FAILED(hr)) return hr;
    LONG wanted = 0;
    if (HRESULT hr = ToLong(&index, &wanted); FAILED(hr)) return hr;
    if (wanted < 0) return E_INVALIDARG;
    if (!aliasCache_) {
        const BStr& name = !hostAddress_.Empty() ? hostAddress_ : hostName_;
        if (name.Empty()) return E_INVALIDARG;
        const std::string narrow = WideToNarrow(name);
        const int size = InetEnumHostAliasesA(narrow.c_str(), nullptr, 0);
        if (size == -1) return PropertyFailure();
        if (size < 1) return E_INVALIDARG;
        auto list = std::make_unique<char[]>(static_cast<size_t>(size) + 2);
        memset(list.get(), 0, static_cast<size_t>(size) + 2);
        if (InetEnumHostAliasesA(narrow.c_str(), list.get(), size) == -1) return PropertyFailure();
        aliasCache_ = std::move(list);
        aliasCacheSize_ = size;
    }
    // Walk the NUL-separated entries, never past the end of the list.
    const char* entry = aliasCache_.get();
    const char* end = entry + aliasCacheSize_;
    for (LONG i = 0; entry < end && *entry; ++i) {
        const size_t length = strnlen(entry, static_cast<size_t>(end - entry));
        if (i == wanted) return NewText(NarrowToWide(std::string(entry, length).c_str()).c_str(), value);
        entry += length + 1;
    }
    return E_INVALIDARG;
}

HRESULT Wirelatch::get_HostFile(BSTR* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    char path[MAX_PATH] = {};
    if (InetGetHostFileA(path, sizeof(path)) == -1) path[0] = '\0';
    path[MAX_PATH - 1] = '\0';
    return NewText(path, value);
}

HRESULT Wirelatch::put_HostFile(BSTR value) {
    // The host table belongs to the library's record of this thread: start it first.
    if (UserMode()) {
        if (HRESULT hr = EnsureLibrary(); FAILED(hr)) return hr;
    }
    const std::string path = WideToNarrow(value, value ? SysStringLen(value) : 0);
    if (InetSetHostFileA(path.empty() ? nullptr : path.c_str()) == -1) return PropertyFailure();
    return S_OK;
}

HRESULT Wirelatch::get_LocalAddress(BSTR* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    if (HRESULT hr = EnsureLibrary(); FAILED(hr)) return hr;
    if (HasSocket()) {
        DWORD address = 0;
        UINT port = 0;
        if (InetGetLocalAddress(handle_, &address, &port) == -1) return PropertyFailure();
        localAddress_ = address;
    }
    DWORD shown = localAddress_;
    if (shown == 0) {
        UINT port = 0;
        if (InetGetLocalAddress(INVALID_SOCKET, &shown, &port) == -1) shown = 0;
    }
    *value = DottedText(shown).Release();
    return *value ? S_OK : E_OUTOFMEMORY;
}

HRESULT Wirelatch::put_LocalAddress(BSTR value) {
    if (HasSocket()) return kErrInvalidState;
    if (HRESULT hr = EnsureLibrary(); FAILED(hr)) return hr;
    const std::string narrow = WideToNarrow(value, value ? SysStringLen(value) : 0);
    const DWORD address = InetGetAddressA(narrow.c_str());
    if (address == INADDR_NONE) return ReportError(LastFailure(INET_ERROR(11001)), true, false);
    localAddress_ = address;
    return S_OK;
}

HRESULT Wirelatch::get_LocalName(BSTR* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    if (HRESULT hr = EnsureLibrary(); FAILED(hr)) return hr;
    char name[128] = {};
    if (InetGetLocalNameA(name, sizeof(name)) == -1) return PropertyFailure();
    name[sizeof(name) - 1] = '\0';
    return NewText(name, value);
}

HRESULT Wirelatch::get_LocalPort(LONG* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    if (HRESULT hr = EnsureLibrary(); FAILED(hr)) return hr;
    if (HasSocket()) {
        DWORD address = 0;
        UINT port = 0;
        if (InetGetLocalAddress(handle_, &address, &port) == -1) return PropertyFailure();
        localPort_ = static_cast<LONG>(port);
    }
    *value = localPort_;
    return S_OK;
}

HRESULT Wirelatch::put_LocalPort(LONG value) {
    if (HasSocket()) return kErrInvalidState;
    if (!IsPort(value)) return kErrOutOfRange;
    localPort_ = value;
    return S_OK;
}

HRESULT Wirelatch::get_LocalService(BSTR* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    if (HRESULT hr = EnsureLibrary(); FAILED(hr)) return hr;
    LONG port = localPort_;
    if (HasSocket()) {
        DWORD address = 0;
        UINT socketPort = 0;
        if (InetGetLocalAddress(handle_, &address, &socketPort) == -1) return PropertyFailure();
        port = static_cast<LONG>(socketPort);
    }
    return ServiceText(port, value);
}

HRESULT Wirelatch::put_LocalService(BSTR value) {
    if (HasSocket()) return kErrInvalidState;
    if (HRESULT hr = EnsureLibrary(); FAILED(hr)) return hr;
    const std::string name = WideToNarrow(value, value ? SysStringLen(value) : 0);
    const int port = InetGetServicePortA(name.c_str());
    if (port == -1) return PropertyFailure();
    localPort_ = port;
    return S_OK;
}

HRESULT Wirelatch::get_RemotePort(LONG* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    *value = remotePort_;
    return S_OK;
}

HRESULT Wirelatch::put_RemotePort(LONG value) {
    if (HasSocket()) return kErrInvalidState;
    if (!IsPort(value)) return kErrOutOfRange;
    remotePort_ = value;
    return S_OK;
}

HRESULT Wirelatch::get_RemoteService(BSTR* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    if (HRESULT hr = EnsureLibrary(); FAILED(hr)) return hr;
    return ServiceText(remotePort_, value);
}

HRESULT Wirelatch::put_RemoteService(BSTR value) {
    if (HasSocket()) return kErrInvalidState;
    if (HRESULT hr = EnsureLibrary(); FAILED(hr)) return hr;
    const std::string name = WideToNarrow(value, value ? SysStringLen(value) : 0);
    const int port = InetGetServicePortA(name.c_str());
    if (port == -1) return PropertyFailure();
    remotePort_ = port;
    return S_OK;
}

}  // namespace wirelatch
