// Little-endian numbers read out of file bytes (the caller checks that they lie inside).
#pragma once
#include <cstdint>
#include <span>

namespace skx {

inline uint16_t U16(std::span<const uint8_t> b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

inline uint32_t U32(std::span<const uint8_t> b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

}  // namespace skx
