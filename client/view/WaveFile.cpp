#include "WaveFile.h"

#include <algorithm>
#include <string_view>

#include "LittleEndian.h"

namespace skx {

namespace {

constexpr size_t ChunkHeaderSize = 8;
constexpr size_t FormatSize = 16;  // the PCM fields; a longer "fmt " chunk adds to them
constexpr uint16_t WavePcm = 1;

bool Named(std::span<const uint8_t> b, size_t at, std::string_view id) {
    return std::string_view(reinterpret_cast<const char*>(&b[at]), 4) == id;
}

}  // namespace

std::optional<WaveSound> ParseWave(std::span<const uint8_t> file) {
    if (file.size() < 12 || !Named(file, 0, "RIFF") || !Named(file, 8, "WAVE")) return std::nullopt;
    const uint32_t riffSize = U32(file, 4);
    if (riffSize < 4 || riffSize > file.size() - 8) return std::nullopt;
    const std::span<const uint8_t> riff = file.first(size_t{riffSize} + 8);

    std::optional<WaveFormat> format;
    std::optional<std::span<const uint8_t>> samples;
    size_t at = 12;
    while (!(format && samples) && riff.size() - at >= ChunkHeaderSize) {
        const uint32_t size = U32(riff, at + 4);
        const size_t body = at + ChunkHeaderSize;
        if (size > riff.size() - body) return std::nullopt;
        if (Named(riff, at, "fmt ") && !format) {
            if (size < FormatSize) return std::nullopt;
            format = WaveFormat{U16(riff, body), U16(riff, body + 2), U32(riff, body + 4),
                                U32(riff, body + 8), U16(riff, body + 12), U16(riff, body + 14)};
        } else if (Named(riff, at, "data") && !samples) {
            samples = riff.subspan(body, size);
        }
        // The pad byte of an odd size may be missing at the very end.
        at = std::min(riff.size(), body + size + (size & 1));
    }
    if (!format || !samples) return std::nullopt;
    const WaveFormat& f = *format;
    if (f.FormatTag != WavePcm || f.Channels == 0 || f.SamplesPerSec == 0 || f.BitsPerSample == 0 ||
        f.BitsPerSample % 8 != 0 || f.BlockAlign != f.Channels * (f.BitsPerSample / 8))
        return std::nullopt;
    // A last sample frame cut short is left out.
    const std::span<const uint8_t> whole = samples->first(samples->size() - samples->size() % f.BlockAlign);
    if (whole.empty()) return std::nullopt;
    return WaveSound{f, whole};
}

}  // namespace skx
