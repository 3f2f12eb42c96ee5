// Dotted addresses, host addresses and names, the local host's name and a host's aliases.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "AddressParser.h"
#include "HostTable.h"
#include "LibraryCore.h"
#include "Tetherline.h"
#include "TextConvert.h"
#include "WinsockBinding.h"

using namespace inet;

namespace {

constexpr DWORD kNoAddress = 0xFFFFFFFFu;
// Room for any host name the platform or a host table entry can give.
constexpr int kNameChars = 1024;

// A failed platform lookup: its Windows Sockets error, or 11001 when it left none.
void StoreLookupError() {
    if (InetSetWinsockError() == 0) InetStoreLastError(kErrInvalidHostname);
}

}  // namespace

extern "C" {

DWORD WINAPI InetGetAddressA(LPCSTR lpszAddress) {
    if (!lpszAddress || !*lpszAddress) {
        InetStoreLastError(kErrInvalidHostname);
        return kNoAddress;
    }
    DWORD address = InetParseAddress(lpszAddress);
    if (address == kNoAddress) InetStoreLastError(kErrInvalidHostname);
    return address;
}

DWORD WINAPI InetGetAddressW(LPCWSTR lpszAddress) {
    NarrowArg text(lpszAddress);
    return InetGetAddressA(text.get());
}

void WINAPI InetFormatAddressA(DWORD dwAddress, LPSTR lpszBuffer, INT nMaxLength) {
    if (!lpszBuffer || nMaxLength <= 0) return;
    const auto* b = reinterpret_cast<const unsigned char*>(&dwAddress);
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", b[0], b[1], b[2], b[3]);
    CopyToNarrow(text, lpszBuffer, nMaxLength);
}

void WINAPI InetFormatAddressW(DWORD dwAddress, LPWSTR lpszBuffer, INT nMaxLength) {
    if (!lpszBuffer || nMaxLength <= 0) return;
    char text[16];
    InetFormatAddressA(dwAddress, text, sizeof text);
    CopyToWide(text, lpszBuffer, nMaxLength);
}

DWORD WINAPI InetGetHostAddressA(LPCSTR lpszHostName) {
    if (!InetCheckInitialized()) return kNoAddress;
    if (!lpszHostName || !*lpszHostName) {
        InetStoreLastError(kErrInvalidHostname);
        return kNoAddress;
    }
    DWORD address = InetParseAddress(lpszHostName);
    if (address != kNoAddress) return address;
    if (InetLookupHostTable(lpszHostName, &address)) return address;
    hostent* entry = WsGetHostByName(lpszHostName);
    if (!entry || entry->h_addrtype != AF_INET || entry->h_length != 4 || !entry->h_addr_list ||
        !entry->h_addr_list[0]) {
        InetStoreLastError(kErrInvalidHostname);
        return kNoAddress;
    }
    std::memcpy(&address, entry->h_addr_list[0], sizeof address);
    return address;
}

DWORD WINAPI InetGetHostAddressW(LPCWSTR lpszHostName) {
    NarrowArg host(lpszHostName);
    return InetGetHostAddressA(host.get());
}

INT WINAPI InetGetHostNameA(DWORD dwAddress, LPSTR lpszBuffer, INT nMaxLength) {
    if (!InetCheckInitialized()) return -1;
    if (!lpszBuffer || nMaxLength <= 0) {
        InetStoreLastError(kErrInvalidParameter);
        return -1;
    }
    if (dwAddress == 0 || dwAddress == kNoAddress) {
        InetStoreLastError(WSAEDESTADDRREQ);
        return -1;
    }
    DWORD address = dwAddress;
    hostent* entry = InetLookupHostTable(nullptr, &address);
    if (!entry) entry = WsGetHostByAddr(reinterpret_cast<const char*>(&dwAddress), 4, AF_INET);
    if (!entry || !entry->h_name) {
        StoreLookupError();
        return -1;
    }
    CopyToNarrow(entry->h_name, lpszBuffer, nMaxLength);
    return 0;
}

INT WINAPI InetGetHostNameW(DWORD dwAddress, LPWSTR lpszBuffer, INT nMaxLength) {
    if (!lpszBuffer || nMaxLength <= 0) {
        if (!InetCheckInitialized()) return -1;
        InetStoreLastError(kErrInvalidParameter);
        return -1;
    }
    char name[kNameChars];
    int result = InetGetHostNameA(dwAddress, name, sizeof name);
    if (result == 0) CopyToWide(name, lpszBuffer, nMaxLength);
    return result;
}

INT WINAPI InetGetLocalNameA(LPSTR lpszBuffer, INT nMaxLength) {
    if (!lpszBuffer || nMaxLength <= 0) {
        InetStoreLastError(kErrInvalidParameter);
        return -1;
    }
    if (WsGetHostName(lpszBuffer, nMaxLength) != 0) {
        lpszBuffer[0] = '\0';
        InetStoreLastError(kErrNoLocalHostName);
        return -1;
    }
    lpszBuffer[nMaxLength - 1] = '\0';
    return 0;
}

INT WINAPI InetGetLocalNameW(LPWSTR lpszBuffer, INT nMaxLength) {
    if (!lpszBuffer || nMaxLength <= 0) {
        InetStoreLastError(kErrInvalidParameter);
        return -1;
    }
    // The narrow name gets as many bytes as the caller has characters.
    std::vector<char> name(static_cast<size_t>(nMaxLength < kNameChars ? nMaxLength : kNameChars));
    int result = InetGetLocalNameA(name.data(), static_cast<int>(name.size()));
    if (result == 0) CopyToWide(name.data(), lpszBuffer, nMaxLength);
    return result;
}

INT WINAPI InetEnumHostAliasesA(LPCSTR lpszHostName, LPSTR lpszBuffer, INT nMaxLength) {
    if (!InetCheckInitialized()) return -1;
    if (!lpszHostName || !*lpszHostName) {
        InetStoreLastError(kErrInvalidHostname);
        return -1;
    }
    hostent* entry;
    DWORD address = InetParseAddress(lpszHostName);
    if (address != kNoAddress) {
        entry = WsGetHostByAddr(reinterpret_cast<const char*>(&address), 4, AF_INET);
        if (!entry) {
            StoreLookupError();
            return -1;
        }
    } else {
        entry = WsGetHostByName(lpszHostName);
        if (!entry) {
            InetStoreLastError(kErrInvalidHostname);
            return -1;
        }
    }
    std::vector<const char*> names;
    if (entry->h_name) names.push_back(entry->h_name);
    for (char** alias = entry->h_aliases; alias && *alias; ++alias) names.push_back(*alias);

    size_t running = 0;
    for (const char* name : names) {
        const size_t len = std::strlen(name) + 1;
        if (lpszBuffer) {
            // The strings and the final zero must all fit.
            if (nMaxLength <= 0 || running + len >= static_cast<size_t>(nMaxLength)) {
                InetStoreLastError(kErrInvalidParameter);
                return -1;
            }
            std::memcpy(lpszBuffer + running, name, len);
        }
        running += len;
    }
    if (lpszBuffer) {
        if (nMaxLength <= 0 || running >= static_cast<size_t>(nMaxLength)) {
            InetStoreLastError(kErrInvalidParameter);
            return -1;
        }
        lpszBuffer[running] = '\0';
    }
    return static_cast<INT>(running + 1);
}

INT WINAPI InetEnumHostAliasesW(LPCWSTR lpszHostName, LPWSTR lpszBuffer, INT nMaxLength) {
    NarrowArg host(lpszHostName);
    int narrow = InetEnumHostAliasesA(host.get(), nullptr, 0);
    if (narrow < 0) return -1;
    if (!lpszBuffer || nMaxLength == 0) return narrow * 2;
    if (nMaxLength < narrow * 2) {
        InetStoreLastError(kErrInvalidParameter);
        return -1;
    }
    std::vector<char> list(static_cast<size_t>(narrow) + 1);
    if (InetEnumHostAliasesA(host.get(), list.data(), narrow + 1) < 0) return -1;
    // Each string keeps its narrow length in the wide list; the buffer holds narrow characters.
    const char* from = list.data();
    wchar_t* to = lpszBuffer;
    const wchar_t* end = lpszBuffer + narrow;
    while (*from && to < end - 1) {
        const size_t len = std::strlen(from) + 1;
        const int room = static_cast<int>(end - 1 - to);
        int made = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, from, static_cast<int>(len), to, room);
        if (made <= 0) {
            to[0] = L'\0';
            made = 1;
        }
        from += len;
        to += made;
    }
    *to = L'\0';
    return narrow * 2;
}

}  // extern "C"
