// Outgoing connections, listening sockets, accepting, and closing.
#include <cstring>

#include "AddressParser.h"
#include "BlockingWait.h"
#include "LibraryCore.h"
#include "SecurityInterface.h"
#include "SecurityRecords.h"
#include "SocketEvents.h"
#include "SocketTable.h"
#include "TextConvert.h"
#include "Tetherline.h"
#include "WinsockBinding.h"

namespace inet {
namespace {

constexpr int kDefaultBacklog = 5;
constexpr int kDefaultConnectTimeout = 60;
constexpr UINT kReservedPortHigh = 1023;
constexpr UINT kReservedPortLow = 513;

// Fails with an error, returning INVALID_SOCKET.
SOCKET Fail(DWORD code) {
    InetStoreLastError(code);
    return INVALID_SOCKET;
}

// Fails with the thread's Windows Sockets error (or a fallback), closing the socket.
SOCKET FailAndClose(SOCKET s, int error) {
    InetStoreLastError(static_cast<DWORD>(error));
    InetCloseSocket(s);
    return INVALID_SOCKET;
}

// Closes a socket whose secure set-up failed, keeping that failure as the last error.
SOCKET CloseFailed(SOCKET s) {
    InetCloseSocket(s);
    return INVALID_SOCKET;
}

int WinsockErrorOr(int fallback) {
    int e = WsGetLastError();
    return e != 0 ? e : fallback;
}

sockaddr_in Address(DWORD address, u_short portNetworkOrder) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = address;
    a.sin_port = portNetworkOrder;
    return a;
}

void SetFlag(SOCKET s, int level, int name, bool on) {
    BOOL value = on ? TRUE : FALSE;
    WsSetSockOpt(s, level, name, reinterpret_cast<const char*>(&value), sizeof value);
}

// Applies the option bits of a connected or listening TCP socket (DontRoute, KeepAlive,
// NoDelay, InLine) or of another protocol (Broadcast, DontRoute).
void ApplyOptions(SOCKET s, bool tcp, DWORD options) {
    if (tcp) {
        if (options & INET_OPTION_DONTROUTE) SetFlag(s, SOL_SOCKET, SO_DONTROUTE, true);
        if (options & INET_OPTION_KEEPALIVE) SetFlag(s, SOL_SOCKET, SO_KEEPALIVE, true);
        if (options & INET_OPTION_NODELAY) SetFlag(s, IPPROTO_TCP, TCP_NODELAY, true);
        if (options & INET_OPTION_INLINE) SetFlag(s, SOL_SOCKET, SO_OOBINLINE, true);
    } else {
        if (options & INET_OPTION_BROADCAST) SetFlag(s, SOL_SOCKET, SO_BROADCAST, true);
        if (options & INET_OPTION_DONTROUTE) SetFlag(s, SOL_SOCKET, SO_DONTROUTE, true);
    }
}

void ReadLocalName(InetSocket* r) {
    sockaddr_in a{};
    int len = sizeof a;
    if (WsGetSockName(r->socket, reinterpret_cast<sockaddr*>(&a), &len) == 0) {
        r->localAddress = a.sin_addr.s_addr;
        r->localPort = a.sin_port;
    }
}

void ReadPeerName(InetSocket* r) {
    sockaddr_in a{};
    int len = sizeof a;
    if (WsGetPeerName(r->socket, reinterpret_cast<sockaddr*>(&a), &len) == 0) {
        r->remoteAddress = a.sin_addr.s_addr;
        r->remotePort = a.sin_port;
    }
}

// The host's address: a dotted address by the library's parser, else the name service.
bool Resolve(const char* host, DWORD& address) {
    address = InetParseAddress(host);
    if (address != INADDR_NONE) return true;
    hostent* entry = WsGetHostByName(host);
    if (!entry || entry->h_addrtype != AF_INET || entry->h_length != 4 || !entry->h_addr_list ||
        !entry->h_addr_list[0])
        return false;
    std::memcpy(&address, entry->h_addr_list[0], 4);
    return true;
}

bool ValidWindow(HWND window, UINT message) { return !window || (IsWindow(window) && message > 1023); }

// The ending of a blocking wait shared by accept, read, write and flush: -1 with the error
// set when the wait did not end ready, else 0.
int FinishWait(SOCKET s, const WaitResult& wait) {
    InetSocket* r = wait.record;
    if (!r) {
        InetStoreLastError(WSAENOTSOCK);
        return -1;
    }
    if (r->aborted) {
        r->aborted = false;
        r->cancelled = false;
        r->blocking = false;
        InetAbortConnection(s);
        InetStoreLastError(WSAECONNABORTED);
        return -1;
    }
    if (r->cancelled) {
        r->cancelled = false;
        InetStoreLastError(kErrCanceled);
        return -1;
    }
    if (wait.result == 0) {
        InetStoreLastError(WSAETIMEDOUT);
        InetDispatchEvent(s, INET_EVENT_TIMEOUT, WSAETIMEDOUT);
        return -1;
    }
    if (wait.result == SOCKET_ERROR) {
        if (wait.error == WSAEINTR) {
            r->cancelled = false;
            r->blocking = false;
        }
        InetStoreLastError(static_cast<DWORD>(wait.error != 0 ? wait.error : WSAENOTSOCK));
        return -1;
    }
    return 0;
}

}  // namespace

int InetWaitFor(SOCKET s, InetSocket* r, WaitKind kind, int timeoutSeconds, int status) {
    return FinishWait(s, InetBlockingWait(r, kind, timeoutSeconds, status));
}

}  // namespace inet

using namespace inet;

extern "C" {

SOCKET WINAPI InetAsyncConnectExA(LPCSTR lpszHost, UINT nPort, UINT nProtocol, UINT nTimeout, DWORD dwOptions,
                                  DWORD dwLocalAddress, UINT nLocalPort, LPSECURITYCREDENTIALSA, HWND hWnd,
                                  UINT uMsg) {
    if (!lpszHost || !*lpszHost) return Fail(kErrInvalidHostname);
    if (!ValidWindow(hWnd, uMsg)) return Fail(kErrInvalidParameter);
    const bool secure = (dwOptions & INET_OPTION_SECURE) != 0;
    if (secure && !InetLoadSecurity()) return INVALID_SOCKET;
    if (!InetCheckInitialized()) return INVALID_SOCKET;
    int protocol = nProtocol == 0 ? IPPROTO_TCP : static_cast<int>(nProtocol);
    DWORD address;
    if (!Resolve(lpszHost, address)) return Fail(kErrInvalidHostname);
    SOCKET s = InetOpenSocket(protocol);
    if (s == INVALID_SOCKET) return INVALID_SOCKET;
    InetSocket* r = InetFindSocket(s);
    r->remoteAddress = address;
    r->remotePort = WsHtons(static_cast<u_short>(nPort));
    r->options = dwOptions;
    r->timeout = InetTimeoutSeconds(nTimeout);
    CopyToNarrow(lpszHost, r->hostName, sizeof r->hostName);
    const bool tcp = protocol == IPPROTO_TCP;
    if (secure) {
        // No client certificate up front: one is offered only when the server asks.
        r->security.protocols = kOfferedProtocols;
        if (!InetCreateClientCredentials(s, nullptr)) return CloseFailed(s);
    }
    if (!tcp || dwLocalAddress != 0 || nLocalPort != 0) {
        sockaddr_in local = Address(dwLocalAddress, WsHtons(static_cast<u_short>(nLocalPort)));
        if (WsBind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0)
            return FailAndClose(s, WinsockErrorOr(WSAEADDRNOTAVAIL));
    }
    // Event mode selects on the window with WM_INETASYNC and records the caller's window and
    // message for the notifications; no window: blocking mode.
    if (int rc = InetEnableEventsOn(r, hWnd, uMsg)) return FailAndClose(s, rc);
    if (tcp) {
        sockaddr_in remote = Address(address, r->remotePort);
        if (WsConnect(s, reinterpret_cast<sockaddr*>(&remote), sizeof remote) != 0) {
            int error = WsGetLastError();
            if (error != WSAEWOULDBLOCK) return FailAndClose(s, error != 0 ? error : WSAECONNREFUSED);
            if (hWnd) {
                // Completion arrives as the connect event; the options hold from now on.
                ApplyOptions(s, tcp, dwOptions);
                return s;
            }
            int timeout = r->timeout == 0 ? kDefaultConnectTimeout : r->timeout;
            WaitResult wait = InetBlockingWait(r, WaitKind::Connect, timeout, INET_STATUS_CONNECT);
            if (!wait.record) return Fail(WSAENOTSOCK);
            r = wait.record;
            if (r->aborted) {
                r->aborted = false;
                InetAbortConnection(s);
                return Fail(WSAECONNABORTED);
            }
            if (r->cancelled) return FailAndClose(s, kErrCanceled);
            if (wait.result == 0) return FailAndClose(s, WSAETIMEDOUT);
            if (wait.result == SOCKET_ERROR) return FailAndClose(s, wait.error != 0 ? wait.error : WSAECONNREFUSED);
        }
    }
    r->connected = true;
    if (secure && tcp && !hWnd) {
        // A certificate that does not validate leaves the connection standing (12104 kept).
        if (!InetClientHandshake(s)) return CloseFailed(s);
        if (!InetVerifyCertificate(s) && (InetGetLastError() & 0xFFFFu) != kErrSecurityCertificate)
            return CloseFailed(s);
        r = InetFindSocket(s);
        if (!r) return INVALID_SOCKET;
    }
    ReadLocalName(r);
    ApplyOptions(s, tcp, dwOptions);
    return s;
}

SOCKET WINAPI InetAsyncConnectExW(LPCWSTR lpszHost, UINT nPort, UINT nProtocol, UINT nTimeout, DWORD dwOptions,
                                  DWORD dwLocalAddress, UINT nLocalPort, LPSECURITYCREDENTIALSW lpCredentials,
                                  HWND hWnd, UINT uMsg) {
    AnsiCredentials credentials;
    if (!InetCredentialsToAnsi(lpCredentials, credentials.out())) return INVALID_SOCKET;
    return InetAsyncConnectExA(NarrowArg(lpszHost).get(), nPort, nProtocol, nTimeout, dwOptions, dwLocalAddress,
                               nLocalPort, credentials.get(), hWnd, uMsg);
}

SOCKET WINAPI InetAsyncConnectA(LPCSTR lpszHost, UINT nPort, UINT nProtocol, UINT nTimeout, HWND hWnd, UINT uMsg) {
    return InetAsyncConnectExA(lpszHost, nPort, nProtocol, nTimeout, 0, 0, 0, nullptr, hWnd, uMsg);
}

SOCKET WINAPI InetAsyncConnectW(LPCWSTR lpszHost, UINT nPort, UINT nProtocol, UINT nTimeout, HWND hWnd, UINT uMsg) {
    return InetAsyncConnectExW(lpszHost, nPort, nProtocol, nTimeout, 0, 0, 0, nullptr, hWnd, uMsg);
}

SOCKET WINAPI InetConnectExA(LPCSTR lpszHost, UINT nPort, UINT nProtocol, UINT nTimeout, DWORD dwOptions,
                             DWORD dwLocalAddress, UINT nLocalPort, LPSECURITYCREDENTIALSA lpCredentials) {
    return InetAsyncConnectExA(lpszHost, nPort, nProtocol, nTimeout, dwOptions, dwLocalAddress, nLocalPort,
                               lpCredentials, nullptr, 0);
}

SOCKET WINAPI InetConnectExW(LPCWSTR lpszHost, UINT nPort, UINT nProtocol, UINT nTimeout, DWORD dwOptions,
                             DWORD dwLocalAddress, UINT nLocalPort, LPSECURITYCREDENTIALSW lpCredentials) {
    return InetAsyncConnectExW(lpszHost, nPort, nProtocol, nTimeout, dwOptions, dwLocalAddress, nLocalPort,
                               lpCredentials, nullptr, 0);
}

SOCKET WINAPI InetConnectA(LPCSTR lpszHost, UINT nPort, UINT nProtocol, UINT nTimeout) {
    return InetAsyncConnectExA(lpszHost, nPort, nProtocol, nTimeout, 0, 0, 0, nullptr, nullptr, 0);
}

SOCKET WINAPI InetConnectW(LPCWSTR lpszHost, UINT nPort, UINT nProtocol, UINT nTimeout) {
    return InetAsyncConnectExW(lpszHost, nPort, nProtocol, nTimeout, 0, 0, 0, nullptr, nullptr, 0);
}

SOCKET WINAPI InetAsyncListenExA(DWORD dwLocalAddress, UINT nPort, INT nBacklog, DWORD dwOptions, HWND hWnd,
                                 UINT uMsg) {
    if (!ValidWindow(hWnd, uMsg)) return Fail(kErrInvalidParameter);
    // A listener is never secure itself: accept makes each connection secure when asked.
    SOCKET s = InetOpenSocket(IPPROTO_TCP);
    if (s == INVALID_SOCKET) return INVALID_SOCKET;
    InetSocket* r = InetFindSocket(s);
    r->localAddress = dwLocalAddress;
    r->localPort = WsHtons(static_cast<u_short>(nPort));
    r->options = dwOptions;
    r->listening = true;
    r->status = INET_STATUS_LISTEN;
    ApplyOptions(s, true, dwOptions);
    if (nPort == INET_PORT_RESERVED) {
        int error = WSAEADDRINUSE;
        bool bound = false;
        for (UINT port = kReservedPortHigh; port >= kReservedPortLow && !bound; --port) {
            sockaddr_in local = Address(dwLocalAddress, WsHtons(static_cast<u_short>(port)));
            if (WsBind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0) {
                bound = true;
                r->localPort = local.sin_port;
                break;
            }
            error = WinsockErrorOr(WSAEADDRINUSE);
            if (error != WSAEADDRINUSE && error != WSAEADDRNOTAVAIL) break;
        }
        if (!bound) return FailAndClose(s, error);
    } else {
        if (dwOptions & INET_OPTION_REUSEADDRESS) SetFlag(s, SOL_SOCKET, SO_REUSEADDR, true);
        sockaddr_in local = Address(dwLocalAddress, r->localPort);
        if (WsBind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0)
            return FailAndClose(s, WinsockErrorOr(WSAEADDRINUSE));
    }
    if (WsListen(s, nBacklog <= 0 ? kDefaultBacklog : nBacklog) != 0) return FailAndClose(s, WinsockErrorOr(WSAEINVAL));
    // A listening socket in event mode is told of accept only.
    if (int rc = InetEnableEventsOn(r, hWnd, uMsg)) return FailAndClose(s, rc);
    ReadLocalName(r);
    return s;
}

SOCKET WINAPI InetAsyncListenExW(DWORD dwLocalAddress, UINT nPort, INT nBacklog, DWORD dwOptions, HWND hWnd,
                                 UINT uMsg) {
    return InetAsyncListenExA(dwLocalAddress, nPort, nBacklog, dwOptions, hWnd, uMsg);
}

SOCKET WINAPI InetAsyncListen(DWORD dwLocalAddress, UINT nPort, HWND hWnd, UINT uMsg) {
    return InetAsyncListenExA(dwLocalAddress, nPort, kDefaultBacklog, INET_OPTION_REUSEADDRESS, hWnd, uMsg);
}

SOCKET WINAPI InetListenExA(DWORD dwLocalAddress, UINT nPort, INT nBacklog, DWORD dwOptions) {
    return InetAsyncListenExA(dwLocalAddress, nPort, nBacklog, dwOptions, nullptr, 0);
}

SOCKET WINAPI InetListenExW(DWORD dwLocalAddress, UINT nPort, INT nBacklog, DWORD dwOptions) {
    return InetAsyncListenExA(dwLocalAddress, nPort, nBacklog, dwOptions, nullptr, 0);
}

SOCKET WINAPI InetListen(DWORD dwLocalAddress, UINT nPort) {
    return InetAsyncListenExA(dwLocalAddress, nPort, kDefaultBacklog, INET_OPTION_REUSEADDRESS, nullptr, 0);
}

SOCKET WINAPI InetAsyncAcceptExA(SOCKET hListen, UINT nTimeout, DWORD dwOptions, LPSECURITYCREDENTIALSA lpCredentials,
                                 HWND hWnd, UINT uMsg) {
    InetSocket* listener = InetLookupSocket(hListen, false);
    if (!listener) return INVALID_SOCKET;
    if (listener->blocking) return Fail(WSAEINPROGRESS);
    const bool secure = (dwOptions & INET_OPTION_SECURE) != 0;
    if (secure && !InetLoadSecurity()) return INVALID_SOCKET;
    // A record too small to hold its fields is refused before anything is accepted.
    if (lpCredentials && lpCredentials->dwSize < sizeof(SECURITYCREDENTIALSA)) return Fail(kErrInvalidParameter);
    if (!ValidWindow(hWnd, uMsg)) return Fail(kErrInvalidParameter);
    const int timeout = InetTimeoutSeconds(nTimeout);
    if (!listener->eventWindow) {
        if (listener->ownerThread != GetCurrentThreadId()) return Fail(WSAENOTSOCK);
        if (InetWaitFor(hListen, listener, WaitKind::Read, timeout, INET_STATUS_ACCEPT) != 0)
            return INVALID_SOCKET;
    }
    sockaddr_in peer{};
    int peerLen = sizeof peer;
    SOCKET s = WsAccept(hListen, reinterpret_cast<sockaddr*>(&peer), &peerLen);
    if (s == INVALID_SOCKET) return Fail(static_cast<DWORD>(WinsockErrorOr(WSAENOTSOCK)));
    {
        LibraryLock lock;
        if (!InetHasFreeSlot()) {
            WsCloseSocket(s);
            return Fail(kErrNoHandles);
        }
        std::unique_ptr<InetSocket> r = InetNewRecord(s);
        if (!r) {
            WsCloseSocket(s);
            return Fail(kErrOutOfMemory);
        }
        r->timeout = timeout;
        r->type = SOCK_STREAM;
        r->protocol = IPPROTO_TCP;
        r->connected = true;
        r->options = dwOptions;
        // The accepted socket inherits the listener's asynchronous selection: cancel it. Its
        // blocking calls wait in the library, over non-blocking platform calls.
        if (listener->eventWindow) WsAsyncSelect(s, listener->eventWindow, 0, 0);
        u_long nonBlocking = 1;
        WsIoctlSocket(s, FIONBIO, &nonBlocking);
        ReadLocalName(r.get());
        ReadPeerName(r.get());
        InetStoreRecord(std::move(r));
    }
    if (secure) {
        InetSocket* r = InetFindSocket(s);
        r->security.protocols = kOfferedProtocols;
        r->security.server = true;
        const char* store = lpCredentials ? lpCredentials->lpszCertStore : nullptr;
        const char* name = lpCredentials ? lpCredentials->lpszCertName : nullptr;
        if (!InetCreateServerCredentials(s, store, name) || !InetServerHandshake(s)) return CloseFailed(s);
    }
    if (!hWnd) return s;
    InetSocket* r = InetFindSocket(s);
    if (int rc = InetEnableEventsOn(r, hWnd, uMsg)) return FailAndClose(s, rc);
    // The accepted connection is announced to its window at once.
    InetDispatchEvent(s, INET_EVENT_CONNECT, 0);
    return s;
}

SOCKET WINAPI InetAsyncAcceptExW(SOCKET hListen, UINT nTimeout, DWORD dwOptions, LPSECURITYCREDENTIALSW lpCredentials,
                                 HWND hWnd, UINT uMsg) {
    AnsiCredentials credentials;
    if (!InetCredentialsToAnsi(lpCredentials, credentials.out())) return INVALID_SOCKET;
    return InetAsyncAcceptExA(hListen, nTimeout, dwOptions, credentials.get(), hWnd, uMsg);
}

SOCKET WINAPI InetAcceptExA(SOCKET hListen, UINT nTimeout, DWORD dwOptions, LPSECURITYCREDENTIALSA lpCredentials) {
    return InetAsyncAcceptExA(hListen, nTimeout, dwOptions, lpCredentials, nullptr, 0);
}

SOCKET WINAPI InetAcceptExW(SOCKET hListen, UINT nTimeout, DWORD dwOptions, LPSECURITYCREDENTIALSW lpCredentials) {
    return InetAsyncAcceptExW(hListen, nTimeout, dwOptions, lpCredentials, nullptr, 0);
}

SOCKET WINAPI InetAsyncAccept(SOCKET hListen, UINT nTimeout, HWND hWnd, UINT uMsg) {
    return InetAsyncAcceptExA(hListen, nTimeout, 0, nullptr, hWnd, uMsg);
}

SOCKET WINAPI InetAccept(SOCKET hListen, UINT nTimeout) {
    return InetAsyncAcceptExA(hListen, nTimeout, 0, nullptr, nullptr, 0);
}

INT WINAPI InetDisconnect(SOCKET hSocket) {
    InetSocket* r = InetFindSocket(hSocket);
    if (!r) return -1;
    if (r->blocking || InetThreadIsBlocking()) {
        InetStoreLastError(WSAEINPROGRESS);
        return -1;
    }
    r->status = INET_STATUS_DISCONNECT;
    // A secure connection tells its peer it is closing; the close goes on either way.
    if (r->IsSecure() && r->security.contextPtr) InetSecureClose(hSocket);
    InetCloseSocket(hSocket);
    return 0;
}

INT WINAPI InetAbortConnection(SOCKET hSocket) {
    if (hSocket == INVALID_SOCKET) hSocket = InetGetBlockingSocket();
    InetSocket* r = InetFindSocket(hSocket);
    if (!r) return -1;
    if (r->blocking && InetThreadIsBlocking()) {
        // The waiting operation sees the flag, aborts the socket and fails with 10053.
        r->aborted = true;
        WsCancelBlockingCall();
        return 0;
    }
    if (r->IsTcp()) {
        linger hard{1, 0};
        WsSetSockOpt(hSocket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), sizeof hard);
    }
    InetCloseSocket(hSocket, true);
    return 0;
}

INT WINAPI InetCancelBlockingCall(SOCKET hSocket) {
    if (hSocket == INVALID_SOCKET) hSocket = InetGetBlockingSocket();
    InetSocket* r = InetLookupSocket(hSocket, true);
    if (r && r->blocking && InetThreadIsBlocking()) {
        r->cancelled = true;
        WsCancelBlockingCall();
        return 0;
    }
    InetStoreLastError(kErrNotBlocking);
    return -1;
}

SOCKET WINAPI InetGetBlockingSocket(void) {
    if (!InetThreadIsBlocking()) return Fail(kErrNotBlocking);
    SOCKET sockets[kSocketSlots];
    int count = InetListSockets(sockets, kSocketSlots, true);
    for (int i = 0; i < count && i < kSocketSlots; ++i) {
        InetSocket* r = InetLookupSocket(sockets[i], true);
        if (r && r->blocking) return sockets[i];
    }
    return Fail(kErrNotHandleOwner);
}

INT WINAPI InetShutdown(SOCKET hSocket, INT nHow) {
    InetSocket* r = InetFindSocket(hSocket);
    if (!r) return -1;
    if (nHow < INET_SHUTDOWN_READ || nHow > INET_SHUTDOWN_READWRITE) {
        InetStoreLastError(kErrInvalidParameter);
        return -1;
    }
    static constexpr int kHow[] = {SD_RECEIVE, SD_SEND, SD_BOTH};
    if (WsShutdown(hSocket, kHow[nHow]) != 0) {
        InetStoreLastError(static_cast<DWORD>(WinsockErrorOr(WSAENOTCONN)));
        return -1;
    }
    return 0;
}

INT WINAPI InetSecurityAuthenticationA(SOCKET hSocket, DWORD, DWORD, LPSECURITYCREDENTIALSA) {
    InetStoreLastError(InetLookupSocket(hSocket, true) ? kErrNotImplemented : WSAENOTSOCK);
    return -1;
}

INT WINAPI InetSecurityAuthenticationW(SOCKET hSocket, DWORD dwValue1, DWORD dwValue2, LPSECURITYCREDENTIALSW) {
    return InetSecurityAuthenticationA(hSocket, dwValue1, dwValue2, nullptr);
}

}  // extern "C"
