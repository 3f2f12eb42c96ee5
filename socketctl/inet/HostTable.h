// The thread's host table: a loaded host file consulted before the platform's name service.
#pragma once
#include <winsock2.h>
#include <windows.h>

namespace inet {

// Looks a name (or, with a null or empty name, *address) up in the thread's host table. A
// name that is a dotted address becomes a lookup by address. On a match by name the address
// is stored through `address` when given. The entry lives in the thread's entry buffer until
// its next lookup; null when nothing matched (11001), no table is loaded (last error 0) or
// the thread has no record (10093).
hostent* InetLookupHostTable(const char* name, DWORD* address);

}  // namespace inet
