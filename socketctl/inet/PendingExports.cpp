// Exports whose functions are not available in this build: each fails with 12003
// ("This function has not been implemented on this platform") and its failure value.
#include "LibraryCore.h"
#include "Tetherline.h"

using namespace inet;

extern "C" {








































































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
