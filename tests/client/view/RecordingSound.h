// A sound output that logs what is done to each sound's buffer as (sound, action).
#pragma once
#include <map>
#include <set>

#include "ProgramResources.h"
#include "ProgramSettings.h"
#include "SoundEffects.h"
#include "modDirectX8.h"

namespace viewtest {

struct RecordingSound : skx::SoundOutput {
    std::vector<std::pair<std::string, std::string>> log;
    std::set<std::string> missing;        // sounds that get no buffer
    std::map<std::string, bool> playing;  // set false: a one-shot sound has ended

    struct Buffer : skx::SoundBuffer {
        Buffer(RecordingSound& o, std::string n) : out(o), name(std::move(n)) {}
        void Play(bool looping) override { Log(looping ? "loop" : "play", true); }
        void Stop() override { Log("stop", false); }
        void SetPosition(uint32_t at) override { Log("at " + std::to_string(at), Playing()); }
        bool Playing() override { return out.playing[name]; }
        void Log(const std::string& action, bool plays) { out.log.emplace_back(name, action), out.playing[name] = plays; }
        RecordingSound& out;
        std::string name;
    };
    std::unique_ptr<skx::SoundBuffer> CreateBuffer(const std::string& name, const skx::WaveFormat&,
                                                   std::span<const uint8_t>) override {
        return missing.count(name) ? nullptr : std::make_unique<Buffer>(*this, name);
    }
};

// Puts recording outputs in place of the sound objects; takes the sounds out again at the end.
struct RecordedSounds {
    RecordingSound effects, ambience;
    ProgramResources exe;
    RecordedSounds() { skx::SetSoundModule(exe.module), skx::SetSoundOutputs(&effects, &ambience); }
    ~RecordedSounds() {
        skx::UnloadSounds(), skx::UnloadBkgrndSounds(), skx::SetSoundOutputs(nullptr, nullptr);
        skx::SetSoundModule(nullptr), skx::SoundOn = false;
    }
};

}  // namespace viewtest
