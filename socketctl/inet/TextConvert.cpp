// Text conversions of the narrow/wide export pairs (system code page).
#include "TextConvert.h"

#include <cstring>
#include <cwchar>

namespace inet {

NarrowArg::NarrowArg(const wchar_t* text) : text_(ToNarrow(text)), null_(text == nullptr) {}

std::string ToNarrow(const wchar_t* text) {
    if (!text || !*text) return {};
    int n = WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 0) n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    if (WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, text, -1, out.data(), n, nullptr, nullptr) <= 0)
        WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), n, nullptr, nullptr);
    out.resize(std::strlen(out.c_str()));
    return out;
}

std::wstring ToWide(const char* text) {
    if (!text || !*text) return {};
    int n = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, out.data(), n);
    out.resize(std::wcslen(out.c_str()));
    return out;
}

int CopyToWide(const char* text, wchar_t* buffer, int chars) {
    if (!buffer || chars <= 0) return 0;
    std::wstring wide = ToWide(text);
    size_t n = wide.size() < static_cast<size_t>(chars - 1) ? wide.size() : static_cast<size_t>(chars - 1);
    std::wmemcpy(buffer, wide.data(), n);
    buffer[n] = L'\0';
    return static_cast<int>(n);
}

int CopyToNarrow(const char* text, char* buffer, int size) {
    if (!buffer || size <= 0) return 0;
    size_t len = text ? std::strlen(text) : 0;
    size_t n = len < static_cast<size_t>(size - 1) ? len : static_cast<size_t>(size - 1);
    if (n) std::memcpy(buffer, text, n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

}  // namespace inet
