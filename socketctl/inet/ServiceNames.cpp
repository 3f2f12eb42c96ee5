// Service names and ports.
#include <cstring>

#include "LibraryCore.h"
#include "Tetherline.h"
#include "TextConvert.h"
#include "WinsockBinding.h"

using namespace inet;

namespace {

constexpr int kErrInvalidServicePort = 12006;
constexpr int kErrInvalidServiceName = 12007;
constexpr int kServiceChars = 256;

bool AllDigits(const char* text) {
    for (const char* p = text; *p; ++p)
        if (*p < '0' || *p > '9') return false;
    return true;
}

}  // namespace

extern "C" {

INT WINAPI InetGetServicePortA(LPCSTR lpszService) {
    if (!InetCheckInitialized()) return -1;
    if (!lpszService || !*lpszService) {
        InetStoreLastError(kErrInvalidParameter);
        return -1;
    }
    long port = 0;
    if (AllDigits(lpszService)) {
        for (const char* p = lpszService; *p && port <= 65535; ++p) port = port * 10 + (*p - '0');
    } else {
        servent* entry = WsGetServByName(lpszService, nullptr);
        if (!entry) {
            InetStoreLastError(kErrInvalidServiceName);
            return -1;
        }
        port = WsNtohs(static_cast<u_short>(entry->s_port));
    }
    if (port < 1 || port > 65535) {
        InetStoreLastError(kErrInvalidServicePort);
        return -1;
    }
    return static_cast<INT>(port);
}

INT WINAPI InetGetServicePortW(LPCWSTR lpszService) {
    NarrowArg service(lpszService);
    return InetGetServicePortA(service.get());
}

BOOL WINAPI InetGetServiceNameA(UINT nPort, LPSTR lpszBuffer, INT nMaxLength) {
    if (!InetCheckInitialized()) return FALSE;
    if (nPort < 1 || nPort > 65535) {
        InetStoreLastError(kErrInvalidServicePort);
        return FALSE;
    }
    if (lpszBuffer && nMaxLength > 0) lpszBuffer[0] = '\0';
    servent* entry = WsGetServByPort(WsHtons(static_cast<u_short>(nPort)), nullptr);
    if (!entry || !entry->s_name) {
        InetStoreLastError(kErrInvalidServiceName);
        return FALSE;
    }
    CopyToNarrow(entry->s_name, lpszBuffer, nMaxLength);
    return TRUE;
}

BOOL WINAPI InetGetServiceNameW(UINT nPort, LPWSTR lpszBuffer, INT nMaxLength) {
    if (lpszBuffer && nMaxLength > 0) lpszBuffer[0] = L'\0';
    char name[kServiceChars];
    if (!InetGetServiceNameA(nPort, name, sizeof name)) return FALSE;
    CopyToWide(name, lpszBuffer, nMaxLength);
    return TRUE;
}

}  // extern "C"
