// What the protocol handlers ask of the game view beyond the arena model: effect sounds, the
// light mode, the weather and the two direction scanners. The services in place play the
// sounds, set the light, run the weather and light the main window's scanner displays.
#pragma once
#include <cstdint>
#include <string>

#ifdef PlaySound
#undef PlaySound  // the multimedia API's macro; the client's effects play through these services
#endif

namespace skx {

// True while that weather runs (set by the services' Init and Uninit members).
inline bool RainOn = false;
inline bool SnowOn = false;
inline bool LightningOn = false;

class ViewServices {
public:
    virtual ~ViewServices() = default;
    // Plays an effect (SoundEffect: 0 FIRE ... 5 STEP, 6 WATER, 11 SNOW, 12 THUNDER) once.
    virtual void PlaySound(int16_t index);
    // Starts an ambience (BackgroundSound: 0 RAIN, 1 WIND) looping; stops and rewinds it.
    virtual void PlayBkgrndSound(int16_t index);
    virtual void StopBkgrndSound(int16_t index);
    // The light mode (0 to 3) multiplied into every square.
    virtual void SetAtmosphere(uint8_t mode);
    virtual void InitRain();
    virtual void UninitRain();
    virtual void InitSnow();
    virtual void UninitSnow();
    virtual void InitLightning();
    virtual void UninitLightning();
    // Lights the scanner button of a direction code (1 North ... 8 SouthEast) and darkens the others.
    virtual void BotScan(const std::string& direction);
    virtual void PlayerScan(const std::string& direction);
};

// The services in place.
ViewServices& View();
// Puts services in place (null: the do-nothing services); the caller keeps them alive.
void SetViewServices(ViewServices* services);

}  // namespace skx
