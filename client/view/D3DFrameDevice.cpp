#include "D3DFrameDevice.h"

#include "AtlasTextures.h"
#include "DirectXObjects.h"
#include "GdiPresentation.h"
#include "Renderer.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {

// Quads held back at the most before they are drawn (their vertices numbered in 16 bits).
constexpr size_t MaxHeldQuads = 4096;

// The corners of quad k as two list triangles in the strip's order: 4k, 4k+1, 4k+2 and
// 4k+2, 4k+1, 4k+3.
const std::vector<uint16_t>& QuadIndices() {
    static const std::vector<uint16_t> indices = [] {
        std::vector<uint16_t> made;
        made.reserve(6 * MaxHeldQuads);
        for (size_t k = 0; k < MaxHeldQuads; ++k) {
            for (size_t corner : {0, 1, 2, 2, 1, 3}) made.push_back(static_cast<uint16_t>(4 * k + corner));
        }
        return made;
    }();
    return indices;
}

}  // namespace

void D3DFrameDevice::Flush() {
    if (pending_.empty()) return;
    struct Drawn {
        std::vector<TLVertex>& held;
        ~Drawn() { held.clear(); }
    } drawn{pending_};
    // Each corner is sent once and shared by the quad's two triangles.
    const auto vertices = static_cast<UINT>(pending_.size());
    RaiseOnFailure(Device()->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, vertices, vertices / 2, QuadIndices().data(),
                                                    D3DFMT_INDEX16, pending_.data(), sizeof(TLVertex)));
    ++drawCalls_;
}

void D3DFrameDevice::FlushText() {
    if (!D3DNameFont || !D3DNameFont->Held()) return;
    RaiseOnFailure(D3DNameFont->Flush());
    ++drawCalls_;
}

void D3DFrameDevice::Apply() {
    FlushText();
    if (appliedKnown_ && wanted_ == applied_) return;
    Flush();
    IDirect3DDevice8* device = Device();
    const bool all = !appliedKnown_;
    appliedKnown_ = false;  // until every call below went through
    if (all || wanted_.texture != applied_.texture) {
        IDirect3DTexture8* texture = wanted_.texture == NoTexture ? nullptr : Textures[static_cast<size_t>(wanted_.texture)].Get();
        RaiseOnFailure(device->SetTexture(0, texture));
    }
    if (all || wanted_.alpha != applied_.alpha) {
        const DWORD op = wanted_.alpha == AlphaSource::Texture ? D3DTOP_SELECTARG1 : D3DTOP_MODULATE;
        RaiseOnFailure(device->SetTextureStageState(0, D3DTSS_ALPHAOP, op));
    }
    if (all || wanted_.blending != applied_.blending) {
        const bool additive = wanted_.blending == Blending::Additive;
        RaiseOnFailure(device->SetRenderState(D3DRS_SRCBLEND, additive ? D3DBLEND_ONE : D3DBLEND_SRCALPHA));
        RaiseOnFailure(device->SetRenderState(D3DRS_DESTBLEND, additive ? D3DBLEND_ONE : D3DBLEND_INVSRCALPHA));
    }
    // An opaque atlas under the normal blending hides what lies below it wholly: the same
    // picture without reading the target back.
    wanted_.blend = !(wanted_.texture != NoTexture && OpaqueTextures[static_cast<size_t>(wanted_.texture)] &&
                      wanted_.alpha == AlphaSource::Texture && wanted_.blending == Blending::Normal);
    if (all || wanted_.blend != applied_.blend)
        RaiseOnFailure(device->SetRenderState(D3DRS_ALPHABLENDENABLE, wanted_.blend ? TRUE : FALSE));
    // Every vertex lies at depth 0 and the drawing order alone decides what lies on top: the
    // depth test could hide nothing and is left out.
    if (all) RaiseOnFailure(device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE));
    applied_ = wanted_;
    appliedKnown_ = true;
}

bool D3DFrameDevice::SetTexture(int32_t slot) {
    if (slot != NoTexture) {
        if (slot < 0 || slot >= static_cast<int32_t>(Textures.size())) return false;
        if (!Textures[static_cast<size_t>(slot)]) return false;
    }
    wanted_.texture = slot;
    return true;
}

void D3DFrameDevice::SetAlphaSource(AlphaSource source) { wanted_.alpha = source; }

void D3DFrameDevice::SetBlending(Blending blending) { wanted_.blending = blending; }

void D3DFrameDevice::DrawQuad(const Quad& quad) {
    Apply();
    // Direct3D puts a pixel's centre on whole coordinates and a texel's in the middle of the
    // texel: half a pixel up and to the left, each pixel of a square samples the middle of its
    // texel, so a cell drawn either way round shows texel for texel.
    for (TLVertex corner : quad) {
        corner.X -= 0.5f;
        corner.Y -= 0.5f;
        pending_.push_back(corner);
    }
    if (pending_.size() >= 4 * MaxHeldQuads) Flush();
}

void D3DFrameDevice::DrawStrip(const TLVertex* vertices, size_t count) {
    // The triangles that join one square to the next cover nothing.
    for (size_t k = 0; k + 4 <= count; k += 4) DrawQuad({vertices[k], vertices[k + 1], vertices[k + 2], vertices[k + 3]});
}

void D3DFrameDevice::DrawLines(const TLVertex* vertices, size_t count) {
    Apply();
    Flush();
    if (count < 2) return;
    RaiseOnFailure(Device()->DrawPrimitiveUP(D3DPT_LINELIST, static_cast<UINT>(count / 2), vertices, sizeof(TLVertex)));
    ++drawCalls_;
}

void D3DFrameDevice::DrawPoints(const TLVertex* vertices, size_t count) {
    Apply();
    Flush();
    if (count < 1) return;
    RaiseOnFailure(Device()->DrawPrimitiveUP(D3DPT_POINTLIST, static_cast<UINT>(count), vertices, sizeof(TLVertex)));
    ++drawCalls_;
}

void D3DFrameDevice::DrawString(const std::string& text, const PixelRect& rect, uint32_t colour) {
    // The text puts back every state it changes: the quads held back go first, under theirs.
    Flush();
    if (!D3DNameFont) Raise(errObjectNotSet);
    RaiseOnFailure(D3DNameFont->Queue(text, RECT{rect.Left, rect.Top, rect.Right, rect.Bottom}, colour));
}

DeviceState D3DFrameDevice::TestCooperativeLevel() {
    switch (Device()->TestCooperativeLevel()) {
        case D3DERR_DEVICELOST: return DeviceState::Lost;
        case D3DERR_DEVICENOTRESET: return DeviceState::NeedsReset;
        default: return DeviceState::Usable;
    }
}

void D3DFrameDevice::Reset() {
    pending_.clear();
    if (D3DNameFont) D3DNameFont->Discard();
    appliedKnown_ = false;
    ResetDevice();
}

void D3DFrameDevice::Clear(uint32_t colour) {
    pending_.clear();
    if (D3DNameFont) D3DNameFont->Discard();
    RaiseOnFailure(Device()->Clear(0, nullptr, D3DCLEAR_TARGET, colour, 1.0f, 0));
}

void D3DFrameDevice::BeginScene() {
    appliedKnown_ = false;
    RaiseOnFailure(Device()->BeginScene());
}

void D3DFrameDevice::EndScene() {
    // The device is left in the states last asked for.
    ThenRestore(
        [&] {
            Apply();
            Flush();
        },
        [&] { RaiseOnFailure(Device()->EndScene()); });
}

void D3DFrameDevice::Present(int32_t width, int32_t height) {
    FlushText();
    Flush();
    if (ChildPresentationHidden()) {
        // The frame goes to the picture through GDI, as large as the back buffer.
        const HRESULT hr = PresentThroughGdi(MapHwnd);
        RaiseOnFailure(hr);
        if (hr == S_OK) return;
    }
    // Drawn 1:1 whatever size the window has now.
    const RECT destination{0, 0, width, height};
    RaiseOnFailure(Device()->Present(nullptr, &destination, nullptr, nullptr));
}

}  // namespace skx
