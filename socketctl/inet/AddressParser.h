// The library's own dotted-address parser.
#pragma once
#include <cstdint>

namespace inet {

// Parses "a.b.c.d" (also with ":" between parts, hexadecimal parts "0x..", and the short
// forms a, a.b and a.b.c); the IPv4 address in network byte order, or 0xFFFFFFFF on failure.
// The text may end at a blank, tab, carriage return or line feed.
uint32_t InetParseAddress(const char* text);

}  // namespace inet
