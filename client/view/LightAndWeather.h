// The time of day and the weather: the light tint every map square is multiplied by, and the
// rain, snow and lightning drawn over the whole view with their sounds. The flags that say
// which weather runs are the view services' (RainOn, SnowOn, LightningOn).
#pragma once
#include <cstdint>
#include <vector>

#include "DrawDevice.h"

namespace skx {

// The tint (diffuse colour of every map vertex) and its parts, which the trails are made of.
inline uint32_t LightColour = 0xFFFFFFFF;
inline int16_t LightRed = 255, LightGreen = 255, LightBlue = 255;

struct RainDrop {
    float X = 0, Y = 0;  // pixel column, pixel row of the drop's top
    int16_t Length = 0;  // 4 to 16 pixels
};
struct SnowFlake {
    float X = 0, Y = 0;
    float Length = 0;  // whole pixels, 12 to 36
};
inline constexpr size_t WeatherParticles = 256;
// Filled while their weather runs, empty otherwise.
inline std::vector<RainDrop> RainDrops;
inline std::vector<SnowFlake> SnowFlakes;

// Mode 0 to 3 sets the tint (mode 1 by the weather running at the call); other modes change nothing.
void SetAtmosphere(uint8_t Mode);
void InitRain();
void UninitRain();
void InitSnow();
void UninitSnow();
void InitLightning();
void UninitLightning();
// One frame of each overlay, drawn inside the scene.
void RenderRain(DrawDevice& device);
void RenderSnow(DrawDevice& device);
void RenderLightning(DrawDevice& device);

TLVertex CreateTLVertex(float X, float Y, float Z, float RHW, uint32_t Colour, uint32_t Specular, float TU, float TV);

}  // namespace skx
