// The library's own blocking wait with the thread's messages pumped between select slices.
#include "BlockingWait.h"

#include <algorithm>

#include "LibraryCore.h"
#include "WinsockBinding.h"

namespace inet {
namespace {

constexpr DWORD kSliceMs = 10;
constexpr int kLongestWaitSeconds = 2000000;
// Messages handled between two slices at most, so a flood of posted messages cannot starve
// the socket.
constexpr int kMessagesPerSlice = 64;

thread_local int t_waits = 0;

void OnlyIn(fd_set& set, SOCKET s) {
    set.fd_count = 1;
    set.fd_array[0] = s;
}

// The pending error of a socket whose connect failed.
int PendingError(SOCKET s) {
    int error = 0;
    int len = sizeof error;
    if (WsGetSockOpt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &len) != 0) return WsGetLastError();
    return error;
}

}  // namespace

bool InetThreadIsBlocking() { return t_waits > 0 || WsIsBlocking(); }

WaitResult InetBlockingWait(InetSocket* record, WaitKind kind, int timeoutSeconds, int status) {
    const SOCKET s = record->socket;
    const uint64_t serial = record->serial;
    record->blocking = true;
    record->status = status;
    ++t_waits;
    const DWORD start = GetTickCount();
    // Waits longer than 24 days are as good as no limit and would overflow the tick count.
    const DWORD limit = timeoutSeconds > 0 && timeoutSeconds < kLongestWaitSeconds
                            ? 1000u * static_cast<DWORD>(timeoutSeconds) : 0;
    WaitResult out;
    bool first = true;
    for (;;) {
        DWORD slice = first ? 0 : kSliceMs;
        if (limit) {
            DWORD elapsed = GetTickCount() - start;
            slice = elapsed >= limit ? 0 : std::min(slice, limit - elapsed);
        }
        fd_set readSet{}, writeSet{}, exceptSet{};
        if (kind == WaitKind::Read) OnlyIn(readSet, s);
        else OnlyIn(writeSet, s);
        if (kind == WaitKind::Connect) OnlyIn(exceptSet, s);
        timeval tv{0, static_cast<long>(slice * 1000)};
        int n = WsSelect(0, kind == WaitKind::Read ? &readSet : nullptr, kind == WaitKind::Read ? nullptr : &writeSet,
                         kind == WaitKind::Connect ? &exceptSet : nullptr, &tv);
        if (n == SOCKET_ERROR) {
            out.result = SOCKET_ERROR;
            out.error = WsGetLastError();
            break;
        }
        if (n > 0) {
            // A refused connect shows in the exception set: report its own error at once.
            int error = kind == WaitKind::Connect && InSet(s, exceptSet) ? PendingError(s) : 0;
            if (kind == WaitKind::Connect && error == 0 && InSet(s, writeSet)) error = PendingError(s);
            if (kind == WaitKind::Connect && error != 0) {
                out.result = SOCKET_ERROR;
                out.error = error;
            } else {
                out.result = n;
            }
            break;
        }
        if (limit && GetTickCount() - start >= limit) {
            out.result = 0;
            break;
        }
        for (int i = 0; i < kMessagesPerSlice && InetBlockingHook(); ++i) {
        }
        // A handler may have closed the socket, and a new one may carry the same value.
        InetSocket* again = InetFindRecord(s, serial);
        if (!again) {
            out.result = SOCKET_ERROR;
            out.error = WSAENOTSOCK;
            break;
        }
        if (again->aborted || again->cancelled) {
            out.result = SOCKET_ERROR;
            out.error = again->aborted ? WSAECONNABORTED : WSAEINTR;
            break;
        }
        first = false;
    }
    --t_waits;
    out.record = InetFindRecord(s, serial);
    if (out.record) {
        out.record->blocking = false;
        out.record->status = INET_STATUS_IDLE;
    }
    return out;
}

}  // namespace inet
