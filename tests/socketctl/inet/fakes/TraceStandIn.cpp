// A stand-in Winsock trace library: it counts the trace calls and the socket calls passed
// through its hooks, and hands every result back unchanged.
#include <winsock2.h>
#include <windows.h>

namespace {
LONG g_setups = 0;
LONG g_enables = 0;
LONG g_disables = 0;
LONG g_sockets = 0;
LONG g_closes = 0;
LONG g_listens = 0;
LONG g_writes = 0;
}  // namespace

extern "C" {

__declspec(dllexport) int WINAPI WSASetupTrace(void*) {
    InterlockedIncrement(&g_setups);
    return 0;
}
__declspec(dllexport) int WINAPI WSAEnableTrace(const char*, DWORD flags) {
    InterlockedIncrement(&g_enables);
    return 100 + static_cast<int>(flags);
}
__declspec(dllexport) int WINAPI WSADisableTrace() {
    InterlockedIncrement(&g_disables);
    return 7;
}
__declspec(dllexport) int WINAPI WSATraceWrite(DWORD, const void*, int) {
    InterlockedIncrement(&g_writes);
    return 0;
}
__declspec(dllexport) SOCKET WINAPI TX_socket(SOCKET result, int, int, int) {
    InterlockedIncrement(&g_sockets);
    return result;
}
__declspec(dllexport) int WINAPI TX_closesocket(int result, SOCKET) {
    InterlockedIncrement(&g_closes);
    return result;
}
__declspec(dllexport) int WINAPI TX_listen(int result, SOCKET, int) {
    InterlockedIncrement(&g_listens);
    return result;
}

// Counters for the tests: 0 set-ups, 1 enables, 2 disables, 3 socket, 4 closesocket, 5 listen.
__declspec(dllexport) LONG WINAPI TraceCount(int which) {
    switch (which) {
    case 0: return g_setups;
    case 1: return g_enables;
    case 2: return g_disables;
    case 3: return g_sockets;
    case 4: return g_closes;
    case 5: return g_listens;
    default: return g_writes;
    }
}

}  // extern "C"
