#include "DirectSoundOutput.h"

#include <algorithm>
#include <cstring>

#include "DirectXObjects.h"

namespace skx {

DirectSoundBuffer::DirectSoundBuffer(ComRef<IDirectSound8> device, ComRef<IDirectSoundBuffer8> buffer)
    : device_(std::move(device)), buffer_(std::move(buffer)) {}

void DirectSoundBuffer::Play(bool looping) { RaiseOnFailure(buffer_->Play(0, 0, looping ? DSBPLAY_LOOPING : 0)); }

void DirectSoundBuffer::Stop() { RaiseOnFailure(buffer_->Stop()); }

void DirectSoundBuffer::SetPosition(uint32_t position) { RaiseOnFailure(buffer_->SetCurrentPosition(position)); }

bool DirectSoundBuffer::Playing() { return (Status() & DSBSTATUS_PLAYING) != 0; }

DWORD DirectSoundBuffer::Status() const {
    DWORD status = 0;
    RaiseOnFailure(buffer_->GetStatus(&status));
    return status;
}

DWORD DirectSoundBuffer::Position() const {
    DWORD play = 0, write = 0;
    RaiseOnFailure(buffer_->GetCurrentPosition(&play, &write));
    return play;
}

std::unique_ptr<SoundBuffer> DirectSoundOutput::CreateBuffer(const std::string&, const WaveFormat& format,
                                                             std::span<const uint8_t> samples) {
    if (samples.size() > DSBSIZE_MAX) RaiseOnFailure(DSERR_INVALIDPARAM);
    WAVEFORMATEX wave{format.FormatTag, format.Channels, format.SamplesPerSec, format.AvgBytesPerSec,
                      format.BlockAlign,  format.BitsPerSample, 0};
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = SoundBufferFlags;
    description.dwBufferBytes = static_cast<DWORD>(samples.size());
    description.lpwfxFormat = &wave;
    ComRef<IDirectSoundBuffer> made;
    ComRef<IDirectSoundBuffer8> buffer;
    RaiseOnFailure(device_->CreateSoundBuffer(&description, made.GetAddressOf(), nullptr));
    RaiseOnFailure(made->QueryInterface(IID_IDirectSoundBuffer8, reinterpret_cast<void**>(buffer.GetAddressOf())));

    void *first = nullptr, *second = nullptr;
    DWORD firstSize = 0, secondSize = 0;
    RaiseOnFailure(buffer->Lock(0, description.dwBufferBytes, &first, &firstSize, &second, &secondSize, 0));
    const size_t head = std::min<size_t>(firstSize, samples.size());
    std::memcpy(first, samples.data(), head);
    if (second) std::memcpy(second, samples.data() + head, std::min<size_t>(secondSize, samples.size() - head));
    RaiseOnFailure(buffer->Unlock(first, firstSize, second, secondSize));
    return std::make_unique<DirectSoundBuffer>(device_, std::move(buffer));
}

}  // namespace skx
