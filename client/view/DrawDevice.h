// What drawing the arena asks of a device: a texture or none, how alpha is found, normal or
// additive blending, and screen-space quads, strips, lines, points and text; and, for a whole
// frame, the device's state, its reset, clear, scene and present. A failed device call is
// raised as a run-time error of its result. The map device implements it (D3DFrameDevice).
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "ViewGeometry.h"

namespace skx {

inline constexpr int32_t NoTexture = -1;

// The alpha of a drawn pixel: the texture's alone (the device's normal state), or the
// texture's times the vertices'.
enum class AlphaSource { Texture, TextureTimesVertex };
// Source alpha over inverse source alpha (the normal state), or source plus destination.
enum class Blending { Normal, Additive };

struct PixelRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// One sprite: top-left, bottom-left, top-right, bottom-right, drawn as a strip of two triangles.
using Quad = std::array<TLVertex, 4>;

class DrawDevice {
public:
    virtual ~DrawDevice() = default;
    // Puts a texture slot's atlas (or NoTexture) on stage 0; false when the slot holds none.
    virtual bool SetTexture(int32_t slot) = 0;
    virtual void SetAlphaSource(AlphaSource source) = 0;
    virtual void SetBlending(Blending blending) = 0;
    virtual void DrawQuad(const Quad& quad) = 0;
    // A triangle strip of squares, four vertices each in the order of a quad (a terrain row).
    virtual void DrawStrip(const TLVertex* vertices, size_t count) = 0;
    virtual void DrawLines(const TLVertex* vertices, size_t count) = 0;  // count / 2 lines
    virtual void DrawPoints(const TLVertex* vertices, size_t count) = 0;
    // The player names' font: text as written, centred across rect and at its top.
    virtual void DrawString(const std::string& text, const PixelRect& rect, uint32_t colour) = 0;
};

// Runs body, then restore, also when body raises (the error goes on after restore): a
// drawing state changed for one draw is put back on every path.
template <class Body, class Restore>
void ThenRestore(Body&& body, Restore&& restore) {
    try {
        body();
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

enum class DeviceState { Usable, Lost, NeedsReset };

class FrameDevice : public DrawDevice {
public:
    virtual DeviceState TestCooperativeLevel() = 0;
    // Releases what the device holds, resets the device and makes it all again (ResetDevice).
    virtual void Reset() = 0;
    virtual void Clear(uint32_t colour) = 0;
    virtual void BeginScene() = 0;
    virtual void EndScene() = 0;
    // Shows the back buffer in the window's rectangle (0, 0, width, height).
    virtual void Present(int32_t width, int32_t height) = 0;
};

}  // namespace skx
