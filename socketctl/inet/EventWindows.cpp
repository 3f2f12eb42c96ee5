// InetWindowTable: the windows subclassed for event-mode sockets, their replacement window
// procedure, the detaching of a destroyed window's sockets, and the restoring at detach.
#include <array>

#include "LibraryCore.h"
#include "SocketEvents.h"
#include "WinsockBinding.h"

namespace inet {

LRESULT CALLBACK InetSocketWindowProc(HWND window, UINT message, WPARAM first, LPARAM second);
// The asynchronous notification of one socket (SocketEvents.cpp).
void InetHandleSocketMessage(HWND window, UINT message, WPARAM first, LPARAM second);

namespace {

struct WindowEntry {
    HWND window = nullptr;
    WNDPROC previous = nullptr;
    LONG references = 0;
    // Subclassed through the wide functions (the window was a Unicode window then).
    bool unicode = false;
};

struct WindowTable {
    std::array<WindowEntry, kWindowSlots> entries;
    int used = 0;  // entries ever used
};
WindowTable g;

WNDPROC OwnProcedure() { return &InetSocketWindowProc; }

int Find(HWND window) {
    for (int i = 0; i < g.used; ++i)
        if (g.entries[i].window == window) return i;
    return -1;
}

LONG_PTR ReadProcedure(const WindowEntry& e) {
    return e.unicode ? GetWindowLongPtrW(e.window, GWLP_WNDPROC) : GetWindowLongPtrA(e.window, GWLP_WNDPROC);
}

void WriteProcedure(const WindowEntry& e, LONG_PTR procedure) {
    if (e.unicode) SetWindowLongPtrW(e.window, GWLP_WNDPROC, procedure);
    else SetWindowLongPtrA(e.window, GWLP_WNDPROC, procedure);
}

// The entry of a window, made (and the window subclassed) when it has none: the last empty
// entry found while scanning, else a new one at the end. -1 with the error number in `error`.
int FindOrCreate(HWND window, int* error) {
    int empty = -1;
    for (int i = 0; i < g.used; ++i) {
        if (g.entries[i].window == window) return i;
        if (!g.entries[i].window) empty = i;
    }
    int slot = empty >= 0 ? empty : (g.used < kWindowSlots ? g.used : -1);
    if (slot < 0) {
        *error = kErrNoHandles;
        return -1;
    }
    WindowEntry e;
    e.window = window;
    e.unicode = IsWindowUnicode(window) != FALSE;
    SetLastError(0);
    LONG_PTR previous = e.unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OwnProcedure()))
                                  : SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OwnProcedure()));
    if (!previous && GetLastError() != 0) {
        *error = kErrInvalidParameter;
        return -1;
    }
    e.previous = reinterpret_cast<WNDPROC>(previous);
    g.entries[slot] = e;
    if (slot == g.used) ++g.used;
    return slot;
}

// Frees an entry, giving the window its previous procedure back when the library's is still
// the window's own (a later subclasser above it keeps calling through the entry, which then
// stays, unused, until the window goes).
void Release(int slot, bool windowGoing) {
    WindowEntry& e = g.entries[slot];
    if (!windowGoing && IsWindow(e.window)) {
        if (ReadProcedure(e) != reinterpret_cast<LONG_PTR>(OwnProcedure())) return;
        WriteProcedure(e, reinterpret_cast<LONG_PTR>(e.previous));
    }
    e = WindowEntry{};
    while (g.used > 0 && !g.entries[g.used - 1].window) --g.used;
}

// One socket less on a window: at none the window gets its procedure back.
void Leave(HWND window) {
    int slot = Find(window);
    if (slot < 0) return;
    if (--g.entries[slot].references > 0) return;
    g.entries[slot].references = 0;
    Release(slot, false);
}

// WM_NCDESTROY: every socket on the window is detached from it (its asynchronous selection
// cancelled, back to blocking mode) and loses the window as notification target; the window
// gets its procedure back and its entry is freed.
void DetachDestroyedWindow(HWND window) {
    KeepLastError keep;
    SOCKET sockets[kSocketSlots];
    int count = InetListSockets(sockets, kSocketSlots, false);
    for (int i = 0; i < count && i < kSocketSlots; ++i) {
        InetSocket* r = InetLookupSocket(sockets[i], false);
        if (!r) continue;
        if (r->eventWindow == window) {
            WsAsyncSelect(r->socket, window, 0, 0);
            LibraryLock lock;
            r->eventWindow = nullptr;
            r->previousProc = nullptr;
            r->recordedEvents = 0;
            r->recordedConnectError = 0;
        }
        if (r->notifyWindow == window) {
            r->notifyWindow = nullptr;
            r->notifyMessage = 0;
        }
    }
    LibraryLock lock;
    int slot = Find(window);
    if (slot < 0) return;
    // The window is going: its procedure is put back only where the library's is on top.
    WindowEntry& e = g.entries[slot];
    if (ReadProcedure(e) == reinterpret_cast<LONG_PTR>(OwnProcedure()))
        WriteProcedure(e, reinterpret_cast<LONG_PTR>(e.previous));
    Release(slot, true);
}

LRESULT CallPrevious(WNDPROC previous, bool unicode, HWND window, UINT message, WPARAM first, LPARAM second) {
    if (!previous)
        return unicode ? DefWindowProcW(window, message, first, second) : DefWindowProcA(window, message, first, second);
    return unicode ? CallWindowProcW(previous, window, message, first, second)
                   : CallWindowProcA(previous, window, message, first, second);
}

}  // namespace

int InetAttachWindow(InetSocket* record, HWND window) {
    KeepLastError keep;
    LibraryLock lock;
    HWND old = record->eventWindow;
    if (old == window) return 0;
    int slot = -1;
    if (window) {
        int error = 0;
        slot = FindOrCreate(window, &error);
        if (slot < 0) return error;
        ++g.entries[slot].references;
    }
    if (old) Leave(old);
    record->eventWindow = window;
    record->previousProc = window ? g.entries[slot].previous : nullptr;
    return 0;
}

void InetRestoreWindows() {
    LibraryLock lock;
    for (int i = 0; i < g.used; ++i) {
        WindowEntry& e = g.entries[i];
        if (e.window && IsWindow(e.window) && ReadProcedure(e) == reinterpret_cast<LONG_PTR>(OwnProcedure()))
            WriteProcedure(e, reinterpret_cast<LONG_PTR>(e.previous));
        e = WindowEntry{};
    }
    g.used = 0;
}

int InetWindowCount() {
    LibraryLock lock;
    int count = 0;
    for (int i = 0; i < g.used; ++i)
        if (g.entries[i].window) ++count;
    return count;
}

LRESULT CALLBACK InetSocketWindowProc(HWND window, UINT message, WPARAM first, LPARAM second) {
    WNDPROC previous = nullptr;
    bool unicode = false;
    bool found = false;
    {
        LibraryLock lock;
        int slot = Find(window);
        if (slot >= 0) {
            found = true;
            previous = g.entries[slot].previous;
            unicode = g.entries[slot].unicode;
        }
    }
    if (!found) {
        // Only a window whose procedure could not be put back (a later subclasser kept the
        // library's) gets here: the default handling keeps it alive.
        return IsWindowUnicode(window) ? DefWindowProcW(window, message, first, second)
                                       : DefWindowProcA(window, message, first, second);
    }
    if (message < kFirstUserMessage) {
        if (message == WM_NCDESTROY) DetachDestroyedWindow(window);
    } else {
        InetHandleSocketMessage(window, message, first, second);
    }
    // The entry may be gone now (the last socket closed, or the window destroyed): the
    // procedure read before still is the one to call.
    return CallPrevious(previous, unicode, window, message, first, second);
}

}  // namespace inet
