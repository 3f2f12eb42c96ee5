// The effects and the ambience (module modDirectX8): each of the program's sounds in a buffer
// of its own, loaded once at start-up, played on demand and released at shut-down. The sound
// option SoundOn gates only the starting of a sound.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "SoundOutput.h"

namespace skx {

enum SoundEffect : int16_t {
    FIRE,
    BOUNCE,
    SPLAT,
    SIREN,
    UNSIREN,
    STEP,
    WATER,
    RELEASE,
    THROW,
    BUY,
    HITYOU,
    SNOW,
    THUNDER,
};

enum BackgroundSound : int16_t { RAIN, WIND };

inline std::array<std::unique_ptr<SoundBuffer>, 13> EffectBuffers;   // by SoundEffect
inline std::array<std::unique_ptr<SoundBuffer>, 2> AmbienceBuffers;  // by BackgroundSound

// Puts outputs in place of the two DirectSound objects (null: the DirectSound objects again).
// Without an output, as without a sound device, the loads make no buffers and every play and
// stop does nothing.
void SetSoundOutputs(SoundOutput* effects, SoundOutput* ambience);

// Fill the buffers from the program's sounds; the caller ends the program on False (a sound
// that could not be made, reported). A buffer missing afterwards is shown in a box.
bool LoadSounds();
bool LoadBkgrndSounds();
void UnloadSounds();
void UnloadBkgrndSounds();

// Plays an effect once, unless it is still playing. An index outside the table or a missing
// buffer is reported and plays nothing.
void PlaySound(int16_t index);
// Starts an ambience looping from where it stands.
void PlayBkgrndSound(int16_t index);
// Stops an ambience and rewinds it, whatever the sound option says.
void StopBkgrndSound(int16_t index);

}  // namespace skx
