// The map device (D3DDevice) as the arena drawing uses it: the atlases of Textures, the
// player names' font, and the frame's clear, scene and present. A state asked for reaches the
// device with the next draw that needs it, and quads (terrain rows among them) that follow
// one another under the same states go to the device together as one indexed triangle list:
// the picture is the one drawn quad by quad, with far fewer device calls. A quad is laid on
// Direct3D's pixel grid half a pixel up and to the left, so that point sampling takes the
// middle of each texel. Lines of text that follow one another go to the device together too,
// before the next draw or state. It draws without the depth test and, for an opaque atlas,
// without blending, which changes no pixel.
#pragma once
#include <cstdint>
#include <vector>

#include "DrawDevice.h"

namespace skx {

class D3DFrameDevice final : public FrameDevice {
public:
    bool SetTexture(int32_t slot) override;
    void SetAlphaSource(AlphaSource source) override;
    void SetBlending(Blending blending) override;
    void DrawQuad(const Quad& quad) override;
    void DrawStrip(const TLVertex* vertices, size_t count) override;
    void DrawLines(const TLVertex* vertices, size_t count) override;
    void DrawPoints(const TLVertex* vertices, size_t count) override;
    void DrawString(const std::string& text, const PixelRect& rect, uint32_t colour) override;

    DeviceState TestCooperativeLevel() override;
    void Reset() override;
    void Clear(uint32_t colour) override;
    void BeginScene() override;
    void EndScene() override;
    void Present(int32_t width, int32_t height) override;

    // Draw calls made on the device so far.
    int64_t DrawCalls() const { return drawCalls_; }

private:
    struct States {
        int32_t texture = NoTexture;
        AlphaSource alpha = AlphaSource::Texture;
        Blending blending = Blending::Normal;
        bool blend = true;  // blending switched on (derived from the three above)
        bool operator==(const States&) const = default;
    };
    // Gives the device the states asked for (drawing the quads held back under the old ones).
    void Apply();
    // Draws the quads held back.
    void Flush();
    // Draws the lines of text held back.
    void FlushText();
    States wanted_, applied_;
    bool appliedKnown_ = false;  // false: the device's states are not known (a new scene)
    std::vector<TLVertex> pending_;
    int64_t drawCalls_ = 0;
};

}  // namespace skx
