// INETSOCKET records and the process-wide table of 1024 socket slots.
#include "SocketTable.h"

#include <array>
#include <new>
#include <vector>

#include "LibraryCore.h"
#include "SecurityInterface.h"
#include "SocketEvents.h"
#include "WinsockBinding.h"

namespace inet {
namespace {

struct SocketTable {
    std::array<std::unique_ptr<InetSocket>, kSocketSlots> slots;
    int highWater = 0;  // slots ever used
    uint64_t nextSerial = 1;
};
SocketTable g;

// The slot a new socket takes: the first empty one below the high-water count, else the
// next one; -1 when all are used.
int FreeSlot() {
    for (int i = 0; i < g.highWater; ++i)
        if (!g.slots[i]) return i;
    return g.highWater < kSocketSlots ? g.highWater : -1;
}

InetSocket* Lookup(SOCKET s, bool checkThread) {
    DWORD thread = GetCurrentThreadId();
    for (int i = 0; i < g.highWater; ++i) {
        InetSocket* r = g.slots[i].get();
        if (r && r->socket == s && (!checkThread || r->ownerThread == thread)) return r;
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<InetSocket> InetNewRecord(SOCKET s) {
    std::unique_ptr<InetSocket> r(new (std::nothrow) InetSocket);
    if (!r) return nullptr;
    r->secureIn.reset(new (std::nothrow) char[kSecureBufferSize]);
    r->secureOut.reset(new (std::nothrow) char[kSecureBufferSize]);
    if (!r->secureIn || !r->secureOut) return nullptr;
    r->socket = s;
    r->ownerThread = GetCurrentThreadId();
    return r;
}

bool InetHasFreeSlot() { return FreeSlot() >= 0; }

int InetStoreRecord(std::unique_ptr<InetSocket> record) {
    int slot = FreeSlot();
    if (slot < 0) return kErrNoHandles;
    record->serial = g.nextSerial++;
    g.slots[slot] = std::move(record);
    if (slot == g.highWater) ++g.highWater;
    return 0;
}

InetSocket* InetLookupSocket(SOCKET s, bool checkThread) {
    InetSocket* r;
    {
        LibraryLock lock;
        r = Lookup(s, checkThread);
    }
    if (!r) InetStoreLastError(WSAENOTSOCK);
    return r;
}

InetSocket* InetFindSocket(SOCKET s) { return InetLookupSocket(s, true); }

InetSocket* InetFindRecord(SOCKET s, uint64_t serial) {
    LibraryLock lock;
    InetSocket* r = Lookup(s, true);
    return r && r->serial == serial ? r : nullptr;
}

InetSocket* InetPeekSocket(SOCKET s) {
    LibraryLock lock;
    return Lookup(s, true);
}

int InetListSockets(SOCKET* sockets, int capacity, bool thisThreadOnly) {
    LibraryLock lock;
    DWORD thread = GetCurrentThreadId();
    int count = 0;
    for (int i = 0; i < g.highWater; ++i) {
        InetSocket* r = g.slots[i].get();
        if (!r || (thisThreadOnly && r->ownerThread != thread)) continue;
        if (sockets && count < capacity) sockets[count] = r->socket;
        ++count;
    }
    return count;
}

SOCKET InetCreateSocket(int family, int type, int protocol) {
    if (!InetCheckInitialized()) return INVALID_SOCKET;
    LibraryLock lock;
    if (!InetHasFreeSlot()) {
        InetStoreLastError(kErrNoHandles);
        return INVALID_SOCKET;
    }
    int recordType;
    switch (protocol) {
    case IPPROTO_TCP: recordType = SOCK_STREAM; break;
    case IPPROTO_UDP: recordType = SOCK_DGRAM; break;
    case IPPROTO_RAW: recordType = SOCK_RAW; break;
    default:
        InetStoreLastError(WSAEPROTOTYPE);
        return INVALID_SOCKET;
    }
    std::unique_ptr<InetSocket> r = InetNewRecord(INVALID_SOCKET);
    if (!r) {
        InetStoreLastError(kErrOutOfMemory);
        return INVALID_SOCKET;
    }
    SOCKET s = WsSocket(family, type, protocol);
    if (s == INVALID_SOCKET) {
        if (!InetSetWinsockError()) InetStoreLastError(WSAENOBUFS);
        return INVALID_SOCKET;
    }
    r->socket = s;
    r->family = family;
    r->type = recordType;
    r->protocol = protocol;
    InetStoreRecord(std::move(r));
    return s;
}

SOCKET InetOpenSocket(int protocol) {
    switch (protocol) {
    case IPPROTO_TCP: return InetCreateSocket(AF_INET, SOCK_STREAM, protocol);
    case IPPROTO_UDP: return InetCreateSocket(AF_INET, SOCK_DGRAM, protocol);
    case IPPROTO_RAW: return InetCreateSocket(AF_INET, SOCK_RAW, protocol);
    default:
        InetStoreLastError(WSAEPROTOTYPE);
        return INVALID_SOCKET;
    }
}

void InetCloseSocket(SOCKET s, bool abortive) {
    KeepLastError keep;
    std::unique_ptr<InetSocket> record;
    {
        LibraryLock lock;
        DWORD thread = GetCurrentThreadId();
        for (int i = 0; i < g.highWater; ++i) {
            InetSocket* r = g.slots[i].get();
            if (r && r->socket == s && r->ownerThread == thread) {
                record = std::move(g.slots[i]);
                break;
            }
        }
    }
    if (!record) return;
    // Detached from its event window; the buffers go with the record.
    InetReleaseEvents(record.get());
    if (record->IsSecure()) InetReleaseSecurity(record.get());
    if (abortive) {
        WsCloseSocketAbortive(s);
        return;
    }
    if (!record->listening) WsShutdown(s, SD_SEND);
    WsCloseSocket(s);
}

void InetCloseAllSockets() {
    std::vector<SOCKET> open;
    {
        LibraryLock lock;
        DWORD thread = GetCurrentThreadId();
        for (int i = 0; i < g.highWater; ++i) {
            if (InetSocket* r = g.slots[i].get()) {
                r->ownerThread = thread;
                open.push_back(r->socket);
            }
        }
    }
    for (SOCKET s : open) InetCloseSocket(s);
}

}  // namespace inet
