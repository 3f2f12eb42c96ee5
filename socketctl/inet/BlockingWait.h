// The library's own blocking wait: Windows Sockets select in short slices with the thread's
// window messages pumped between them, so handlers run (and may abort or cancel the socket)
// while a blocking call waits.
#pragma once
#include "SocketTable.h"

namespace inet {

enum class WaitKind { Read, Write, Connect };

struct WaitResult {
    int result = 0;                 // > 0 ready, 0 timed out, SOCKET_ERROR failed
    int error = 0;                  // the Windows Sockets error of a failure
    InetSocket* record = nullptr;   // the same record again, or null when it was closed meanwhile
};

// Sets the socket's blocking flag and status for the wait, waits (timeoutSeconds 0 = no
// limit) and, when the record still exists, clears the flag and sets the status back to idle.
// A wait ends early when a handler sets the aborted or cancelled flag.
WaitResult InetBlockingWait(InetSocket* record, WaitKind kind, int timeoutSeconds, int status);

// The blocking wait of accept, read, write and flush with its ending: 0 when the socket is
// ready; else -1 with the error set (10053 after an abort, which resets and closes the socket;
// 10004 after a cancel; 10060 after the timeout, whose event is dispatched; 10038 when the
// socket was closed meanwhile).
int InetWaitFor(SOCKET s, InetSocket* record, WaitKind kind, int timeoutSeconds, int status);

// True while this thread is inside a blocking wait or a blocking Windows Sockets call.
bool InetThreadIsBlocking();

// Timeouts: up to 1000 are seconds, larger values milliseconds.
inline int InetTimeoutSeconds(UINT timeout) {
    return static_cast<int>(timeout > 1000 ? timeout / 1000 : timeout);
}

}  // namespace inet
