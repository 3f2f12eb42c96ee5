#include "MapRequest.h"

#include <algorithm>
#include <string_view>

#include "runtime/Conversions.h"

namespace skx {

namespace {

// What Windows takes as a port number after COM or LPT: a digit, or a superscript 1, 2 or 3
// (bytes B9, B2, B3 in the Western code pages).
bool IsPortDigit(std::string_view rest) {
    if (rest.size() == 1) {
        return (rest[0] >= '0' && rest[0] <= '9') || rest == "\xB9" || rest == "\xB2" || rest == "\xB3";
    }
    return rest == "\xC2\xB9" || rest == "\xC2\xB2" || rest == "\xC2\xB3";  // the same three in UTF-8
}

// The part of a name before its first ".": Windows takes its trailing blanks as part of nothing.
bool IsDeviceName(const std::string& base) {
    const std::string upper = UCase(RTrim(base));
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (upper == device) return true;
    }
    return (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
           IsPortDigit(std::string_view(upper).substr(std::min<size_t>(3, upper.size())));
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
