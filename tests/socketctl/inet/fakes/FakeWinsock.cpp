// A stand-in Windows Sockets library: WSAStartup answers what FAKE_WSOCK_STARTUP says (0
// when unset), and every start-up, clean-up and blocking-hook call is counted.
#include <windows.h>

#include <cstdlib>

namespace {
LONG g_startups = 0;
LONG g_cleanups = 0;
LONG g_hooksSet = 0;
LONG g_hooksRemoved = 0;
}  // namespace

extern "C" {

__declspec(dllexport) int WINAPI WSAStartup(WORD, void* data) {
    InterlockedIncrement(&g_startups);
    char value[16] = {};
    if (GetEnvironmentVariableA("FAKE_WSOCK_STARTUP", value, sizeof value) > 0) return std::atoi(value);
    if (data) ZeroMemory(data, 16);
    return 0;
}
__declspec(dllexport) int WINAPI WSACleanup() {
    InterlockedIncrement(&g_cleanups);
    return 0;
}
__declspec(dllexport) FARPROC WINAPI WSASetBlockingHook(FARPROC) {
    InterlockedIncrement(&g_hooksSet);
    return nullptr;
}
__declspec(dllexport) int WINAPI WSAUnhookBlockingHook() {
    InterlockedIncrement(&g_hooksRemoved);
    return 0;
}
__declspec(dllexport) int WINAPI WSAGetLastError() { return 0; }

// Counters for the tests: 0 start-ups, 1 clean-ups, 2 hooks set, 3 hooks removed.
__declspec(dllexport) LONG WINAPI FakeCount(int which) {
    switch (which) {
    case 0: return g_startups;
    case 1: return g_cleanups;
    case 2: return g_hooksSet;
    case 3: return g_hooksRemoved;
    default: return -1;
    }
}

}  // extern "C"
