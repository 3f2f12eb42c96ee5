// Exports whose functions are not available in this build: each fails with 12003
// ("This function has not been implemented on this platform") and its failure value.
#include "LibraryCore.h"
#include "Tetherline.h"

using namespace inet;

extern "C" {


















































INT WINAPI InetEnableEvents(SOCKET, HWND, UINT) {
    InetStoreLastError(kErrNotImplemented);
    return -1;
}

INT WINAPI InetDisableEvents(SOCKET) {
    InetStoreLastError(kErrNotImplemented);
    return -1;
}


INT WINAPI InetFreezeEvents(SOCKET, BOOL) {
    InetStoreLastError(kErrNotImplemented);
    return -1;
}

INT WINAPI InetGetDefaultHostFileA(LPSTR, INT) {
    InetStoreLastError(kErrNotImplemented);
    return 0;
}

INT WINAPI InetGetDefaultHostFileW(LPWSTR, INT) {
    InetStoreLastError(kErrNotImplemented);
    return 0;
}

INT WINAPI InetSetHostFileA(LPCSTR) {
    InetStoreLastError(kErrNotImplemented);
    return -1;
}

INT WINAPI InetSetHostFileW(LPCWSTR) {
    InetStoreLastError(kErrNotImplemented);
    return -1;
}

INT WINAPI InetGetHostFileA(LPSTR, INT) {
    InetStoreLastError(kErrNotImplemented);
    return 0;
}

INT WINAPI InetGetHostFileW(LPWSTR, INT) {
    InetStoreLastError(kErrNotImplemented);
    return 0;
}

DWORD WINAPI InetGetAddressA(LPCSTR) {
    InetStoreLastError(kErrNotImplemented);
    return INADDR_NONE;
}

DWORD WINAPI InetGetAddressW(LPCWSTR) {
    InetStoreLastError(kErrNotImplemented);
    return INADDR_NONE;
}

void WINAPI InetFormatAddressA(DWORD, LPSTR, INT) {
    InetStoreLastError(kErrNotImplemented);
}

void WINAPI InetFormatAddressW(DWORD, LPWSTR, INT) {
    InetStoreLastError(kErrNotImplemented);
}

DWORD WINAPI InetGetHostAddressA(LPCSTR) {
    InetStoreLastError(kErrNotImplemented);
    return INADDR_NONE;
}

DWORD WINAPI InetGetHostAddressW(LPCWSTR) {
    InetStoreLastError(kErrNotImplemented);
    return INADDR_NONE;
}

INT WINAPI InetGetHostNameA(DWORD, LPSTR, INT) {
    InetStoreLastError(kErrNotImplemented);
    return -1;
}

INT WINAPI InetGetHostNameW(DWORD, LPWSTR, INT) {
    InetStoreLastError(kErrNotImplemented);
    return -1;
}

INT WINAPI InetGetLocalNameA(LPSTR, INT) {
    InetStoreLastError(kErrNotImplemented);
    return -1;
}

INT WINAPI InetGetLocalNameW(LPWSTR, INT) {
    InetStoreLastError(kErrNotImplemented);
    return -1;
}

INT WINAPI InetEnumHostAliasesA(LPCSTR, LPSTR, INT) {
    InetStoreLastError(kErrNotImplemented);
    return -1;
}

INT WINAPI InetEnumHostAliasesW(LPCWSTR, LPWSTR, INT) {
    InetStoreLastError(kErrNotImplemented);
    return -1;
}

INT WINAPI InetGetServicePortA(LPCSTR) {
    InetStoreLastError(kErrNotImplemented);
    return -1;
}

INT WINAPI InetGetServicePortW(LPCWSTR) {
    InetStoreLastError(kErrNotImplemented);
    return -1;
}

BOOL WINAPI InetGetServiceNameA(UINT, LPSTR, INT) {
    InetStoreLastError(kErrNotImplemented);
    return FALSE;
}

BOOL WINAPI InetGetServiceNameW(UINT, LPWSTR, INT) {
    InetStoreLastError(kErrNotImplemented);
    return FALSE;
}

BOOL WINAPI InetCreateSecurityCredentialsA(DWORD, DWORD, LPCSTR, LPCSTR, LPCSTR, LPCSTR, DWORD, LPSECURITYCREDENTIALSA*) {
    InetStoreLastError(kErrNotImplemented);
    return FALSE;
}

BOOL WINAPI InetCreateSecurityCredentialsW(DWORD, DWORD, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPSECURITYCREDENTIALSW*) {
    InetStoreLastError(kErrNotImplemented);
    return FALSE;
}

void WINAPI InetDeleteSecurityCredentialsA(LPSECURITYCREDENTIALSA*) {
    InetStoreLastError(kErrNotImplemented);
}

void WINAPI InetDeleteSecurityCredentialsW(LPSECURITYCREDENTIALSW*) {
    InetStoreLastError(kErrNotImplemented);
}

BOOL WINAPI InetGetSecurityInformationA(SOCKET, LPSECURITYINFOA) {
    InetStoreLastError(kErrNotImplemented);
    return FALSE;
}

BOOL WINAPI InetGetSecurityInformationW(SOCKET, LPSECURITYINFOW) {
    InetStoreLastError(kErrNotImplemented);
    return FALSE;
}

}  // extern "C"
