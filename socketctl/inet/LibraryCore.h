// The library's spine: attach and detach, the one lock, the per-thread records, the
// initialisation count and the last error.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <memory>
#include <string>

namespace inet {

constexpr DWORD kErrorBase = 0x80040000u;

// Library codes (the others are the Windows Sockets numbers).
enum InetCode : int {
    kErrNotHandleOwner = 10001,
    kErrFileNotFound = 10002,
    kErrCanceled = 10004,
    kErrOutOfMemory = 10012,
    kErrAccessDenied = 10013,
    kErrInvalidParameter = 10014,
    kErrBufferTooSmall = 10023,
    kErrNoHandles = 10024,
    kErrInvalidHostname = 11001,
    kErrNotImplemented = 12003,
    kErrNoLocalHostName = 12004,
    kErrInvalidEvent = 12008,
    kErrNotBlocking = 12009,
    kErrSecurityNotInitialized = 12101,
};

// INETTHREAD: one per thread that called an initialise function.
struct InetThread {
    DWORD lastError = 0;
    std::unique_ptr<char[]> hostTable;   // the thread's loaded host file
    std::string hostFile;                // its full path
    std::unique_ptr<char[]> hostEntry;   // 1024-byte host entry buffer
};

void InetLibraryAttach(HMODULE module);
void InetLibraryDetach();
HMODULE InetLibraryModule();

void InetLock();
void InetUnlock();
// Holds the library lock for one scope.
class LibraryLock {
public:
    LibraryLock() { InetLock(); }
    ~LibraryLock() { InetUnlock(); }
    LibraryLock(const LibraryLock&) = delete;
    LibraryLock& operator=(const LibraryLock&) = delete;
};

// The calling thread's record, or null; keeps the platform's last error as it was.
InetThread* InetGetThreadData();
// The initialisation count, or 0 with last error 10093.
int InetCheckInitialized();
// Makes the thread's Windows Sockets error the last error; the number, or 0 when none.
int InetSetWinsockError();
// Stores a code (1..0xFFFF become 0x80040000 | code) as thread, process and platform last error.
void InetStoreLastError(DWORD code);
DWORD InetReadLastError();

// Restores the caller's last error when it goes.
class KeepLastError {
public:
    KeepLastError() : saved_(InetReadLastError()), platform_(GetLastError()) {}
    ~KeepLastError() {
        InetStoreLastError(saved_);
        SetLastError(platform_);
    }
    KeepLastError(const KeepLastError&) = delete;
    KeepLastError& operator=(const KeepLastError&) = delete;

private:
    DWORD saved_;
    DWORD platform_;
};

}  // namespace inet
