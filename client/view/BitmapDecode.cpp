#include "BitmapDecode.h"

#include "LittleEndian.h"

namespace skx {

namespace {

constexpr size_t InfoHeaderSize = 40;
constexpr size_t FileHeaderSize = 14;
constexpr int32_t MaxSide = 8192;  // far above any picture of the client

// Decodes the pixels at pixelsAt of bytes, as the info header at the front of header says.
std::optional<Texels> DecodePixels(std::span<const uint8_t> header, std::span<const uint8_t> bytes, size_t pixelsAt) {
    if (header.size() < InfoHeaderSize || U32(header, 0) < InfoHeaderSize) return std::nullopt;
    const auto width = static_cast<int32_t>(U32(header, 4));
    const auto height = static_cast<int32_t>(U32(header, 8));
    const uint16_t bits = U16(header, 14);
    const uint32_t compression = U32(header, 16);
    if (width <= 0 || width > MaxSide || height == 0 || height < -MaxSide || height > MaxSide) return std::nullopt;
    if ((bits != 24 && bits != 32) || compression != 0) return std::nullopt;
    const bool topDown = height < 0;
    const int32_t rows = topDown ? -height : height;
    const size_t bytesPerPixel = bits / 8;
    const size_t stride = (static_cast<size_t>(width) * bytesPerPixel + 3) & ~size_t{3};
    if (pixelsAt > bytes.size() || (bytes.size() - pixelsAt) / stride < static_cast<size_t>(rows)) return std::nullopt;

    Texels t{width, rows, std::vector<uint32_t>(static_cast<size_t>(width) * static_cast<size_t>(rows))};
    for (int32_t y = 0; y < rows; ++y) {
        const size_t source = pixelsAt + stride * static_cast<size_t>(topDown ? y : rows - 1 - y);
        uint32_t* out = &t.Argb[static_cast<size_t>(y) * static_cast<size_t>(width)];
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t* p = &bytes[source + static_cast<size_t>(x) * bytesPerPixel];
            out[x] = 0xFF000000u | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
        }
    }
    return t;
}

}  // namespace

std::optional<Texels> DecodeDib(std::span<const uint8_t> bytes) {
    if (bytes.size() < InfoHeaderSize) return std::nullopt;
    // Pixels follow the header and its colour table (biClrUsed entries of four bytes).
    const size_t headerSize = U32(bytes, 0);
    const size_t colours = U32(bytes, 32);
    if (headerSize > bytes.size() || colours > bytes.size() / 4) return std::nullopt;
    return DecodePixels(bytes, bytes, headerSize + colours * 4);
}

std::optional<Texels> DecodeBmpFile(std::span<const uint8_t> bytes) {
    if (bytes.size() < FileHeaderSize + InfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    return DecodePixels(bytes.subspan(FileHeaderSize), bytes, U32(bytes, 10));
}

void ApplyColourKey(Texels& texels, uint32_t key) {
    for (uint32_t& t : texels.Argb)
        if ((t & 0x00FFFFFFu) == (key & 0x00FFFFFFu)) t = 0;
}

}  // namespace skx
