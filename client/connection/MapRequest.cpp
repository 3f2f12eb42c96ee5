#include "MapRequest.h"

#include <string_view>

#include "runtime/Conversions.h"

namespace skx {

namespace {

bool IsDeviceName(std::string base) {
    // Windows takes a trailing blank of the part before the extension as part of nothing.
    base = RTrim(base);
    const std::string upper = UCase(base);
    for (const char* device : {"CON", "PRN", "AUX", "NUL"}) {
        if (upper == device) return true;
    }
    return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
           upper[3] >= '1' && upper[3] <= '9';
}

}  // namespace

bool IsAcceptableMapName(const std::string& name) {
    if (name.size() > MaxMapName || name.find("..") != std::string::npos) return false;
    for (unsigned char c : name) {
        if (c < 32 || c == 127) return false;
        if (std::string_view("\\/:<>\"|?*").find(static_cast<char>(c)) != std::string_view::npos) return false;
    }
    if (!name.empty() && (name.back() == '.' || name.back() == ' ')) return false;
    return !IsDeviceName(name.substr(0, name.find('.')));
}

std::string PercentEncode(const std::string& text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '.' || c == '_' || c == '~';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

}  // namespace skx
