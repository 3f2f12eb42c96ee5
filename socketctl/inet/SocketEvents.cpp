// Event notification: blocking and event mode, delivery of a socket's events to its callbacks
// and notification window, freezing and re-posting, and their exports.
#include "SocketEvents.h"

#include "LibraryCore.h"
#include "SecurityInterface.h"
#include "WinsockBinding.h"

namespace inet {

void InetHandleSocketMessage(HWND window, UINT message, WPARAM first, LPARAM second);

namespace {

constexpr long kStreamEvents = FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE;  // 51
// The order in which recorded events are posted again.
constexpr long kRepostOrder[] = {FD_ACCEPT, FD_CONNECT, FD_CLOSE, FD_READ, FD_WRITE, FD_OOB};

int SlotOf(DWORD eventBit) {
    for (int slot = 0; slot < kEventSlots; ++slot)
        if (eventBit == (1u << slot)) return slot;
    return -1;
}

// True when the window exists and belongs to the thread (of this process).
bool WindowOfThread(HWND window, DWORD thread) {
    DWORD process = 0;
    return GetWindowThreadProcessId(window, &process) == thread && process == GetCurrentProcessId();
}

// The checks of event mode, made before anything changes: 0 or the error number.
int CheckWindow(const InetSocket* record, HWND window, UINT message) {
    if (!IsWindow(window)) return kErrInvalidParameter;
    if (!WindowOfThread(window, record->ownerThread)) return kErrNotHandleOwner;
    if (message < kFirstUserMessage) return kErrInvalidParameter;
    return 0;
}

void ReadLocalName(InetSocket* r) {
    sockaddr_in a{};
    int len = sizeof a;
    if (WsGetSockName(r->socket, reinterpret_cast<sockaddr*>(&a), &len) == 0) {
        r->localAddress = a.sin_addr.s_addr;
        r->localPort = a.sin_port;
    }
}

// Freezes or thaws the thread's other sockets for the one with `serial`: a freeze takes
// every other live socket (marking it as frozen by this one), a thaw only those so marked.
void FreezeOthers(SOCKET s, uint64_t serial, bool freeze) {
    SOCKET sockets[kSocketSlots];
    int count = InetListSockets(sockets, kSocketSlots, true);
    InetSetBlockingHook(!freeze);
    for (int i = 0; i < count && i < kSocketSlots; ++i) {
        if (sockets[i] == s) continue;
        InetSocket* other = InetPeekSocket(sockets[i]);
        if (!other) continue;
        if (freeze) {
            if (other->frozen || !other->eventWindow || other->dispatching) continue;
            InetFreezeRecord(other, true);
            other->frozenBy = serial;
        } else if (other->frozenBy == serial) {
            other->frozenBy = 0;
            InetFreezeRecord(other, false);
        }
    }
}

}  // namespace

void InetFreezeRecord(InetSocket* r, bool freeze) {
    if (!r->eventWindow || r->dispatching) return;
    if (!freeze && r->frozen) {
        const DWORD recorded = r->recordedEvents;
        const DWORD connectError = r->recordedConnectError;
        r->recordedEvents = 0;
        r->recordedConnectError = 0;
        r->frozen = false;
        for (long event : kRepostOrder) {
            if (!(recorded & static_cast<DWORD>(event))) continue;
            // A connect that failed while frozen comes again as the failure it was.
            WORD error = event == FD_CONNECT ? static_cast<WORD>(connectError) : 0;
            PostMessageA(r->eventWindow, r->asyncMessage, static_cast<WPARAM>(r->socket),
                         WSAMAKESELECTREPLY(static_cast<WORD>(event), error));
        }
        return;
    }
    r->frozen = freeze;
}

LRESULT InetDispatchEvent(SOCKET s, DWORD eventBit, DWORD error) {
    InetSocket* r = InetPeekSocket(s);
    if (!r) return -1;
    if (r->frozen) return 0;
    const uint64_t serial = r->serial;
    InetFreezeRecord(r, true);
    r->dispatching = true;
    LRESULT result = 0;
    const int slot = SlotOf(eventBit);
    if (slot >= 0 && r->callbacks[slot]) r->callbacks[slot](s, eventBit, error, r->callbackParams[slot]);
    // The callback or the receiver may have closed the socket, and a new one may carry its
    // value: only the very record that was dispatched is touched again.
    r = InetFindRecord(s, serial);
    if (r && r->notifyWindow && IsWindow(r->notifyWindow))
        result = SendMessageA(r->notifyWindow, r->notifyMessage, static_cast<WPARAM>(s),
                              MAKELPARAM(static_cast<WORD>(eventBit), static_cast<WORD>(error)));
    if ((r = InetFindRecord(s, serial))) {
        r->dispatching = false;
        InetFreezeRecord(r, false);
    }
    return result;
}

int InetSelectEvents(InetSocket* record, HWND window, UINT message) {
    if (record->dispatching) return WSAEINPROGRESS;
    if (window) {
        if (int rc = CheckWindow(record, window, message)) return rc;
        const HWND old = record->eventWindow;
        if (int rc = InetAttachWindow(record, window)) return rc;
        const long events = record->listening ? FD_ACCEPT : kStreamEvents;
        if (WsAsyncSelect(record->socket, window, message, events) != 0) {
            int error = WsGetLastError();
            InetAttachWindow(record, old);
            return error != 0 ? error : WSAEINVAL;
        }
        record->asyncMessage = message;
        return 0;
    }
    const HWND old = record->eventWindow;
    InetAttachWindow(record, nullptr);
    if (old) WsAsyncSelect(record->socket, old, 0, 0);
    record->recordedEvents = 0;
    record->recordedConnectError = 0;
    // Blocking mode: the library's own pumped wait, over non-blocking platform calls, so
    // a call whose data is already there costs no wait at all.
    u_long nonBlocking = 1;
    WsIoctlSocket(record->socket, FIONBIO, &nonBlocking);
    return 0;
}

int InetEnableEventsOn(InetSocket* record, HWND window, UINT message) {
    if (!window) {
        if (int rc = InetSelectEvents(record, nullptr, 0)) return rc;
        record->notifyWindow = nullptr;
        record->notifyMessage = 0;
        return 0;
    }
    if (!IsWindow(window) || message < kFirstUserMessage) return kErrInvalidParameter;
    if (!record->eventWindow) {
        if (int rc = InetSelectEvents(record, window, kAsyncMessage)) return rc;
    }
    record->notifyWindow = window;
    record->notifyMessage = message;
    return 0;
}

int InetFreezeOtherEvents(SOCKET s, bool freeze) {
    InetSocket* r = InetPeekSocket(s);
    if (!r) return -1;
    if (r->frozen) return 0;
    {
        LibraryLock lock;
        if (freeze) {
            ++r->freezeNesting;
        } else {
            if (r->freezeNesting <= 0) return 0;
            if (--r->freezeNesting != 0) return 0;
        }
    }
    FreezeOthers(s, r->serial, freeze);
    return 0;
}

void InetReleaseEvents(InetSocket* record) {
    if (record->eventWindow) {
        WsAsyncSelect(record->socket, record->eventWindow, 0, 0);
        InetAttachWindow(record, nullptr);
    }
    if (record->freezeNesting > 0) {
        // The sockets this one froze around its secure work are thawed with it.
        record->freezeNesting = 0;
        FreezeOthers(record->socket, record->serial, false);
    }
}

// The asynchronous notification of a socket, on its event window.
void InetHandleSocketMessage(HWND window, UINT message, WPARAM first, LPARAM second) {
    const SOCKET s = static_cast<SOCKET>(first);
    InetSocket* r = InetPeekSocket(s);
    // Unknown, aborted, or a notification left from an earlier window or mode: passed on only.
    if (!r || r->aborted || message != r->asyncMessage || r->eventWindow != window) return;
    const uint64_t serial = r->serial;
    const bool secure = r->IsSecure();
    if (secure) InetFreezeOtherEvents(s, true);
    const WORD event = WSAGETSELECTEVENT(second);
    const WORD error = WSAGETSELECTERROR(second);
    if (r->frozen) {
        r->recordedEvents |= event;
        if (event & FD_CONNECT) r->recordedConnectError = error;
    } else {
        if (error != 0) InetStoreLastError(error);
        switch (event) {
        case FD_READ: InetDispatchEvent(s, INET_EVENT_READ, error); break;
        case FD_WRITE: InetDispatchEvent(s, INET_EVENT_WRITE, error); break;
        case FD_ACCEPT: InetDispatchEvent(s, INET_EVENT_ACCEPT, error); break;
        case FD_CONNECT: {
            ReadLocalName(r);
            DWORD failure = error;
            if (error == 0 && secure && r->IsTcp()) {
                // The handshake runs with the socket's own notifications set aside; a failed
                // handshake is the connect's failure, the certificate check's result is not.
                const bool suspended = SuspendEvents(r);
                if (InetClientHandshake(s)) {
                    InetVerifyCertificate(s);
                } else {
                    failure = InetGetLastError() & 0xFFFFu;
                    if (failure == 0) failure = kErrSecurityContext;
                }
                r = InetFindRecord(s, serial);
                if (r && failure == 0) r->connected = true;
                ResumeEvents(s, serial, suspended);
                if (!r) break;
            } else if (error == 0) {
                r->connected = true;
            }
            if (failure != 0) InetStoreLastError(failure);
            InetDispatchEvent(s, INET_EVENT_CONNECT, failure);
            // A failed connect closes its socket: the same record only, never a new socket
            // that a handler opened meanwhile with the same value.
            if (failure != 0 && InetFindRecord(s, serial)) InetCloseSocket(s);
            break;
        }
        case FD_CLOSE:
            if (!r->listening) {
                r->remoteClosed = true;
                InetDispatchEvent(s, INET_EVENT_DISCONNECT, error);
            }
            break;
        default:
            break;  // out-of-band and anything else: nothing
        }
    }
    if (secure && InetFindRecord(s, serial)) InetFreezeOtherEvents(s, false);
}

}  // namespace inet

using namespace inet;

extern "C" {

INT WINAPI InetEnableEvents(SOCKET hSocket, HWND hWnd, UINT uMsg) {
    InetSocket* r = InetFindSocket(hSocket);
    if (!r) return -1;
    if (int rc = InetEnableEventsOn(r, hWnd, uMsg)) {
        InetStoreLastError(static_cast<DWORD>(rc));
        return -1;
    }
    return 0;
}

INT WINAPI InetDisableEvents(SOCKET hSocket) {
    InetSocket* r = InetFindSocket(hSocket);
    if (!r) return -1;
    if (int rc = InetSelectEvents(r, nullptr, 0)) {
        InetStoreLastError(static_cast<DWORD>(rc));
        return -1;
    }
    for (int slot = 0; slot < kEventSlots; ++slot) {
        r->callbacks[slot] = nullptr;
        r->callbackParams[slot] = nullptr;
    }
    r->notifyWindow = nullptr;
    r->notifyMessage = 0;
    return 0;
}

INT WINAPI InetRegisterEvent(SOCKET hSocket, UINT nEventMask, INETEVENTPROC lpfnCallback, LPVOID lpParam) {
    InetSocket* r = InetFindSocket(hSocket);
    if (!r) return -1;
    for (int slot = 0; slot < kEventSlots; ++slot) {
        if (nEventMask & (1u << slot)) {
            r->callbacks[slot] = lpfnCallback;
            r->callbackParams[slot] = lpParam;
        }
    }
    return 0;
}

INT WINAPI InetFreezeEvents(SOCKET hSocket, BOOL bFreeze) {
    InetSocket* r = InetFindSocket(hSocket);
    if (!r) return -1;
    if (!r->eventWindow || r->dispatching) return 0;
    // The caller's own freeze or thaw: no longer the doing of another socket's secure work.
    r->frozenBy = 0;
    InetFreezeRecord(r, bFreeze != FALSE);
    return 0;
}

}  // extern "C"
