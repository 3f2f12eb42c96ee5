// The sound output on a DirectSound object: secondary buffers with frequency, pan and volume
// control.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#ifdef PlaySound
#undef PlaySound  // the multimedia API's macro: the client's effects play through the view services
#endif

#include <dsound.h>

#include "HelperTextures.h"
#include "SoundOutput.h"

namespace skx {

// DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME, every buffer's flags.
inline constexpr DWORD SoundBufferFlags = 0xE0;

class DirectSoundBuffer : public SoundBuffer {
public:
    DirectSoundBuffer(ComRef<IDirectSound8> device, ComRef<IDirectSoundBuffer8> buffer);
    void Play(bool looping) override;
    void Stop() override;
    void SetPosition(uint32_t position) override;
    bool Playing() override;
    // GetStatus's DSBSTATUS bits and the play cursor.
    DWORD Status() const;
    DWORD Position() const;

private:
    ComRef<IDirectSound8> device_;  // released after its buffer
    ComRef<IDirectSoundBuffer8> buffer_;
};

class DirectSoundOutput : public SoundOutput {
public:
    explicit DirectSoundOutput(IDirectSound8* device) : device_(device) {}
    std::unique_ptr<SoundBuffer> CreateBuffer(const std::string& name, const WaveFormat& format,
                                              std::span<const uint8_t> samples) override;

private:
    ComRef<IDirectSound8> device_;
};

}  // namespace skx
