// Questions about a socket: readable, writable, urgent data, flags, status, options,
// timeouts and addresses.
#include <cstdio>
#include <cstring>

#include "BlockingWait.h"
#include "LibraryCore.h"
#include "SecurityInterface.h"
#include "SocketTable.h"
#include "TextConvert.h"
#include "Tetherline.h"
#include "WinsockBinding.h"

namespace inet {
namespace {

constexpr int kHostNameChars = 128;

struct OptionMapping {
    DWORD bit;
    int level;
    int name;
};
constexpr OptionMapping kOptions[] = {
    {INET_OPTION_BROADCAST, SOL_SOCKET, SO_BROADCAST},   {INET_OPTION_DONTROUTE, SOL_SOCKET, SO_DONTROUTE},
    {INET_OPTION_KEEPALIVE, SOL_SOCKET, SO_KEEPALIVE},   {INET_OPTION_REUSEADDRESS, SOL_SOCKET, SO_REUSEADDR},
    {INET_OPTION_NODELAY, IPPROTO_TCP, TCP_NODELAY},     {INET_OPTION_INLINE, SOL_SOCKET, SO_OOBINLINE},
};

const OptionMapping* FindOption(DWORD bit) {
    for (const OptionMapping& m : kOptions)
        if (m.bit == bit) return &m;
    return nullptr;
}

int FailWithWinsockError(int fallback) {
    if (!InetSetWinsockError()) InetStoreLastError(static_cast<DWORD>(fallback));
    return -1;
}

// select on one socket for reading or writing with a wait in milliseconds (0 = poll).
bool Ready(SOCKET s, bool forReading, DWORD milliseconds) {
    fd_set set{};
    set.fd_count = 1;
    set.fd_array[0] = s;
    timeval wait{static_cast<long>(milliseconds / 1000), static_cast<long>((milliseconds % 1000) * 1000)};
    int n = WsSelect(0, forReading ? &set : nullptr, forReading ? nullptr : &set, nullptr, &wait);
    if (n == SOCKET_ERROR) InetSetWinsockError();
    return n > 0;
}

// The ready test shared by the readable and writable queries.
bool ReadyQuery(SOCKET s, bool forReading, DWORD milliseconds, LPDWORD available) {
    if (available) *available = 0;
    InetSocket* r = InetFindSocket(s);
    if (!r) return false;
    if (r->aborted) {
        InetStoreLastError(WSAECONNABORTED);
        return false;
    }
    if (r->blocking || InetThreadIsBlocking()) {
        InetStoreLastError(WSAEINPROGRESS);
        return false;
    }
    if (forReading && InetSecureDataWaiting(r)) {
        // The secure layer already holds bytes to read: no network wait is needed for them.
        const int count = r->security.plainCount > 0 ? r->security.plainCount : r->security.inCount;
        if (available) *available = static_cast<DWORD>(count);
        return true;
    }
    const uint64_t serial = r->serial;
    if (!Ready(s, forReading, milliseconds)) return false;
    r = InetFindRecord(s, serial);
    if (r && r->connected && available) {
        u_long count = 0;
        if (WsIoctlSocket(s, FIONREAD, &count) == 0) *available = count;
    }
    return true;
}

// The first address of the local host's name.
bool LocalHostAddress(DWORD& address) {
    char name[kHostNameChars + 1] = {};
    if (WsGetHostName(name, kHostNameChars) != 0) return false;
    hostent* entry = WsGetHostByName(name);
    if (!entry || entry->h_length != 4 || !entry->h_addr_list || !entry->h_addr_list[0]) return false;
    std::memcpy(&address, entry->h_addr_list[0], 4);
    return true;
}

}  // namespace
}  // namespace inet

using namespace inet;

extern "C" {

BOOL WINAPI InetIsReadable(SOCKET hSocket, DWORD dwMilliseconds, LPDWORD lpdwAvailable) {
    return ReadyQuery(hSocket, true, dwMilliseconds, lpdwAvailable) ? TRUE : FALSE;
}

BOOL WINAPI InetIsWritable(SOCKET hSocket, DWORD dwMilliseconds) {
    return ReadyQuery(hSocket, false, dwMilliseconds, nullptr) ? TRUE : FALSE;
}

BOOL WINAPI InetIsUrgent(SOCKET hSocket) {
    // Only the library's own sockets are asked.
    if (!InetPeekSocket(hSocket)) return FALSE;
    u_long atMark = 1;
    if (WsIoctlSocket(hSocket, SIOCATMARK, &atMark) != 0) return FALSE;
    return atMark == 0 ? TRUE : FALSE;
}

BOOL WINAPI InetIsConnected(SOCKET hSocket) {
    InetSocket* r = InetFindSocket(hSocket);
    return r && r->connected ? TRUE : FALSE;
}

BOOL WINAPI InetIsConnectionClosed(SOCKET hSocket) {
    InetSocket* r = InetFindSocket(hSocket);
    return r && r->remoteClosed ? TRUE : FALSE;
}

BOOL WINAPI InetIsListening(SOCKET hSocket) {
    InetSocket* r = InetFindSocket(hSocket);
    return r && r->listening ? TRUE : FALSE;
}

BOOL WINAPI InetIsBlocking(SOCKET hSocket) {
    InetSocket* r = InetPeekSocket(hSocket);
    return (r && r->blocking) || InetThreadIsBlocking() ? TRUE : FALSE;
}

INT WINAPI InetGetStatus(SOCKET hSocket) {
    InetSocket* r = InetLookupSocket(hSocket, false);
    return r ? r->status : 0;
}

INT WINAPI InetGetOption(SOCKET hSocket, DWORD dwOption, LPDWORD lpdwValue) {
    InetSocket* r = InetFindSocket(hSocket);
    if (!r) return -1;
    if (dwOption == 0) return 0;
    const OptionMapping* m = FindOption(dwOption);
    if (!m) {
        InetStoreLastError(WSAEOPNOTSUPP);
        return -1;
    }
    if (!lpdwValue) {
        InetStoreLastError(kErrInvalidParameter);
        return -1;
    }
    DWORD value = 0;
    int len = sizeof value;
    if (WsGetSockOpt(hSocket, m->level, m->name, reinterpret_cast<char*>(&value), &len) != 0)
        return FailWithWinsockError(WSAENOPROTOOPT);
    *lpdwValue = value != 0 ? 1 : 0;
    return 0;
}

INT WINAPI InetSetOption(SOCKET hSocket, DWORD dwOption, DWORD dwValue) {
    InetSocket* r = InetFindSocket(hSocket);
    if (!r) return -1;
    if (dwOption == 0 || dwOption == INET_OPTION_SECURE) return 0;
    const OptionMapping* m = FindOption(dwOption);
    if (!m) {
        InetStoreLastError(WSAEOPNOTSUPP);
        return -1;
    }
    DWORD value = dwValue ? 1 : 0;
    if (WsSetSockOpt(hSocket, m->level, m->name, reinterpret_cast<const char*>(&value), sizeof value) != 0)
        return FailWithWinsockError(WSAENOPROTOOPT);
    if (value) r->options |= dwOption;
    else r->options &= ~dwOption;
    return 0;
}

INT WINAPI InetSetTimeout(SOCKET hSocket, UINT nTimeout) {
    InetSocket* r = InetFindSocket(hSocket);
    if (!r) return -1;
    r->timeout = InetTimeoutSeconds(nTimeout);
    return 0;
}

INT WINAPI InetGetTimeout(SOCKET hSocket) {
    InetSocket* r = InetFindSocket(hSocket);
    return r ? r->timeout : -1;
}

INT WINAPI InetGetLocalAddress(SOCKET hSocket, LPDWORD lpdwAddress, LPUINT lpnPort) {
    if (lpdwAddress) *lpdwAddress = INADDR_NONE;
    if (lpnPort) *lpnPort = 0;
    if (hSocket == INVALID_SOCKET) {
        DWORD address;
        if (!LocalHostAddress(address)) {
            InetStoreLastError(kErrNoLocalHostName);
            return -1;
        }
        if (lpdwAddress) *lpdwAddress = address;
        return 0;
    }
    InetSocket* r = InetFindSocket(hSocket);
    if (!r) return -1;
    sockaddr_in a{};
    int len = sizeof a;
    if (WsGetSockName(hSocket, reinterpret_cast<sockaddr*>(&a), &len) == 0) {
        r->localAddress = a.sin_addr.s_addr;
        r->localPort = a.sin_port;
    } else {
        InetSetWinsockError();
    }
    if (lpdwAddress) *lpdwAddress = r->localAddress;
    if (lpnPort) *lpnPort = WsNtohs(r->localPort);
    return 0;
}

INT WINAPI InetGetPeerAddress(SOCKET hSocket, LPDWORD lpdwAddress, LPUINT lpnPort) {
    InetSocket* r = InetFindSocket(hSocket);
    if (!r) return -1;
    if (r->remoteAddress == INADDR_NONE) {
        sockaddr_in a{};
        int len = sizeof a;
        if (WsGetPeerName(hSocket, reinterpret_cast<sockaddr*>(&a), &len) == 0) {
            r->remoteAddress = a.sin_addr.s_addr;
            r->remotePort = a.sin_port;
        } else {
            InetSetWinsockError();
        }
    }
    if (lpdwAddress) *lpdwAddress = r->remoteAddress;
    if (lpnPort) *lpnPort = WsNtohs(r->remotePort);
    return 0;
}

INT WINAPI InetGetLocalAddressStringA(SOCKET hSocket, LPSTR lpszBuffer, INT nMaxLength) {
    if (!InetCheckInitialized()) return -1;
    if (hSocket == INVALID_SOCKET) {
        InetStoreLastError(WSAENOTSOCK);
        return -1;
    }
    DWORD address = 0;
    UINT port = 0;
    if (InetGetLocalAddress(hSocket, &address, &port) != 0) return -1;
    const auto* b = reinterpret_cast<const unsigned char*>(&address);
    char text[32];
    int len = std::snprintf(text, sizeof text, "%u,%u,%u,%u,%u,%u", b[0], b[1], b[2], b[3], (port >> 8) & 0xFF,
                            port & 0xFF);
    if (lpszBuffer && nMaxLength > 0) return CopyToNarrow(text, lpszBuffer, nMaxLength);
    return len;
}

INT WINAPI InetGetLocalAddressStringW(SOCKET hSocket, LPWSTR lpszBuffer, INT nMaxLength) {
    char text[32];
    int len = InetGetLocalAddressStringA(hSocket, text, sizeof text);
    if (len < 0) return len;
    if (lpszBuffer && nMaxLength > 0) return CopyToWide(text, lpszBuffer, nMaxLength);
    return len;
}

INT WINAPI InetEnumNetworkAdresses(LPDWORD lpdwAddresses, INT nMaxAddresses) {
    if (!InetCheckInitialized()) return -1;
    if (lpdwAddresses && nMaxAddresses <= 0) {
        InetStoreLastError(kErrInvalidParameter);
        return -1;
    }
    char name[kHostNameChars + 1] = {};
    hostent* entry = WsGetHostName(name, kHostNameChars) == 0 ? WsGetHostByName(name) : nullptr;
    if (!entry || entry->h_length != 4 || !entry->h_addr_list) {
        InetStoreLastError(kErrNoLocalHostName);
        return -1;
    }
    int count = 0;
    for (char** p = entry->h_addr_list; *p; ++p, ++count)
        if (lpdwAddresses && count < nMaxAddresses) std::memcpy(&lpdwAddresses[count], *p, 4);
    return count;
}

}  // extern "C"
