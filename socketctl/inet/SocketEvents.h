// Event notification: the switch between blocking and event mode, the delivery
// of a socket's events to its callbacks and notification window, freezing, and the window
// subclassing that receives the platform's asynchronous notifications.
#pragma once
#include "SocketTable.h"

namespace inet {

constexpr UINT kAsyncMessage = 0x23FF;  // WM_INETASYNC
constexpr UINT kFirstUserMessage = 1024;
constexpr int kWindowSlots = 1024;

// Delivers one event bit with its error: the bit's callback, then the notification window.
// -1 for an unknown socket, 0 when frozen.
LRESULT InetDispatchEvent(SOCKET s, DWORD eventBit, DWORD error);
// Puts a socket into event mode on a window of its owner thread (message > 1023) or, with no
// window, back into blocking I/O. The window, its thread and the message are checked before
// anything changes. 0 or an error number (10014, 10001, 10036, 10024 or the platform's).
int InetSelectEvents(InetSocket* record, HWND window, UINT message);
// Event mode with a notification window and message (the caller's): selects the events on
// that window unless the socket already has an event window. No window: blocking mode and
// no notification. 0 or an error number; a refused call changes nothing.
int InetEnableEventsOn(InetSocket* record, HWND window, UINT message);
// Freezes or unfreezes one record; unfreezing posts the recorded events again in the order
// accept, connect, close, read, write, out-of-band. No event window, or dispatching: unchanged.
void InetFreezeRecord(InetSocket* record, bool freeze);
// Freezes (1) or unfreezes (0) the calling thread's other sockets around secure work. An
// unfreeze undoes only what this socket's own freeze did. -1 unknown socket, else 0.
int InetFreezeOtherEvents(SOCKET s, bool freeze);

// Window subclassing (EventWindows.cpp).
// Moves a socket's event window: leaves the old one (its procedure back when no socket uses
// it any more) and subclasses the new one (null = none). 0, or 10024 when the table is full
// (the socket is then left with no event window).
int InetAttachWindow(InetSocket* record, HWND window);
// At library detach: every window gets its previous procedure back; the table is emptied.
void InetRestoreWindows();
// How many windows the table holds (for tests and checks).
int InetWindowCount();

// Called by InetCloseSocket for a record already taken out of the table: cancels its
// asynchronous selection, leaves its event window and thaws the sockets it froze.
void InetReleaseEvents(InetSocket* record);

}  // namespace inet
