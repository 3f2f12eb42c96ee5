// Bitmaps as the graphics helper layer reads them: device-independent bitmaps from the
// program's resources or from .bmp files, decoded into 32-bit texels with the top row first.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace skx {

// Texels 0xAARRGGBB, row after row from the top; every decoded texel has alpha 255.
struct Texels {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Argb;
};

// A bitmap that begins with its BITMAPINFOHEADER (as a bitmap resource does): 24 or 32 bits
// per pixel, uncompressed, bottom-up or top-down, rows padded to four bytes. Nothing for any
// other kind or for data too short for what the header says.
std::optional<Texels> DecodeDib(std::span<const uint8_t> bytes);
// A .bmp file: a BITMAPFILEHEADER, then the bitmap (its pixels where the file header says).
std::optional<Texels> DecodeBmpFile(std::span<const uint8_t> bytes);

// The exact colour key: texels of colour key's RGB become 0x00000000; all others stay opaque.
void ApplyColourKey(Texels& texels, uint32_t key);

}  // namespace skx
