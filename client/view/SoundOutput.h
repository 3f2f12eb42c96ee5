// Where the effects and the ambience sound: a sound output makes buffers of samples that play
// once or looping. DirectSound is the program's output (DirectSoundOutput.h).
#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "WaveFile.h"

namespace skx {

// One sound's samples, ready to play. Failures raise the output's error number.
class SoundBuffer {
public:
    virtual ~SoundBuffer() = default;
    // Plays from the current position: once, or round and round until stopped.
    virtual void Play(bool looping) = 0;
    virtual void Stop() = 0;
    // The play position, in bytes from the first sample.
    virtual void SetPosition(uint32_t position) = 0;
    virtual bool Playing() = 0;
};

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // A buffer holding a copy of samples in format, for the sound of that name; null when the
    // output made none without an error. Failures raise the output's error number.
    virtual std::unique_ptr<SoundBuffer> CreateBuffer(const std::string& name, const WaveFormat& format,
                                                      std::span<const uint8_t> samples) = 0;
};

}  // namespace skx
