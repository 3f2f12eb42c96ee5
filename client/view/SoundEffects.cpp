#include "SoundEffects.h"

#include <string>
#include <vector>

#include "DirectSoundOutput.h"
#include "DirectXObjects.h"
#include "MessageBox.h"
#include "ProgramSettings.h"
#include "SystemServices.h"
#include "WholeFile.h"
#include "modDirectX8.h"
#include "runtime/App.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

constexpr const char* Module = "modDirectX8";
constexpr int32_t errResourceNotFound = 326;

// A sound: its resource, its file in the "sounds" folder and its buffer.
struct SoundSource {
    const char* Resource;
    const char* File;
    int16_t Index;
};

// In the order the buffers are made.
constexpr SoundSource Effects[] = {
    {"BOUNCE", "boink.wav", BOUNCE},   {"BUY", "buy.wav", BUY},           {"FIRE", "fire.wav", FIRE},
    {"HITYOU", "hityou.wav", HITYOU},  {"RELEASE", "release.wav", RELEASE}, {"SIREN", "siren.wav", SIREN},
    {"SPLAT", "splat.wav", SPLAT},     {"STEP", "step.wav", STEP},        {"THROW", "throw.wav", THROW},
    {"UNSIREN", "unsiren.wav", UNSIREN}, {"WATER", "water.wav", WATER},   {"SNOW", "snowwalk.wav", SNOW},
    {"THUNDER", "thunder-clap.wav", THUNDER}};
constexpr SoundSource Ambience[] = {{"RAIN", "shortrain.wav", RAIN}, {"WIND", "wind.wav", WIND}};

SoundOutput* g_effects = nullptr;
SoundOutput* g_ambience = nullptr;
HMODULE g_module = nullptr;

// The bytes of a sound's WAVE file; raises when there is none.
std::vector<uint8_t> SoundFile(const SoundSource& sound) {
    // A development build reads the sounds from the "sounds" folder below the program folder.
    if (InDevEnvironment()) {
        std::string bytes;
        if (!ReadWholeFile(App::Path() + "\\sounds\\" + sound.File, bytes)) Raise(errFileNotFound);
        return {bytes.begin(), bytes.end()};
    }
    HMODULE module = g_module ? g_module : GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, sound.Resource, "WAVE");
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* bytes = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (!bytes) Raise(errResourceNotFound);
    return {bytes, bytes + SizeofResource(module, found)};
}

// Makes every sound's buffer on output (none without one), then shows which are missing.
template <size_t N, size_t M>
bool Load(const char* procedure, SoundOutput* output, const SoundSource (&sounds)[M],
          std::array<std::unique_ptr<SoundBuffer>, N>& buffers) {
    if (!output) return true;
    const bool made = Guard(Module, procedure, [&] {
        for (const SoundSource& sound : sounds) {
            const std::vector<uint8_t> file = SoundFile(sound);
            const std::optional<WaveSound> wave = ParseWave(file);
            if (!wave) RaiseOnFailure(DSERR_BADFORMAT);
            const auto index = static_cast<size_t>(sound.Index);
            buffers[index] = output->CreateBuffer(sound.Resource, wave->Format, wave->Samples);
        }
    });
    if (!made) return false;
    for (size_t i = 0; i < N; ++i) {
        if (!buffers[i])
            CSendMessage("Unable to load the audio file id: " + std::to_string(i), 16, "Error", 0, true, true, -1,
                         "Tahoma", nullptr);
    }
    return true;
}

template <size_t N>
SoundBuffer& BufferAt(std::array<std::unique_ptr<SoundBuffer>, N>& buffers, int16_t index) {
    if (index < 0 || static_cast<size_t>(index) >= N) Raise(errSubscriptOutOfRange);
    if (!buffers[static_cast<size_t>(index)]) Raise(errObjectNotSet);
    return *buffers[static_cast<size_t>(index)];
}

bool EffectsOpen() { return g_effects || SoundDevice; }
bool AmbienceOpen() { return g_ambience || AmbienceDevice; }

}  // namespace

void SetSoundOutputs(SoundOutput* effects, SoundOutput* ambience) {
    g_effects = effects;
    g_ambience = ambience;
}

void SetSoundModule(HMODULE module) { g_module = module; }

bool LoadSounds() {
    DirectSoundOutput device(SoundDevice.Get());
    return Load("LoadSounds", g_effects ? g_effects : SoundDevice ? &device : nullptr, Effects, EffectBuffers);
}

bool LoadBkgrndSounds() {
    DirectSoundOutput device(AmbienceDevice.Get());
    return Load("LoadBkgrndSounds", g_ambience ? g_ambience : AmbienceDevice ? &device : nullptr, Ambience,
                AmbienceBuffers);
}

void UnloadSounds() {
    for (auto& buffer : EffectBuffers) buffer.reset();
}

void UnloadBkgrndSounds() {
    for (auto& buffer : AmbienceBuffers) buffer.reset();
}

void PlaySound(int16_t index) {
    Guard(Module, "PlaySound", [&] {
        if (!SoundOn || !EffectsOpen()) return;
        // A sound still playing goes on; a finished one starts again from its beginning.
        SoundBuffer& buffer = BufferAt(EffectBuffers, index);
        if (buffer.Playing()) return;
        buffer.SetPosition(0);
        buffer.Play(false);
    });
}

void PlayBkgrndSound(int16_t index) {
    Guard(Module, "PlayBkgrndSound", [&] {
        if (SoundOn && AmbienceOpen()) BufferAt(AmbienceBuffers, index).Play(true);
    });
}

void StopBkgrndSound(int16_t index) {
    Guard(Module, "StopBkgrndSound", [&] {
        if (!AmbienceOpen()) return;
        SoundBuffer& buffer = BufferAt(AmbienceBuffers, index);
        buffer.Stop();
        buffer.SetPosition(0);
    });
}

}  // namespace skx
