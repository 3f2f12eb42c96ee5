// Run-time binding of Windows Sockets and of the optional Winsock trace library.
#include "WinsockBinding.h"

#include <array>
#include <cstdarg>
#include <cstdio>

namespace inet {
namespace {

using Entry = void (*)();

// InetWinsockTable: one entry per name, in this order.
enum Ws : int {
    kAccept, kBind, kCloseSocket, kConnect, kIoctlSocket, kGetPeerName, kGetSockName, kGetSockOpt,
    kHtonl, kHtons, kInetAddr, kInetNtoa, kListen, kNtohl, kNtohs, kRecv, kRecvFrom, kSelect,
    kSend, kSendTo, kSetSockOpt, kShutdown, kSocket, kGetHostByAddr, kGetHostByName,
    kGetHostName, kGetServByPort, kGetServByName, kGetProtoByNumber, kGetProtoByName,
    kStartup, kCleanup, kSetLastError, kGetLastError, kIsBlocking, kUnhookBlockingHook,
    kSetBlockingHook, kCancelBlockingCall, kAsyncGetServByName, kAsyncGetServByPort,
    kAsyncGetProtoByName, kAsyncGetProtoByNumber, kAsyncGetHostByName, kAsyncGetHostByAddr,
    kCancelAsyncRequest, kAsyncSelect, kEntryCount
};

constexpr std::array<const char*, kEntryCount> kEntryNames = {
    "accept", "bind", "closesocket", "connect", "ioctlsocket", "getpeername", "getsockname",
    "getsockopt", "htonl", "htons", "inet_addr", "inet_ntoa", "listen", "ntohl", "ntohs", "recv",
    "recvfrom", "select", "send", "sendto", "setsockopt", "shutdown", "socket", "gethostbyaddr",
    "gethostbyname", "gethostname", "getservbyport", "getservbyname", "getprotobynumber",
    "getprotobyname", "WSAStartup", "WSACleanup", "WSASetLastError", "WSAGetLastError",
    "WSAIsBlocking", "WSAUnhookBlockingHook", "WSASetBlockingHook", "WSACancelBlockingCall",
    "WSAAsyncGetServByName", "WSAAsyncGetServByPort", "WSAAsyncGetProtoByName",
    "WSAAsyncGetProtoByNumber", "WSAAsyncGetHostByName", "WSAAsyncGetHostByAddr",
    "WSACancelAsyncRequest", "WSAAsyncSelect"};

// The functions that have a trace hook (TX_ + name).
constexpr std::array<int, 36> kTracedEntries = {
    kAccept, kBind, kCloseSocket, kConnect, kIoctlSocket, kGetPeerName, kGetSockName,
    kGetSockOpt, kListen, kRecv, kRecvFrom, kSelect, kSend, kSendTo, kSetSockOpt, kShutdown,
    kSocket, kGetHostByAddr, kGetHostByName, kGetHostName, kGetServByPort, kGetServByName,
    kGetProtoByNumber, kGetProtoByName, kIsBlocking, kUnhookBlockingHook, kSetBlockingHook,
    kCancelBlockingCall, kAsyncGetServByName, kAsyncGetServByPort, kAsyncGetProtoByName,
    kAsyncGetProtoByNumber, kAsyncGetHostByName, kAsyncGetHostByAddr, kCancelAsyncRequest,
    kAsyncSelect};

enum Trace : int {
    kSetupTrace, kEnableTrace, kDisableTrace, kGetTraceUsage, kSetTraceFile, kGetTraceFile,
    kSetTraceFlags, kGetTraceFlags, kTraceWrite, kTraceCount
};
constexpr std::array<const char*, kTraceCount> kTraceNames = {
    "WSASetupTrace", "WSAEnableTrace", "WSADisableTrace", "WSAGetTraceUsage", "WSASetTraceFile",
    "WSAGetTraceFile", "WSASetTraceFlags", "WSAGetTraceFlags", "WSATraceWrite"};

// What the trace library's set-up call receives: who is tracing and through which library.
struct TraceSetup {
    DWORD size;
    HMODULE socketsModule;
};

struct Binding {
    HMODULE module = nullptr;
    std::array<Entry, kEntryCount> entries{};
    volatile LONG startups = 0;
    HMODULE traceModule = nullptr;
    volatile LONG traceUsers = 0;
    std::array<Entry, kTraceCount> trace{};
    std::array<Entry, kEntryCount> hooks{};
};
Binding g;

// Loads a library without the system's "file not found" box.
HMODULE LoadQuietly(const char* name) {
    UINT previous = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    HMODULE m = LoadLibraryA(name);
    SetErrorMode(previous);
    return m;
}

Entry Bind(HMODULE m, const char* name) {
    return reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(m, name)));
}

template <typename Fn>
Fn As(Entry e) {
    return reinterpret_cast<Fn>(e);
}

// Calls a bound entry, then its trace hook (given the real result and the same arguments).
template <int Index, typename R, typename... A>
R Call(R failure, A... args) {
    Entry e = g.entries[Index];
    if (!e) return failure;
    R result = As<R(WINAPI*)(A...)>(e)(args...);
    if (Entry hook = g.hooks[Index]) return As<R(WINAPI*)(R, A...)>(hook)(result, args...);
    return result;
}

u_long Swap32(u_long v) {
    return ((v & 0xFFu) << 24) | ((v & 0xFF00u) << 8) | ((v >> 8) & 0xFF00u) | ((v >> 24) & 0xFFu);
}
u_short Swap16(u_short v) { return static_cast<u_short>((v << 8) | (v >> 8)); }

}  // namespace

int InetLoadSocketsLibrary(const char* fileName, WORD version, WSADATA* data) {
    if (!g.module) {
        HMODULE m = nullptr;
        if (fileName && *fileName) {
            m = LoadQuietly(fileName);
        } else {
            if (LOBYTE(version) > 1) m = LoadQuietly("WS2_32.DLL");
            if (!m) {
                m = LoadQuietly("WSOCK32.DLL");
                version = 0x0101;
            }
        }
        if (!m) return WSASYSNOTREADY;
        for (int i = 0; i < kEntryCount; ++i) g.entries[i] = Bind(m, kEntryNames[i]);
        g.module = m;
    }
    Entry startup = g.entries[kStartup];
    if (!startup) return WSASYSNOTREADY;
    int rc = As<int(WINAPI*)(WORD, WSADATA*)>(startup)(version, data);
    if (rc != 0) return rc;  // a refused start-up leaves the count as it was
    if (InterlockedIncrement(&g.startups) == 1) InetSetBlockingHook(true);
    return 0;
}

int InetReleaseSocketsLibrary() {
    if (InterlockedDecrement(&g.startups) < 0) {
        InterlockedIncrement(&g.startups);
        return -1;
    }
    if (g.startups == 0) InetSetBlockingHook(false);
    Entry cleanup = g.entries[kCleanup];
    return cleanup ? As<int(WINAPI*)()>(cleanup)() : -1;
}

HMODULE InetGetSocketsModule() { return g.module; }

LONG InetSocketsStartupCount() { return g.startups; }

BOOL CALLBACK InetBlockingHook() {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return FALSE;
    if (msg.message == WM_QUIT) {
        // The quit belongs to the thread's own loop: hand it back and stop pumping.
        PostQuitMessage(static_cast<int>(msg.wParam));
        return FALSE;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return TRUE;
}

int InetSetBlockingHook(bool install) {
    if (install) {
        if (!g.entries[kSetBlockingHook]) return 0;
        Call<kSetBlockingHook, FARPROC, FARPROC>(nullptr, reinterpret_cast<FARPROC>(reinterpret_cast<Entry>(&InetBlockingHook)));
        return 1;
    }
    if (!g.entries[kUnhookBlockingHook]) return 0;
    return Call<kUnhookBlockingHook, int>(SOCKET_ERROR) != SOCKET_ERROR ? 1 : 0;
}

int InetLoadTraceLibrary(const char* file, DWORD flags) {
    if (!g.module) return 0;
    if (!g.traceModule) {
        HMODULE m = LoadQuietly("WSATRACE.DLL");
        if (!m) return 0;
        for (int i = 0; i < kTraceCount; ++i) g.trace[i] = Bind(m, kTraceNames[i]);
        g.traceModule = m;
        if (Entry setup = g.trace[kSetupTrace]) {
            TraceSetup record{sizeof(TraceSetup), g.module};
            As<int(WINAPI*)(TraceSetup*)>(setup)(&record);
        }
        for (int index : kTracedEntries) {
            char name[64];
            std::snprintf(name, sizeof name, "TX_%s", kEntryNames[index]);
            g.hooks[index] = Bind(m, name);
        }
    }
    InterlockedIncrement(&g.traceUsers);
    Entry enable = g.trace[kEnableTrace];
    return enable ? As<int(WINAPI*)(const char*, DWORD)>(enable)(file, flags) : 0;
}

int InetUnloadTraceLibrary() {
    if (g.traceUsers <= 0) return 0;
    InterlockedDecrement(&g.traceUsers);
    Entry disable = g.trace[kDisableTrace];
    return disable ? As<int(WINAPI*)()>(disable)() : 0;
}

int InetTraceWrite(DWORD flags, const void* data, int size) {
    Entry write = g.trace[kTraceWrite];
    return write ? As<int(WINAPI*)(DWORD, const void*, int)>(write)(flags, data, size) : 0;
}

int InetTracePrintf(DWORD flags, const char* format, ...) {
    Entry write = g.trace[kTraceWrite];
    if (!format || !*format || !write) return 0;
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return As<int(WINAPI*)(DWORD, const void*, int)>(write)(flags & ~4u, text, 0);
}

SOCKET WsAccept(SOCKET s, sockaddr* addr, int* addrLen) {
    return Call<kAccept, SOCKET, SOCKET, sockaddr*, int*>(INVALID_SOCKET, s, addr, addrLen);
}
int WsBind(SOCKET s, const sockaddr* addr, int addrLen) {
    return Call<kBind, int, SOCKET, const sockaddr*, int>(SOCKET_ERROR, s, addr, addrLen);
}
int WsCloseSocket(SOCKET s) {
    if (g.entries[kGetSockOpt]) {
        BOOL listening = FALSE;
        int len = sizeof listening;
        if (WsGetSockOpt(s, SOL_SOCKET, SO_ACCEPTCONN, reinterpret_cast<char*>(&listening), &len) == 0 &&
            !listening)
            WsShutdown(s, SD_SEND);
    }
    return Call<kCloseSocket, int, SOCKET>(SOCKET_ERROR, s);
}
int WsCloseSocketAbortive(SOCKET s) { return Call<kCloseSocket, int, SOCKET>(SOCKET_ERROR, s); }
int WsConnect(SOCKET s, const sockaddr* addr, int addrLen) {
    return Call<kConnect, int, SOCKET, const sockaddr*, int>(SOCKET_ERROR, s, addr, addrLen);
}
int WsIoctlSocket(SOCKET s, long cmd, u_long* arg) {
    return Call<kIoctlSocket, int, SOCKET, long, u_long*>(SOCKET_ERROR, s, cmd, arg);
}
int WsGetPeerName(SOCKET s, sockaddr* addr, int* addrLen) {
    return Call<kGetPeerName, int, SOCKET, sockaddr*, int*>(SOCKET_ERROR, s, addr, addrLen);
}
int WsGetSockName(SOCKET s, sockaddr* addr, int* addrLen) {
    return Call<kGetSockName, int, SOCKET, sockaddr*, int*>(SOCKET_ERROR, s, addr, addrLen);
}
int WsGetSockOpt(SOCKET s, int level, int name, char* value, int* len) {
    return Call<kGetSockOpt, int, SOCKET, int, int, char*, int*>(SOCKET_ERROR, s, level, name, value, len);
}
u_long WsHtonl(u_long v) {
    Entry e = g.entries[kHtonl];
    return e ? As<u_long(WINAPI*)(u_long)>(e)(v) : Swap32(v);
}
u_short WsHtons(u_short v) {
    Entry e = g.entries[kHtons];
    return e ? As<u_short(WINAPI*)(u_short)>(e)(v) : Swap16(v);
}
int WsListen(SOCKET s, int backlog) { return Call<kListen, int, SOCKET, int>(SOCKET_ERROR, s, backlog); }
u_long WsNtohl(u_long v) {
    Entry e = g.entries[kNtohl];
    return e ? As<u_long(WINAPI*)(u_long)>(e)(v) : Swap32(v);
}
u_short WsNtohs(u_short v) {
    Entry e = g.entries[kNtohs];
    return e ? As<u_short(WINAPI*)(u_short)>(e)(v) : Swap16(v);
}
int WsRecv(SOCKET s, char* buf, int len, int flags) {
    return Call<kRecv, int, SOCKET, char*, int, int>(SOCKET_ERROR, s, buf, len, flags);
}
int WsRecvFrom(SOCKET s, char* buf, int len, int flags, sockaddr* from, int* fromLen) {
    return Call<kRecvFrom, int, SOCKET, char*, int, int, sockaddr*, int*>(SOCKET_ERROR, s, buf, len, flags,
                                                                         from, fromLen);
}
int WsSelect(int n, fd_set* readFds, fd_set* writeFds, fd_set* exceptFds, const timeval* timeout) {
    return Call<kSelect, int, int, fd_set*, fd_set*, fd_set*, const timeval*>(SOCKET_ERROR, n, readFds,
                                                                             writeFds, exceptFds, timeout);
}
int WsSend(SOCKET s, const char* buf, int len, int flags) {
    return Call<kSend, int, SOCKET, const char*, int, int>(SOCKET_ERROR, s, buf, len, flags);
}
int WsSendTo(SOCKET s, const char* buf, int len, int flags, const sockaddr* to, int toLen) {
    return Call<kSendTo, int, SOCKET, const char*, int, int, const sockaddr*, int>(SOCKET_ERROR, s, buf, len,
                                                                                  flags, to, toLen);
}
int WsSetSockOpt(SOCKET s, int level, int name, const char* value, int len) {
    return Call<kSetSockOpt, int, SOCKET, int, int, const char*, int>(SOCKET_ERROR, s, level, name, value,
                                                                     len);
}
int WsShutdown(SOCKET s, int how) { return Call<kShutdown, int, SOCKET, int>(SOCKET_ERROR, s, how); }
SOCKET WsSocket(int af, int type, int protocol) {
    return Call<kSocket, SOCKET, int, int, int>(INVALID_SOCKET, af, type, protocol);
}
hostent* WsGetHostByAddr(const char* addr, int len, int type) {
    return Call<kGetHostByAddr, hostent*, const char*, int, int>(nullptr, addr, len, type);
}
hostent* WsGetHostByName(const char* name) {
    return Call<kGetHostByName, hostent*, const char*>(nullptr, name);
}
int WsGetHostName(char* name, int len) {
    return Call<kGetHostName, int, char*, int>(SOCKET_ERROR, name, len);
}
servent* WsGetServByPort(int port, const char* proto) {
    return Call<kGetServByPort, servent*, int, const char*>(nullptr, port, proto);
}
servent* WsGetServByName(const char* name, const char* proto) {
    return Call<kGetServByName, servent*, const char*, const char*>(nullptr, name, proto);
}
int WsGetLastError() {
    Entry e = g.entries[kGetLastError];
    return e ? As<int(WINAPI*)()>(e)() : WSANOTINITIALISED;
}
void WsSetLastError(int error) {
    if (Entry e = g.entries[kSetLastError]) As<void(WINAPI*)(int)>(e)(error);
}
BOOL WsIsBlocking() { return Call<kIsBlocking, BOOL>(FALSE); }
int WsCancelBlockingCall() { return Call<kCancelBlockingCall, int>(SOCKET_ERROR); }
int WsAsyncSelect(SOCKET s, HWND window, u_int message, long events) {
    return Call<kAsyncSelect, int, SOCKET, HWND, u_int, long>(SOCKET_ERROR, s, window, message, events);
}

bool InSet(SOCKET s, const fd_set& set) {
    for (u_int i = 0; i < set.fd_count && i < FD_SETSIZE; ++i)
        if (set.fd_array[i] == s) return true;
    return false;
}

}  // namespace inet
