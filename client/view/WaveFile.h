// WAVE files as the sounds are stored: RIFF "WAVE" with a "fmt " chunk of PCM samples and a
// "data" chunk holding them.
#pragma once
#include <cstdint>
#include <optional>
#include <span>

namespace skx {

// The fields of the "fmt " chunk, as the sound buffers take them.
struct WaveFormat {
    uint16_t FormatTag = 0;  // 1: PCM
    uint16_t Channels = 0;
    uint32_t SamplesPerSec = 0;
    uint32_t AvgBytesPerSec = 0;
    uint16_t BlockAlign = 0;
    uint16_t BitsPerSample = 0;
};

struct WaveSound {
    WaveFormat Format;
    std::span<const uint8_t> Samples;  // the "data" chunk, inside the file's bytes
};

// The format and samples of file. Chunks other than "fmt " and "data" are skipped, an odd-sized
// chunk is followed by its pad byte, and nothing is read past the end of file or of the RIFF
// size; a last sample frame cut short is left out. Nothing for a damaged file, a format other
// than PCM or a file without a whole sample frame.
std::optional<WaveSound> ParseWave(std::span<const uint8_t> file);

}  // namespace skx
