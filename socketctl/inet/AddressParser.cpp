// The library's own dotted-address parser.
#include "AddressParser.h"

namespace inet {
namespace {

constexpr uint32_t kNone = 0xFFFFFFFFu;

bool IsEnd(char c) { return c == '\0' || c == '\t' || c == '\n' || c == '\r' || c == ' '; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads one part at p; false when its value no longer fits in 32 bits.
bool ReadPart(const char*& p, uint64_t& value) {
    value = 0;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        p += 2;
        for (int d; (d = HexDigit(*p)) >= 0; ++p) {
            value = value * 16 + static_cast<unsigned>(d);
            if (value > 0xFFFFFFFFull) return false;
        }
        return true;
    }
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + static_cast<unsigned>(*p - '0');
        if (value > 0xFFFFFFFFull) return false;
    }
    return true;
}

uint32_t ToNetworkOrder(uint32_t host) {
    return ((host & 0xFFu) << 24) | ((host & 0xFF00u) << 8) | ((host >> 8) & 0xFF00u) | (host >> 24);
}

}  // namespace

uint32_t InetParseAddress(const char* text) {
    if (!text) return kNone;
    uint64_t parts[4] = {};
    int count = 0;
    const char* p = text;
    for (;;) {
        uint64_t value;
        if (!ReadPart(p, value)) return kNone;
        parts[count++] = value;
        if (*p != '.' && *p != ':') break;
        // Every part before a separator is one byte, and at most three precede the last.
        if (value > 255 || count == 4) return kNone;
        ++p;
    }
    if (!IsEnd(*p)) return kNone;
    const uint64_t last = parts[count - 1];
    uint32_t host = 0;
    switch (count) {
    case 1:
        host = static_cast<uint32_t>(last);
        break;
    case 2:
        if (last > 0xFFFFFF) return kNone;
        host = static_cast<uint32_t>(parts[0] << 24 | last);
        break;
    case 3:
        if (last > 0xFFFF) return kNone;
        host = static_cast<uint32_t>(parts[0] << 24 | parts[1] << 16 | last);
        break;
    default:
        if (last > 255) return kNone;
        host = static_cast<uint32_t>(parts[0] << 24 | parts[1] << 16 | parts[2] << 8 | last);
        break;
    }
    return ToNetworkOrder(host);
}

}  // namespace inet
