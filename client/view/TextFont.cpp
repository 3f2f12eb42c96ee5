#include "TextFont.h"

#include <algorithm>
#include <array>

#include "BitmapDecode.h"
#include "GdiHandle.h"
#include "ViewGeometry.h"

namespace skx {

namespace {

// Strings kept at the most; past it the cache starts afresh (a server sending ever new names
// cannot fill the memory).
constexpr size_t MaxLines = 512;
constexpr int MaxTextureSide = 2048;

int PowerOfTwo(int n) {
    int p = 1;
    while (p < n) p *= 2;
    return p;
}

// The stage-0 and render states a text draw sets, with the values it sets them to.
constexpr std::array<std::pair<D3DTEXTURESTAGESTATETYPE, DWORD>, 8> kStageStates = {{
    {D3DTSS_COLOROP, D3DTOP_MODULATE},
    {D3DTSS_COLORARG1, D3DTA_TEXTURE},
    {D3DTSS_COLORARG2, D3DTA_DIFFUSE},
    {D3DTSS_ALPHAOP, D3DTOP_MODULATE},
    {D3DTSS_ALPHAARG1, D3DTA_TEXTURE},
    {D3DTSS_ALPHAARG2, D3DTA_DIFFUSE},
    {D3DTSS_MINFILTER, D3DTEXF_POINT},
    {D3DTSS_MAGFILTER, D3DTEXF_POINT},
}};
constexpr std::array<std::pair<D3DRENDERSTATETYPE, DWORD>, 3> kRenderStates = {{
    {D3DRS_ALPHABLENDENABLE, TRUE},
    {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA},
    {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA},
}};

// Sets the text states and puts the earlier values back when it goes.
class SavedStates {
public:
    SavedStates(IDirect3DDevice8* device, IDirect3DTexture8* texture) : device_(device) {
        device_->GetTexture(0, texture_.GetAddressOf());
        device_->GetVertexShader(&shader_);
        for (size_t i = 0; i < kStageStates.size(); ++i) {
            device_->GetTextureStageState(0, kStageStates[i].first, &stage_[i]);
            device_->SetTextureStageState(0, kStageStates[i].first, kStageStates[i].second);
        }
        for (size_t i = 0; i < kRenderStates.size(); ++i) {
            device_->GetRenderState(kRenderStates[i].first, &render_[i]);
            device_->SetRenderState(kRenderStates[i].first, kRenderStates[i].second);
        }
        device_->SetTexture(0, texture);
        device_->SetVertexShader(TLVertexFormat);
    }
    ~SavedStates() {
        for (size_t i = 0; i < kStageStates.size(); ++i)
            device_->SetTextureStageState(0, kStageStates[i].first, stage_[i]);
        for (size_t i = 0; i < kRenderStates.size(); ++i) device_->SetRenderState(kRenderStates[i].first, render_[i]);
        device_->SetTexture(0, texture_.Get());
        device_->SetVertexShader(shader_);
    }
    SavedStates(const SavedStates&) = delete;
    SavedStates& operator=(const SavedStates&) = delete;

private:
    IDirect3DDevice8* device_;
    ComRef<IDirect3DBaseTexture8> texture_;
    DWORD shader_ = 0;
    std::array<DWORD, kStageStates.size()> stage_{};
    std::array<DWORD, kRenderStates.size()> render_{};
};

struct MemoryDC {
    HDC dc = CreateCompatibleDC(nullptr);
    ~MemoryDC() {
        if (dc) DeleteDC(dc);
    }
};

}  // namespace

TextFont::TextFont(IDirect3DDevice8* device, HFONT font) : device_(device), font_(font) {}

HRESULT TextFont::MakeLine(const std::string& text, Line& line) {
    MemoryDC mem;
    if (!mem.dc) return E_FAIL;
    HGDIOBJ oldFont = SelectObject(mem.dc, font_);
    SIZE extent{};
    GetTextExtentPoint32A(mem.dc, text.c_str(), static_cast<int>(text.size()), &extent);
    line.width = std::clamp(static_cast<int>(extent.cx), 1, MaxTextureSide);
    line.height = std::clamp(static_cast<int>(extent.cy), 1, MaxTextureSide);
    line.texWidth = PowerOfTwo(line.width);
    line.texHeight = PowerOfTwo(line.height);

    // White text on black in a 32-bit top-down DIB; its brightness becomes the alpha.
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = line.texWidth;
    bi.bmiHeader.biHeight = -line.texHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    GdiObject<HBITMAP> dib(CreateDIBSection(mem.dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) {
        SelectObject(mem.dc, oldFont);
        return E_OUTOFMEMORY;
    }
    HGDIOBJ oldBitmap = SelectObject(mem.dc, dib.Get());
    SetTextColor(mem.dc, RGB(255, 255, 255));
    SetBkColor(mem.dc, RGB(0, 0, 0));
    SetBkMode(mem.dc, OPAQUE);
    RECT all{0, 0, line.texWidth, line.texHeight};
    ExtTextOutA(mem.dc, 0, 0, ETO_OPAQUE, &all, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    GdiFlush();

    Texels texels{line.texWidth, line.texHeight, {}};
    const auto* source = static_cast<const uint32_t*>(bits);
    texels.Argb.resize(static_cast<size_t>(line.texWidth) * static_cast<size_t>(line.texHeight));
    for (size_t i = 0; i < texels.Argb.size(); ++i) {
        const uint32_t p = source[i];
        const uint32_t alpha = std::max({(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF});
        texels.Argb[i] = (alpha << 24) | 0x00FFFFFFu;
    }
    SelectObject(mem.dc, oldBitmap);
    SelectObject(mem.dc, oldFont);
    return CreateTextureFromTexels(device_.Get(), texels, line.texture);
}

HRESULT TextFont::DrawQuad(const Line& line, const RECT& rect, D3DCOLOR colour) {
    // Centred across the rectangle, at its top, then cut to it.
    const float x0 = static_cast<float>(rect.left + (rect.right - rect.left - line.width) / 2);
    const float y0 = static_cast<float>(rect.top);
    const float left = std::max(x0, static_cast<float>(rect.left));
    const float right = std::min(x0 + line.width, static_cast<float>(rect.right));
    const float bottom = std::min(y0 + line.height, static_cast<float>(rect.bottom));
    if (left >= right || y0 >= bottom) return D3D_OK;
    const float u0 = (left - x0) / line.texWidth, u1 = (right - x0) / line.texWidth;
    const float v1 = (bottom - y0) / line.texHeight;
    // Pixel centres lie half a pixel in: the quad's corners move by half a pixel so that every
    // texel lands on one pixel.
    const TLVertex quad[4] = {
        {left - 0.5f, y0 - 0.5f, 0, 1, colour, 0, u0, 0},
        {right - 0.5f, y0 - 0.5f, 0, 1, colour, 0, u1, 0},
        {left - 0.5f, bottom - 0.5f, 0, 1, colour, 0, u0, v1},
        {right - 0.5f, bottom - 0.5f, 0, 1, colour, 0, u1, v1},
    };
    SavedStates saved(device_.Get(), line.texture.Get());
    return device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(TLVertex));
}

HRESULT TextFont::DrawText(const std::string& text, const RECT& rect, D3DCOLOR colour) {
    if (text.empty()) return D3D_OK;
    auto found = lines_.find(text);
    if (found == lines_.end()) {
        if (lines_.size() >= MaxLines) lines_.clear();
        Line line;
        if (HRESULT hr = MakeLine(text, line); FAILED(hr)) return hr;
        found = lines_.emplace(text, std::move(line)).first;
    }
    return DrawQuad(found->second, rect, colour);
}

}  // namespace skx
