// The texts of the library's error values, from its message table through FormatMessage.
#include <cstring>
#include <vector>

#include "LibraryCore.h"
#include "TextConvert.h"
#include "Tetherline.h"

namespace inet {
namespace {

constexpr int kInternalBufferSize = 512;
constexpr DWORD kUserDefaultLanguage = 0x400;

// Formats the text of `code` into buffer (size in characters) without trailing line breaks
// and blanks; its length, 0 when none was found.
int FormatErrorText(DWORD code, char* buffer, int size) {
    if (size <= 0) return 0;
    buffer[0] = '\0';
    // The library's own table is searched before the system's.
    const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS;
    char full[kInternalBufferSize];
    DWORD n = FormatMessageA(flags, InetLibraryModule(), code, kUserDefaultLanguage, full, sizeof full, nullptr);
    if (n == 0) n = FormatMessageA(flags, InetLibraryModule(), code, 0, full, sizeof full, nullptr);
    if (n == 0) return 0;
    full[sizeof full - 1] = '\0';
    size_t len = std::strlen(full);
    while (len > 0 && (full[len - 1] == '\n' || full[len - 1] == '\r' || full[len - 1] == ' ')) full[--len] = '\0';
    return CopyToNarrow(full, buffer, size);
}

}  // namespace
}  // namespace inet

using namespace inet;

extern "C" {

INT WINAPI InetGetErrorStringA(DWORD dwError, LPSTR lpszBuffer, INT nMaxLength) {
    char internal[kInternalBufferSize];
    char* target = lpszBuffer;
    int size = nMaxLength;
    if (!lpszBuffer) {
        target = internal;
        size = kInternalBufferSize;
    } else if (nMaxLength > 0) {
        lpszBuffer[0] = '\0';
    } else {
        return 0;
    }
    if (dwError == 0) dwError = InetReadLastError();
    if (dwError == 0) return 0;
    return FormatErrorText(dwError, target, size);
}

INT WINAPI InetGetErrorStringW(DWORD dwError, LPWSTR lpszBuffer, INT nMaxLength) {
    if (!lpszBuffer) return InetGetErrorStringA(dwError, nullptr, 0);
    if (nMaxLength <= 0) return 0;
    std::vector<char> narrow(static_cast<size_t>(nMaxLength) < kInternalBufferSize
                                 ? static_cast<size_t>(nMaxLength) : kInternalBufferSize);
    int n = InetGetErrorStringA(dwError, narrow.data(), static_cast<int>(narrow.size()));
    if (n <= 0) {
        lpszBuffer[0] = L'\0';
        return n;
    }
    return CopyToWide(narrow.data(), lpszBuffer, nMaxLength);
}

}  // extern "C"
