// Reading, writing and flushing an open socket.
#include "BlockingWait.h"
#include "LibraryCore.h"
#include "SecurityInterface.h"
#include "SocketTable.h"
#include "Tetherline.h"
#include "WinsockBinding.h"

namespace inet {
namespace {

constexpr int kFlushChunk = 256;
constexpr long kFlushWaitMicroseconds = 500000;

// The thread's Windows Sockets error as the last error (a fallback when none is pending).
int FailWithWinsockError(int fallback) {
    if (!InetSetWinsockError()) InetStoreLastError(static_cast<DWORD>(fallback));
    return -1;
}

// A socket already waiting in a blocking call takes no second one.
bool NotWaiting(const InetSocket* r) {
    if (!r->blocking) return true;
    InetStoreLastError(WSAEINPROGRESS);
    return false;
}

bool ValidBuffer(const void* buffer, int length) {
    if (length < 0 || (!buffer && length > 0)) {
        InetStoreLastError(kErrInvalidParameter);
        return false;
    }
    return true;
}

}  // namespace
}  // namespace inet

using namespace inet;

extern "C" {

INT WINAPI InetRead(SOCKET hSocket, LPVOID lpBuffer, INT nLength) {
    InetSocket* r = InetFindSocket(hSocket);
    if (!r) return -1;
    if (!ValidBuffer(lpBuffer, nLength) || !NotWaiting(r)) return -1;
    // Nothing asked, nothing received: the connection's state stays as it is.
    if (nLength == 0) return 0;
    if (r->IsSecure() && r->IsTcp()) return InetSecureRead(hSocket, static_cast<char*>(lpBuffer), nLength);
    auto receive = [&](InetSocket* rec) {
        char* buffer = static_cast<char*>(lpBuffer);
        if (rec->IsTcp()) return WsRecv(hSocket, buffer, nLength, 0);
        sockaddr_in from{};
        int fromLen = sizeof from;
        int got = WsRecvFrom(hSocket, buffer, nLength, 0, reinterpret_cast<sockaddr*>(&from), &fromLen);
        if (got >= 0) {
            // Later writes answer the sender.
            rec->remoteAddress = from.sin_addr.s_addr;
            rec->remotePort = from.sin_port;
        }
        return got;
    };
    int n = receive(r);
    if (n == SOCKET_ERROR && !r->eventWindow && WsGetLastError() == WSAEWOULDBLOCK) {
        // Nothing there yet: the blocking wait.
        if (InetWaitFor(hSocket, r, WaitKind::Read, r->timeout, INET_STATUS_READ) != 0) return -1;
        r = InetFindSocket(hSocket);
        if (!r) return -1;
        n = receive(r);
    }
    if (n == 0 && r->IsTcp()) r->remoteClosed = true;
    if (n > 0) r->bytesReceived += static_cast<DWORD>(n);
    if (n == SOCKET_ERROR) return FailWithWinsockError(WSAECONNRESET);
    return n;
}

INT WINAPI InetWrite(SOCKET hSocket, LPCVOID lpBuffer, INT nLength) {
    InetSocket* r = InetFindSocket(hSocket);
    if (!r) return -1;
    if (!ValidBuffer(lpBuffer, nLength) || !NotWaiting(r)) return -1;
    if (r->IsSecure() && r->IsTcp()) return InetSecureWrite(hSocket, static_cast<const char*>(lpBuffer), nLength);
    auto transmit = [&](InetSocket* rec) {
        const char* buffer = static_cast<const char*>(lpBuffer);
        if (rec->IsTcp()) return WsSend(hSocket, buffer, nLength, 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = rec->remoteAddress;
        to.sin_port = rec->remotePort;
        return WsSendTo(hSocket, buffer, nLength, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    };
    int n = transmit(r);
    if (n == SOCKET_ERROR && !r->eventWindow && WsGetLastError() == WSAEWOULDBLOCK) {
        if (InetWaitFor(hSocket, r, WaitKind::Write, r->timeout, INET_STATUS_WRITE) != 0) return -1;
        r = InetFindSocket(hSocket);
        if (!r) return -1;
        n = transmit(r);
    }
    if (n > 0) r->bytesSent += static_cast<DWORD>(n);
    if (n == SOCKET_ERROR) return FailWithWinsockError(WSAECONNRESET);
    return n;
}

INT WINAPI InetFlush(SOCKET hSocket) {
    InetSocket* r = InetFindSocket(hSocket);
    if (!r) return -1;
    if (!r->IsTcp()) {
        InetStoreLastError(WSAEPROTONOSUPPORT);
        return -1;
    }
    if (!NotWaiting(r)) return -1;
    const uint64_t serial = r->serial;
    r->status = INET_STATUS_FLUSH;
    r->blocking = true;
    const bool secure = r->IsSecure();
    for (;;) {
        // Bytes the secure layer already holds need no wait.
        InetSocket* now = InetFindRecord(hSocket, serial);
        if (!now) break;
        if (!InetSecureDataWaiting(now)) {
            fd_set readSet{};
            readSet.fd_count = 1;
            readSet.fd_array[0] = hSocket;
            timeval wait{0, kFlushWaitMicroseconds};
            if (WsSelect(0, &readSet, nullptr, nullptr, &wait) <= 0) break;
        }
        char discard[kFlushChunk];
        if (secure) {
            // The decrypting read counts the bytes it receives itself.
            if (InetSecureRead(hSocket, discard, sizeof discard) <= 0) break;
            continue;
        }
        int n = WsRecv(hSocket, discard, sizeof discard, 0);
        if (n <= 0) break;
        now->bytesReceived += static_cast<DWORD>(n);
    }
    r = InetFindRecord(hSocket, serial);
    if (!r) {
        InetStoreLastError(WSAENOTSOCK);
        return -1;
    }
    r->cancelled = false;
    r->blocking = false;
    r->status = INET_STATUS_IDLE;
    if (r->aborted) {
        r->aborted = false;
        InetAbortConnection(hSocket);
        InetStoreLastError(WSAECONNABORTED);
        return -1;
    }
    return 0;
}

}  // extern "C"
