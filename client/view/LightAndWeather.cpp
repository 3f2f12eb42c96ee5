#include "LightAndWeather.h"

#include <array>

#include "RandomNumbers.h"
#include "ViewServices.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/VbRandom.h"

namespace skx {

namespace {

constexpr const char* Module = "modDirectX8";
constexpr int16_t RainSound = 0, WindSound = 1, ThunderSound = 12;

void SetLight(uint32_t colour, int16_t red, int16_t green, int16_t blue) {
    LightColour = colour;
    LightRed = red;
    LightGreen = green;
    LightBlue = blue;
}

// A whole number from lower to upper (the program's generator).
int16_t Between(int16_t upper, int16_t lower) { return GetRandomNumber(upper, lower); }

// A point of an overlay: no texture coordinates.
TLVertex OverlayVertex(float x, float y, uint32_t colour) { return CreateTLVertex(x, y, 0, 1.0f, colour, 0, 0, 0); }

// Two vertices a particle, where it is now (top colour at its top, white its length below),
// drawn with draw (lines or points) from a local array; move then carries each on.
template <class Particle, class Move>
void DrawParticles(DrawDevice& device, std::vector<Particle>& particles, uint32_t topColour,
                   void (DrawDevice::*draw)(const TLVertex*, size_t), Move move) {
    device.SetTexture(NoTexture);
    std::array<TLVertex, 2 * WeatherParticles> vertices;
    size_t n = 0;
    for (Particle& p : particles) {
        if (n == vertices.size()) break;
        vertices[n++] = OverlayVertex(p.X, p.Y, topColour);
        vertices[n++] = OverlayVertex(p.X, p.Y + p.Length, 0xFFFFFFFF);
        move(p);
    }
    (device.*draw)(vertices.data(), n);
}

}  // namespace

TLVertex CreateTLVertex(float X, float Y, float Z, float RHW, uint32_t Colour, uint32_t Specular, float TU, float TV) {
    return TLVertex{X, Y, Z, RHW, Colour, Specular, TU, TV};
}

void SetAtmosphere(uint8_t Mode) {
    switch (Mode) {
        case 0: SetLight(0x007EBA9A, 126, 186, 154); break;
        case 1:
            if (SnowOn) SetLight(0xFFBFBFFF, 191, 191, 255);
            else if (RainOn) SetLight(0xFF9F9F9F, 159, 159, 159);
            else SetLight(0xFFFFFFFF, 255, 255, 255);
            break;
        case 2: SetLight(0x007EAF9A, 126, 175, 154); break;
        case 3: SetLight(0x005B9290, 91, 146, 144); break;
        default: break;
    }
}

void InitRain() {
    Guard(Module, "InitRain", [] {
        RainOn = true;
        RainDrops.assign(WeatherParticles, RainDrop{});
        for (RainDrop& drop : RainDrops) {
            drop.Length = CInt(static_cast<double>(Rnd()) * 12) + 4;
            drop.X = Rnd() * ViewWidthF;
            drop.Y = Rnd() * ViewHeightF;
        }
        View().PlayBkgrndSound(RainSound);
    });
}

void UninitRain() {
    Guard(Module, "UninitRain", [] {
        RainOn = false;
        RainDrops.clear();
        View().StopBkgrndSound(RainSound);
    });
}

void InitSnow() {
    Guard(Module, "InitSnow", [] {
        SnowOn = true;
        SnowFlakes.assign(WeatherParticles, SnowFlake{});
        for (SnowFlake& flake : SnowFlakes) {
            flake.Length = Between(36, 12);
            flake.X = Rnd() * ViewWidthF;
            flake.Y = Rnd() * ViewHeightF;
        }
        View().PlayBkgrndSound(WindSound);
    });
}

void UninitSnow() {
    Guard(Module, "UninitSnow", [] {
        SnowOn = false;
        SnowFlakes.clear();
        View().StopBkgrndSound(WindSound);
    });
}

void InitLightning() { LightningOn = true; }
void UninitLightning() { LightningOn = false; }

void RenderRain(DrawDevice& device) {
    Guard(Module, "RenderRain", [&] {
        // Each streak is drawn where the drop was before this frame's fall of half its length.
        DrawParticles(device, RainDrops, 0x4F888888, &DrawDevice::DrawLines, [](RainDrop& drop) {
            drop.Y += drop.Length / 2.0f;
            if (drop.Y > ViewHeightF) {
                drop.X = Rnd() * ViewWidthF;
                drop.Y = 0;
                drop.Length = CInt(static_cast<double>(Rnd()) * 12 + 4);
            }
        });
    });
}

void RenderSnow(DrawDevice& device) {
    Guard(Module, "RenderSnow", [&] {
        DrawParticles(device, SnowFlakes, 0x9FFFFFFF, &DrawDevice::DrawPoints, [](SnowFlake& flake) {
            flake.Y += flake.Length / 4;
            if (flake.Y > ViewHeightF) {
                flake.X = Rnd() * ViewWidthF;
                flake.Y = 0;
            }
        });
    });
}

void RenderLightning(DrawDevice& device) {
    Guard(Module, "RenderLightning", [&] {
        if (Between(75, 5) != 70) return;
        device.SetTexture(NoTexture);
        // One frame of grey added onto the whole view, with the thunder.
        device.SetBlending(Blending::Additive);
        ThenRestore(
            [&] {
                constexpr uint32_t grey = 0xFF505050;
                QuadVertices = {OverlayVertex(0, 0, grey), OverlayVertex(0, ViewHeightF, grey),
                                OverlayVertex(ViewWidthF, 0, grey), OverlayVertex(ViewWidthF, ViewHeightF, grey)};
                View().PlaySound(ThunderSound);
                device.DrawQuad(QuadVertices);
            },
            [&] { device.SetBlending(Blending::Normal); });
    });
}

}  // namespace skx
