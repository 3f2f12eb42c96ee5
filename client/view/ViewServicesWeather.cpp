// The view services' light and weather entries (LightAndWeather.h).
#include "LightAndWeather.h"
#include "ViewServices.h"

namespace skx {

void ViewServices::SetAtmosphere(uint8_t mode) { skx::SetAtmosphere(mode); }
void ViewServices::InitRain() { skx::InitRain(); }
void ViewServices::UninitRain() { skx::UninitRain(); }
void ViewServices::InitSnow() { skx::InitSnow(); }
void ViewServices::UninitSnow() { skx::UninitSnow(); }
void ViewServices::InitLightning() { skx::InitLightning(); }
void ViewServices::UninitLightning() { skx::UninitLightning(); }

}  // namespace skx
