// INETSOCKET records and the process-wide table of 1024 socket slots.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <memory>

#include "SecureFields.h"
#include "Tetherline.h"

namespace inet {

constexpr int kSocketSlots = 1024;
constexpr int kSecureBufferSize = 64 * 1024;
constexpr int kDefaultTimeout = 60;
constexpr int kEventSlots = 7;

struct InetSocket {
    SOCKET socket = INVALID_SOCKET;
    DWORD ownerThread = 0;
    HWND eventWindow = nullptr;
    HWND notifyWindow = nullptr;
    UINT asyncMessage = 0;
    UINT notifyMessage = 0;
    DWORD recordedEvents = 0;
    // The error of a connect event recorded while frozen, posted again with it.
    DWORD recordedConnectError = 0;
    WNDPROC previousProc = nullptr;
    bool aborted = false;
    bool blocking = false;
    bool cancelled = false;
    bool remoteClosed = false;
    bool connected = false;
    bool frozen = false;
    bool dispatching = false;
    bool listening = false;
    DWORD bytesReceived = 0;
    DWORD bytesSent = 0;
    DWORD options = 0;
    DWORD localAddress = 0;
    DWORD remoteAddress = 0xFFFFFFFFu;
    u_short localPort = 0;   // network byte order
    u_short remotePort = 0;  // network byte order
    int family = AF_INET;
    int type = SOCK_STREAM;
    int protocol = IPPROTO_TCP;
    int timeout = kDefaultTimeout;  // seconds
    int status = INET_STATUS_IDLE;
    INETEVENTPROC callbacks[kEventSlots] = {};
    LPVOID callbackParams[kEventSlots] = {};
    int freezeNesting = 0;
    // The serial of the socket whose InetFreezeOtherEvents froze this one, 0 when none did.
    uint64_t frozenBy = 0;
    char hostName[129] = {};
    // The secure layer: its fields, the encrypted input buffer and the decrypted (plaintext)
    // buffer, 64 KB each.
    SecureFields security;
    std::unique_ptr<char[]> secureIn;
    std::unique_ptr<char[]> secureOut;
    // Tells this record from a later one that got the same socket value.
    uint64_t serial = 0;

    bool IsTcp() const { return protocol == IPPROTO_TCP; }
    bool IsSecure() const { return (options & INET_OPTION_SECURE) != 0; }
};

// A new record for a socket value, with the secure buffers (null when out of memory).
std::unique_ptr<InetSocket> InetNewRecord(SOCKET s);
// Stores a record in the first free slot: 0 or 10024. Called under the lock.
int InetStoreRecord(std::unique_ptr<InetSocket> record);
// True when a slot is free. Called under the lock.
bool InetHasFreeSlot();

// The calling thread's record for a socket, or null with last error 10038.
InetSocket* InetFindSocket(SOCKET s);
// The same with the thread test optional.
InetSocket* InetLookupSocket(SOCKET s, bool checkThread);
// The calling thread's record when it is still the one with that serial; no error set.
InetSocket* InetFindRecord(SOCKET s, uint64_t serial);
// The calling thread's record for a socket, or null; no error is set.
InetSocket* InetPeekSocket(SOCKET s);
// Counts the open sockets (of the calling thread only, when asked), storing the first
// `capacity` values in `sockets` when given; the full count.
int InetListSockets(SOCKET* sockets, int capacity, bool thisThreadOnly);

// Creates a Windows socket with its record: the socket, or INVALID_SOCKET with the error set.
SOCKET InetCreateSocket(int family, int type, int protocol);
// Maps 6, 17 and 255 to stream, datagram and raw sockets (else 10041).
SOCKET InetOpenSocket(int protocol);
// Destroys the calling thread's record of a socket and closes it; keeps the last error. An
// abortive close skips the graceful shutdown, so a zero linger resets the connection.
void InetCloseSocket(SOCKET s, bool abortive = false);
// Hands every open socket to the calling thread and closes it.
void InetCloseAllSockets();

}  // namespace inet
