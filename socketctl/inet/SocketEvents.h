// Delivery of a socket's events to its callbacks and notification window, and the switch
// between blocking and event mode.
#pragma once
#include "SocketTable.h"

namespace inet {

constexpr UINT kAsyncMessage = 0x23FF;  // WM_INETASYNC

// Delivers one event bit with its error: the bit's callback, then the notification window.
// -1 for an unknown socket, 0 when frozen.
LRESULT InetDispatchEvent(SOCKET s, DWORD eventBit, DWORD error);
// Puts a socket into event mode on a window (message > 1023) or, with no window, back into
// blocking I/O; 0 or an error number.
int InetSelectEvents(InetSocket* record, HWND window, UINT message);

}  // namespace inet
