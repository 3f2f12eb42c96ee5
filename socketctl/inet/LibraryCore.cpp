// The library's spine: attach and detach, the lock, the per-thread records, initialisation
// and reference counting, and the last error.
#include "LibraryCore.h"

#include <cstring>
#include <vector>

#include "SecurityInterface.h"
#include "SocketTable.h"
#include "TextConvert.h"
#include "Tetherline.h"
#include "WinsockBinding.h"

namespace inet {
namespace {

constexpr char kDescription[] = "Wirelatch Windows Sockets Library";
constexpr WORD kSocketsVersion = 0x0101;

struct LibraryState {
    volatile LONG attachCount = -1;
    CRITICAL_SECTION lock{};
    bool lockLive = false;
    DWORD tlsIndex = TLS_OUT_OF_INDEXES;
    HMODULE module = nullptr;
    bool attachedByInitialize = false;
    int initCount = 0;
    volatile LONG processLastError = 0;
    WSADATA startupData{};
    // Every thread record, owned here; each thread's TLS slot points at its own.
    std::vector<std::unique_ptr<InetThread>> threads;
};
LibraryState g;

void FreeThreadRecord(InetThread* record) {
    for (auto it = g.threads.begin(); it != g.threads.end(); ++it) {
        if (it->get() == record) {
            g.threads.erase(it);
            return;
        }
    }
}

InetThread* EnsureThreadRecord() {
    InetThread* record = InetGetThreadData();
    if (record || g.tlsIndex == TLS_OUT_OF_INDEXES) return record;
    g.threads.push_back(std::make_unique<InetThread>());
    record = g.threads.back().get();
    TlsSetValue(g.tlsIndex, record);
    return record;
}

#ifndef _WIN64
static_assert(sizeof(INETINFOA) == 160 && sizeof(INETINFOW) == 288, "the records keep their 32-bit layout");
static_assert(sizeof(SECURITYINFOA) == 72 && sizeof(SECURITYCREDENTIALSA) == 36, "the records keep their 32-bit layout");
#endif

}  // namespace

void InetLibraryAttach(HMODULE module) {
    if (InterlockedIncrement(&g.attachCount) != 0) return;
    InterlockedIncrement(&g.attachCount);
    InitializeCriticalSection(&g.lock);
    g.lockLive = true;
    g.tlsIndex = TlsAlloc();
    if (module) g.module = module;
}

void InetLibraryDetach() {
    LONG count = InterlockedDecrement(&g.attachCount);
    if (count < 0) {
        InterlockedExchange(&g.attachCount, -1);
        return;
    }
    if (count != 0) return;
    InterlockedExchange(&g.attachCount, -1);
    InetUnloadSecurity();
    if (g.tlsIndex != TLS_OUT_OF_INDEXES) TlsFree(g.tlsIndex);
    g.tlsIndex = TLS_OUT_OF_INDEXES;
    g.threads.clear();
    g.module = nullptr;
    if (g.lockLive) {
        g.lockLive = false;
        DeleteCriticalSection(&g.lock);
    }
}

HMODULE InetLibraryModule() { return g.module; }

void InetLock() {
    if (g.lockLive) EnterCriticalSection(&g.lock);
}

void InetUnlock() {
    if (g.lockLive) LeaveCriticalSection(&g.lock);
}

InetThread* InetGetThreadData() {
    if (g.tlsIndex == TLS_OUT_OF_INDEXES) return nullptr;
    DWORD saved = GetLastError();
    auto* record = static_cast<InetThread*>(TlsGetValue(g.tlsIndex));
    SetLastError(saved);
    return record;
}

int InetCheckInitialized() {
    int count;
    {
        LibraryLock lock;
        count = g.initCount;
    }
    if (count == 0) InetStoreLastError(WSANOTINITIALISED);
    return count;
}

int InetSetWinsockError() {
    int error = WsGetLastError();
    if (error == 0) return 0;
    InetStoreLastError(static_cast<DWORD>(error));
    return error;
}

void InetStoreLastError(DWORD code) {
    if (code >= 1 && code <= 0xFFFF) code |= kErrorBase;
    if (InetThread* record = InetGetThreadData()) record->lastError = code;
    InterlockedExchange(&g.processLastError, static_cast<LONG>(code));
    SetLastError(code);
}

DWORD InetReadLastError() {
    if (InetThread* record = InetGetThreadData()) return record->lastError;
    return static_cast<DWORD>(g.processLastError);
}

}  // namespace inet

using namespace inet;

extern "C" {

BOOL WINAPI InetInitializeExA(LPCSTR lpszLibrary, LPCSTR, LPINETINFOA lpInfo) {
    if (g.attachCount < 0) {
        InetLibraryAttach(nullptr);
        g.attachedByInitialize = true;
    }
    InetLock();
    EnsureThreadRecord();
    DWORD flags = 0;
    if (lpInfo) {
        if (lpInfo->dwSize != sizeof(INETINFOA)) {
            InetUnlock();
            InetStoreLastError(kErrInvalidParameter);
            return FALSE;
        }
        flags = lpInfo->dwFlags;
        lpInfo->dwMajorVersion = 4;
        lpInfo->dwMinorVersion = 0;
        lpInfo->dwBuildNumber = 4000;
        lpInfo->dwFlags = 0;
        lpInfo->dwReserved = 0;
        lpInfo->lpWsaData = nullptr;
        CopyToNarrow(kDescription, lpInfo->szDescription, sizeof lpInfo->szDescription);
    }
    if (!lpInfo || flags == 0 || (flags & INET_INFO_STARTUP)) {
        int rc = InetLoadSocketsLibrary(lpszLibrary, kSocketsVersion, &g.startupData);
        if (rc != 0) {
            InetUnlock();
            InetStoreLastError(kErrorBase | static_cast<DWORD>(rc));
            return FALSE;
        }
        if (lpInfo) lpInfo->lpWsaData = &g.startupData;
        ++g.initCount;
    }
    InetUnlock();
    InetStoreLastError(0);
    return TRUE;
}

BOOL WINAPI InetInitializeExW(LPCWSTR lpszLibrary, LPCWSTR lpszReserved, LPINETINFOW lpInfo) {
    if (!lpInfo) return InetInitializeExA(NarrowArg(lpszLibrary).get(), NarrowArg(lpszReserved).get(), nullptr);
    if (lpInfo->dwSize != sizeof(INETINFOW)) {
        InetStoreLastError(kErrInvalidParameter);
        return FALSE;
    }
    INETINFOA narrow{};
    narrow.dwSize = sizeof narrow;
    narrow.dwMajorVersion = lpInfo->dwMajorVersion;
    narrow.dwMinorVersion = lpInfo->dwMinorVersion;
    narrow.dwBuildNumber = lpInfo->dwBuildNumber;
    narrow.dwFlags = lpInfo->dwFlags;
    narrow.dwReserved = lpInfo->dwReserved;
    BOOL ok = InetInitializeExA(NarrowArg(lpszLibrary).get(), NarrowArg(lpszReserved).get(), &narrow);
    lpInfo->dwMajorVersion = narrow.dwMajorVersion;
    lpInfo->dwMinorVersion = narrow.dwMinorVersion;
    lpInfo->dwBuildNumber = narrow.dwBuildNumber;
    lpInfo->dwFlags = narrow.dwFlags;
    lpInfo->dwReserved = narrow.dwReserved;
    lpInfo->lpWsaData = narrow.lpWsaData;
    CopyToWide(narrow.szDescription, lpInfo->szDescription, INET_DESCRIPTION_CHARS_W);
    return ok;
}

BOOL WINAPI InetInitializeA(LPCSTR lpszReserved, LPINETINFOA lpInfo) {
    return InetInitializeExA(nullptr, lpszReserved, lpInfo);
}

BOOL WINAPI InetInitializeW(LPCWSTR lpszReserved, LPINETINFOW lpInfo) {
    return InetInitializeExW(nullptr, lpszReserved, lpInfo);
}

BOOL WINAPI InetUninitialize(void) {
    if (g.attachCount < 0) return FALSE;
    InetLock();
    if (g.initCount > 0) {
        const bool last = --g.initCount == 0;
        if (last) {
            InetCloseAllSockets();
            InetDisableTrace();
        }
        // Every initialisation started Windows Sockets once, so each one releases it once.
        InetReleaseSocketsLibrary();
        if (InetThread* record = last ? InetGetThreadData() : nullptr) {
            TlsSetValue(g.tlsIndex, nullptr);
            FreeThreadRecord(record);
        }
    }
    InetUnlock();
    if (g.attachedByInitialize) {
        g.attachedByInitialize = false;
        InetLibraryDetach();
    }
    return TRUE;
}

DWORD WINAPI InetGetLastError(void) { return InetReadLastError(); }

void WINAPI InetSetLastError(DWORD dwError) { InetStoreLastError(dwError); }

INT WINAPI InetEnableTraceA(LPCSTR lpszTraceFile, DWORD dwTraceFlags) {
    return InetLoadTraceLibrary(lpszTraceFile, dwTraceFlags);
}

INT WINAPI InetEnableTraceW(LPCWSTR lpszTraceFile, DWORD dwTraceFlags) {
    return InetEnableTraceA(NarrowArg(lpszTraceFile).get(), dwTraceFlags);
}

INT WINAPI InetDisableTrace(void) { return InetUnloadTraceLibrary(); }

}  // extern "C"
