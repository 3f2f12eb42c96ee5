// Run-time binding of Windows Sockets: the library is loaded by name, its entry points are
// bound by name and every call goes through a wrapper that tolerates a missing entry and,
// while the trace library is bound, passes the result through its trace hook.
#pragma once
#include <winsock2.h>
#include <windows.h>

namespace inet {

// Loads (once per process) and starts Windows Sockets; 0 or an error number (10091 when no
// library could be loaded, else the platform's start-up error). Called under the library lock.
int InetLoadSocketsLibrary(const char* fileName, WORD version, WSADATA* data);
// Lowers the start-up count; the platform clean-up result, -1 when nothing was started.
int InetReleaseSocketsLibrary();
HMODULE InetGetSocketsModule();
// Outstanding successful start-ups.
LONG InetSocketsStartupCount();
// 1 done, 0 not.
int InetSetBlockingHook(bool install);
// Handles one message of the thread; TRUE when there was one.
BOOL CALLBACK InetBlockingHook();

int InetLoadTraceLibrary(const char* file, DWORD flags);
int InetUnloadTraceLibrary();
int InetTraceWrite(DWORD flags, const void* data, int size);
int InetTracePrintf(DWORD flags, const char* format, ...) __attribute__((format(printf, 2, 3)));

SOCKET WsAccept(SOCKET s, sockaddr* addr, int* addrLen);
int WsBind(SOCKET s, const sockaddr* addr, int addrLen);
int WsCloseSocket(SOCKET s);
// Closes without shutting down the sending side first.
int WsCloseSocketAbortive(SOCKET s);
int WsConnect(SOCKET s, const sockaddr* addr, int addrLen);
int WsIoctlSocket(SOCKET s, long cmd, u_long* arg);
int WsGetPeerName(SOCKET s, sockaddr* addr, int* addrLen);
int WsGetSockName(SOCKET s, sockaddr* addr, int* addrLen);
int WsGetSockOpt(SOCKET s, int level, int name, char* value, int* len);
u_long WsHtonl(u_long v);
u_short WsHtons(u_short v);
int WsListen(SOCKET s, int backlog);
u_long WsNtohl(u_long v);
u_short WsNtohs(u_short v);
int WsRecv(SOCKET s, char* buf, int len, int flags);
int WsRecvFrom(SOCKET s, char* buf, int len, int flags, sockaddr* from, int* fromLen);
int WsSelect(int n, fd_set* readFds, fd_set* writeFds, fd_set* exceptFds, const timeval* timeout);
int WsSend(SOCKET s, const char* buf, int len, int flags);
int WsSendTo(SOCKET s, const char* buf, int len, int flags, const sockaddr* to, int toLen);
int WsSetSockOpt(SOCKET s, int level, int name, const char* value, int len);
int WsShutdown(SOCKET s, int how);
SOCKET WsSocket(int af, int type, int protocol);
hostent* WsGetHostByAddr(const char* addr, int len, int type);
hostent* WsGetHostByName(const char* name);
int WsGetHostName(char* name, int len);
servent* WsGetServByPort(int port, const char* proto);
servent* WsGetServByName(const char* name, const char* proto);
int WsGetLastError();
void WsSetLastError(int error);
BOOL WsIsBlocking();
int WsCancelBlockingCall();
int WsAsyncSelect(SOCKET s, HWND window, u_int message, long events);

// True when the socket is in the set (without the platform's helper).
bool InSet(SOCKET s, const fd_set& set);

}  // namespace inet
