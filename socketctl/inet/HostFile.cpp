// Loading a host file into the thread's host table, and the table lookup.
#include <cstring>
#include <new>
#include <string>

#include "AddressParser.h"
#include "HostTable.h"
#include "LibraryCore.h"
#include "Tetherline.h"
#include "TextConvert.h"

using namespace inet;

namespace {

constexpr DWORD kNoAddress = 0xFFFFFFFFu;
constexpr size_t kEntryBufferSize = 1024;
constexpr size_t kAddressFieldMax = 127;
// Host files beyond this size are refused as a memory failure rather than read whole.
constexpr DWORD kHostFileMax = 64u * 1024u * 1024u;
constexpr int kErrInvalidHostAddress = 12005;

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return h_; }
    bool ok() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

// Compacts the file's text into `table` (zero-filled, size + 2): one zero-terminated
// entry per non-empty line, fields separated by one space, comments and blanks dropped.
int CompactHostFile(const char* text, size_t size, char* table) {
    size_t out = 0;
    size_t lineStart = 0;
    bool comment = false;
    int entries = 0;
    auto endLine = [&] {
        if (out > lineStart && table[out - 1] == ' ') --out;
        if (out > lineStart) {
            table[out++] = '\0';
            ++entries;
        }
        lineStart = out;
        comment = false;
    };
    for (size_t i = 0; i < size; ++i) {
        char c = text[i];
        if (c == '\r') continue;
        if (c == '\n') {
            endLine();
            continue;
        }
        if (comment) continue;
        if (c == '#') {
            comment = true;
            continue;
        }
        if (static_cast<unsigned char>(c) < '!') {
            if (out == lineStart || table[out - 1] == ' ') continue;
            c = ' ';
        }
        table[out++] = c;
    }
    endLine();
    return entries;
}

bool ReadWhole(HANDLE file, char* data, DWORD size) {
    DWORD done = 0;
    while (done < size) {
        DWORD got = 0;
        if (!ReadFile(file, data + done, size - done, &got, nullptr) || got == 0) return false;
        done += got;
    }
    return true;
}

// Unpacks one table entry into the host entry buffer; false when the entry does not hold an
// address followed by at least one name, or does not fit the buffer.
bool UnpackEntry(const char* entry, char* buffer, DWORD* address) {
    const char* space = std::strchr(entry, ' ');
    if (!space || space == entry || static_cast<size_t>(space - entry) > kAddressFieldMax) return false;
    char field[kAddressFieldMax + 1];
    std::memcpy(field, entry, static_cast<size_t>(space - entry));
    field[space - entry] = '\0';
    DWORD addr = InetParseAddress(field);
    if (addr == 0 || addr == kNoAddress) return false;
    const char* names = space + 1;
    if (!*names) return false;
    size_t nameCount = 1;
    for (const char* p = names; *p; ++p)
        if (*p == ' ') ++nameCount;
    const size_t namesLen = std::strlen(names) + 1;

    // Layout: hostent, alias pointers (aliases + null), address pointers (one + null), the
    // address, then the names.
    const size_t pointerArea = sizeof(hostent) + (nameCount + 2) * sizeof(char*);
    const size_t need = pointerArea + sizeof(DWORD) + namesLen;
    if (need > kEntryBufferSize) return false;
    std::memset(buffer, 0, kEntryBufferSize);
    auto* host = reinterpret_cast<hostent*>(buffer);
    auto** aliases = reinterpret_cast<char**>(buffer + sizeof(hostent));
    char** addresses = aliases + nameCount;
    char* addrBytes = buffer + pointerArea;
    char* text = addrBytes + sizeof(DWORD);
    std::memcpy(addrBytes, &addr, sizeof addr);
    std::memcpy(text, names, namesLen);
    size_t alias = 0;
    for (char* p = text; *p; ++p) {
        if (*p != ' ') continue;
        *p = '\0';
        aliases[alias++] = p + 1;
    }
    aliases[alias] = nullptr;
    addresses[0] = addrBytes;
    addresses[1] = nullptr;
    host->h_name = text;
    host->h_aliases = aliases;
    host->h_addrtype = AF_INET;
    host->h_length = 4;
    host->h_addr_list = addresses;
    *address = addr;
    return true;
}

}  // namespace

namespace inet {

hostent* InetLookupHostTable(const char* name, DWORD* address) {
    InetThread* thread = InetGetThreadData();
    if (!thread) {
        InetStoreLastError(WSANOTINITIALISED);
        return nullptr;
    }
    if (!thread->hostTable) {
        InetStoreLastError(0);
        return nullptr;
    }
    if (!thread->hostEntry) {
        thread->hostEntry.reset(new (std::nothrow) char[kEntryBufferSize]);
        if (!thread->hostEntry) {
            InetStoreLastError(kErrOutOfMemory);
            return nullptr;
        }
    }
    bool byName = name && *name;
    DWORD wanted = kNoAddress;
    if (byName) {
        DWORD parsed = InetParseAddress(name);
        if (parsed != kNoAddress) {
            byName = false;
            wanted = parsed;
        } else if (address) {
            *address = kNoAddress;
        }
    } else {
        if (!address) {
            InetStoreLastError(kErrInvalidParameter);
            return nullptr;
        }
        wanted = *address;
        if (wanted == 0 || wanted == kNoAddress) {
            InetStoreLastError(kErrInvalidHostAddress);
            return nullptr;
        }
    }
    char* buffer = thread->hostEntry.get();
    for (const char* entry = thread->hostTable.get(); *entry; entry += std::strlen(entry) + 1) {
        DWORD found;
        if (!UnpackEntry(entry, buffer, &found)) continue;
        auto* host = reinterpret_cast<hostent*>(buffer);
        if (byName) {
            bool match = lstrcmpiA(host->h_name, name) == 0;
            for (char** alias = host->h_aliases; !match && *alias; ++alias)
                match = lstrcmpiA(*alias, name) == 0;
            if (!match) continue;
            if (address) *address = found;
            return host;
        }
        if (found == wanted) return host;
    }
    InetStoreLastError(kErrInvalidHostname);
    return nullptr;
}

}  // namespace inet

extern "C" {

INT WINAPI InetGetDefaultHostFileA(LPSTR lpszBuffer, INT nMaxLength) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    char dir[MAX_PATH + 1] = {};
    std::string path;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        UINT n = GetWindowsDirectoryA(dir, MAX_PATH);
        if (n < MAX_PATH) path.assign(dir, n);
    } else {
        UINT n = GetSystemDirectoryA(dir, MAX_PATH);
        if (n < MAX_PATH) path.assign(dir, n);
        path += "\\drivers\\etc";
    }
    path += "\\hosts";
    if (lpszBuffer && nMaxLength > 0) return CopyToNarrow(path.c_str(), lpszBuffer, nMaxLength);
    return static_cast<INT>(path.size());
}

INT WINAPI InetGetDefaultHostFileW(LPWSTR lpszBuffer, INT nMaxLength) {
    char path[MAX_PATH + 32];
    InetGetDefaultHostFileA(path, sizeof path);
    if (lpszBuffer && nMaxLength > 0) return CopyToWide(path, lpszBuffer, nMaxLength);
    return static_cast<INT>(ToWide(path).size());
}

INT WINAPI InetSetHostFileA(LPCSTR lpszFileName) {
    InetThread* thread = InetGetThreadData();
    if (!thread) {
        InetStoreLastError(WSANOTINITIALISED);
        return -1;
    }
    thread->hostTable.reset();
    thread->hostFile.clear();
    if (!lpszFileName || !*lpszFileName) return 0;

    char full[MAX_PATH + 1] = {};
    DWORD found = SearchPathA(nullptr, lpszFileName, nullptr, MAX_PATH, full, nullptr);
    if (found == 0 || found >= MAX_PATH) {
        InetStoreLastError(kErrFileNotFound);
        return -1;
    }
    FileHandle file(CreateFileA(full, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.ok()) {
        InetStoreLastError(kErrFileNotFound);
        return -1;
    }
    DWORD high = 0;
    DWORD size = GetFileSize(file.get(), &high);
    if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        InetStoreLastError(kErrFileNotFound);
        return -1;
    }
    if (high != 0 || size > kHostFileMax) {
        InetStoreLastError(kErrOutOfMemory);
        return -1;
    }
    std::unique_ptr<char[]> text(new (std::nothrow) char[size + 1]);
    std::unique_ptr<char[]> table(new (std::nothrow) char[size + 2]());
    if (!text || !table) {
        InetStoreLastError(kErrOutOfMemory);
        return -1;
    }
    if (!ReadWhole(file.get(), text.get(), size)) {
        InetStoreLastError(kErrAccessDenied);
        return -1;
    }
    int entries = CompactHostFile(text.get(), size, table.get());
    if (entries == 0) return 0;
    thread->hostTable = std::move(table);
    thread->hostFile.assign(full, found);
    return entries;
}

INT WINAPI InetSetHostFileW(LPCWSTR lpszFileName) {
    NarrowArg name(lpszFileName);
    return InetSetHostFileA(name.get());
}

INT WINAPI InetGetHostFileA(LPSTR lpszBuffer, INT nMaxLength) {
    InetThread* thread = InetGetThreadData();
    if (!thread) {
        InetStoreLastError(WSANOTINITIALISED);
        return 0;
    }
    if (!thread->hostTable) {
        InetStoreLastError(0);
        return 0;
    }
    if (lpszBuffer && nMaxLength > 0) return CopyToNarrow(thread->hostFile.c_str(), lpszBuffer, nMaxLength);
    return static_cast<INT>(thread->hostFile.size());
}

INT WINAPI InetGetHostFileW(LPWSTR lpszBuffer, INT nMaxLength) {
    InetThread* thread = InetGetThreadData();
    if (!thread) {
        InetStoreLastError(WSANOTINITIALISED);
        return 0;
    }
    if (!thread->hostTable) {
        InetStoreLastError(0);
        return 0;
    }
    if (lpszBuffer && nMaxLength > 0) return CopyToWide(thread->hostFile.c_str(), lpszBuffer, nMaxLength);
    return static_cast<INT>(ToWide(thread->hostFile.c_str()).size());
}

}  // extern "C"
