// Starting and stopping the sockets library, and the methods Initialize, Uninitialize,
// Reset and Resolve.
#include <cstdio>

#include "VariantArgs.h"
#include "WinsockBinding.h"
#include "Wirelatch.h"

namespace wirelatch {
namespace {

// The full path of the Windows Sockets library the sockets API bound.
std::wstring SocketsLibraryPath() {
    HMODULE module = inet::InetGetSocketsModule();
    if (!module) return {};
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(module, path, MAX_PATH);
    return std::wstring(path, n < MAX_PATH ? n : 0);
}

}  // namespace

HRESULT Wirelatch::StartLibrary(const char* moduleName) {
    if (started_) return S_OK;
    if (!UserMode()) return kErrDesignTimeStart;
    INETINFOA info{};
    info.dwSize = sizeof(info);
    info.dwFlags = INET_INFO_STARTUP;
    if (!InetInitializeExA(moduleName && *moduleName ? moduleName : nullptr, nullptr, &info))
        return ReportError(LastFailure(), true, false);
    library_ = BStr(SocketsLibraryPath().c_str());
    if (const WSADATA* data = info.lpWsaData) {
        wchar_t version[16];
        swprintf(version, 16, L"%d.%d", LOBYTE(data->wHighVersion), HIBYTE(data->wHighVersion));
        version_ = BStr(version);
        maxDatagram_ = data->iMaxUdpDg;
        maxSockets_ = data->iMaxSockets;
        char description[WSADESCRIPTION_LEN + 1] = {};
        memcpy(description, data->szDescription, WSADESCRIPTION_LEN);
        vendor_ = BStr(NarrowToWide(description).c_str());
    }
    started_ = true;
    if (trace_) {
        const std::string file = WideToNarrow(traceFile_);
        trace_ = InetEnableTraceA(file.c_str(), static_cast<DWORD>(traceFlags_)) ? VARIANT_TRUE : VARIANT_FALSE;
    }
    return S_OK;
}

HRESULT Wirelatch::EnsureLibrary() { return started_ ? S_OK : StartLibrary(nullptr); }

HRESULT Wirelatch::Initialize(VARIANT moduleName, VARIANT options, VARIANT* error) {
    BStr name;
    if (!IsMissing(&moduleName)) {
        HRESULT hr = ToText(&moduleName, &name);
        if (FAILED(hr)) return hr;
    }
    if (!IsMissing(&options)) {
        LONG unused = 0;
        HRESULT hr = ToLong(&options, &unused);
        if (FAILED(hr)) return hr;
    }
    SetOutLong(error, 0);
    const std::string narrow = WideToNarrow(name);
    HRESULT hr = StartLibrary(narrow.c_str());
    if (FAILED(hr)) {
        SetOutLong(error, static_cast<LONG>(static_cast<DWORD>(hr) & 0xFFFF));
        return throwError_ ? hr : S_OK;
    }
    return S_OK;
}

HRESULT Wirelatch::Uninitialize() {
    // A socket still held would outlive the library under it.
    if (HasSocket()) Disconnect(nullptr);
    if (started_) {
        InetDisableTrace();
        InetUninitialize();
    }
    started_ = false;
    maxDatagram_ = 0;
    maxSockets_ = 0;
    vendor_.Reset();
    version_.Reset();
    return S_OK;
}

HRESULT Wirelatch::Reset() {
    Disconnect(nullptr);
    Uninitialize();
    if (HasSocket()) InetDisconnect(handle_);
    handle_ = INVALID_SOCKET;
    connectPending_ = false;
    ResetDefaults();
    return S_OK;
}

HRESULT Wirelatch::Resolve(VARIANT hostName, VARIANT* hostAddress, VARIANT* error) {
    BStr name;
    HRESULT hr = ToText(&hostName, &name);
    if (FAILED(hr)) return hr;
    SetOutText(hostAddress, L"");
    hr = EnsureLibrary();
    if (FAILED(hr)) return hr;
    SetOutLong(error, 0);
    const std::string narrow = WideToNarrow(name);
    const DWORD address = InetGetHostAddressA(narrow.c_str());
    if (address == INADDR_NONE) {
        const DWORD code = LastFailure();
        SetOutText(hostAddress, L"");
        SetOutLong(error, static_cast<LONG>(code & 0xFFFF));
        return ReportError(code, throwError_ != VARIANT_FALSE, false);
    }
    char text[128] = {};
    InetFormatAddressA(address, text, sizeof(text));
    SetOutText(hostAddress, NarrowToWide(text).c_str());
    return S_OK;
}

}  // namespace wirelatch
