// Delivery of a socket's events to its callbacks and notification window.
#include "SocketEvents.h"

#include "LibraryCore.h"
#include "WinsockBinding.h"

namespace inet {
namespace {

int SlotOf(DWORD eventBit) {
    for (int slot = 0; slot < kEventSlots; ++slot)
        if (eventBit == (1u << slot)) return slot;
    return -1;
}

}  // namespace

LRESULT InetDispatchEvent(SOCKET s, DWORD eventBit, DWORD error) {
    InetSocket* r = InetLookupSocket(s, true);
    if (!r) return -1;
    if (r->frozen) return 0;
    const uint64_t serial = r->serial;
    r->dispatching = true;
    LRESULT result = 0;
    int slot = SlotOf(eventBit);
    if (slot >= 0 && r->callbacks[slot]) r->callbacks[slot](s, eventBit, error, r->callbackParams[slot]);
    // The callback may have closed the socket.
    r = InetFindRecord(s, serial);
    if (r && r->notifyWindow)
        result = SendMessageA(r->notifyWindow, r->notifyMessage, static_cast<WPARAM>(s),
                              MAKELPARAM(static_cast<WORD>(eventBit), static_cast<WORD>(error)));
    if ((r = InetFindRecord(s, serial))) r->dispatching = false;
    return result;
}

int InetSelectEvents(InetSocket* record, HWND window, UINT message) {
    if (record->dispatching) return WSAEINPROGRESS;
    if (!window) {
        if (record->eventWindow) WsAsyncSelect(record->socket, record->eventWindow, 0, 0);
        // Blocking mode: the library's own pumped wait, over non-blocking platform calls, so
        // a call whose data is already there costs no wait at all.
        u_long nonBlocking = 1;
        WsIoctlSocket(record->socket, FIONBIO, &nonBlocking);
        return 0;
    }
    if (!IsWindow(window) || message < 1024) return kErrInvalidParameter;
    // Event mode arrives with the window subclassing of the event layer.
    return kErrNotImplemented;
}

}  // namespace inet

using namespace inet;

extern "C" INT WINAPI InetRegisterEvent(SOCKET hSocket, UINT nEventMask, INETEVENTPROC lpfnCallback, LPVOID lpParam) {
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
