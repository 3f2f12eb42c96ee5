#include "TextFont.h"

#include <algorithm>
#include <array>

#include "GdiHandle.h"
#include "ViewGeometry.h"

namespace skx {

namespace {

// Strings kept at the most; past it the atlas starts afresh (a server sending ever new names
// cannot fill the memory; the atlas's size bounds them as well).
constexpr size_t MaxLines = 512;
// Lines held back at the most before they are drawn.
constexpr size_t MaxHeldLines = 1024;
// Free texels between neighbouring lines in the atlas.
constexpr int Gap = 1;

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

HRESULT TextFont::Restart() {
    // The lines held back are drawn from the atlas as it is before it is drawn over.
    HRESULT hr = Flush();
    lines_.clear();
    shelfX_ = shelfY_ = shelfHeight_ = 0;
    return hr;
}

HRESULT TextFont::MakeLine(const std::string& text, Line& line) {
    MemoryDC mem;
    if (!mem.dc) return E_FAIL;
    HGDIOBJ oldFont = SelectObject(mem.dc, font_);
    SIZE extent{};
    GetTextExtentPoint32A(mem.dc, text.c_str(), static_cast<int>(text.size()), &extent);
    line.width = std::clamp(static_cast<int>(extent.cx), 1, AtlasWidth);
    line.height = std::clamp(static_cast<int>(extent.cy), 1, AtlasHeight);

    // Lines lie on shelves, left to right, a shelf below the one before.
    if (!atlas_) {
        if (HRESULT hr = device_->CreateTexture(AtlasWidth, AtlasHeight, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                                atlas_.GetAddressOf());
            FAILED(hr)) {
            SelectObject(mem.dc, oldFont);
            return hr;
        }
    }
    if (shelfX_ + line.width > AtlasWidth) {
        shelfY_ += shelfHeight_ + Gap;
        shelfX_ = shelfHeight_ = 0;
    }
    if (lines_.size() >= MaxLines || shelfY_ + line.height > AtlasHeight) {
        if (HRESULT hr = Restart(); FAILED(hr)) {
            SelectObject(mem.dc, oldFont);
            return hr;
        }
    }
    line.x = shelfX_;
    line.y = shelfY_;

    // White text on black in a 32-bit top-down DIB; its brightness becomes the alpha.
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = line.width;
    bi.bmiHeader.biHeight = -line.height;
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
    RECT all{0, 0, line.width, line.height};
    ExtTextOutA(mem.dc, 0, 0, ETO_OPAQUE, &all, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    GdiFlush();
    SelectObject(mem.dc, oldBitmap);
    SelectObject(mem.dc, oldFont);

    const RECT cell{line.x, line.y, line.x + line.width, line.y + line.height};
    D3DLOCKED_RECT locked{};
    if (HRESULT hr = atlas_->LockRect(0, &locked, &cell, 0); FAILED(hr)) return hr;
    const auto* source = static_cast<const uint32_t*>(bits);
    for (int y = 0; y < line.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.pBits) + static_cast<ptrdiff_t>(y) * locked.Pitch);
        for (int x = 0; x < line.width; ++x) {
            const uint32_t p = *source++;
            const uint32_t alpha = std::max({(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF});
            row[x] = (alpha << 24) | 0x00FFFFFFu;
        }
    }
    atlas_->UnlockRect(0);
    shelfX_ += line.width + Gap;
    shelfHeight_ = std::max(shelfHeight_, line.height);
    return D3D_OK;
}

HRESULT TextFont::Queue(const std::string& text, const RECT& rect, D3DCOLOR colour) {
    if (text.empty()) return D3D_OK;
    auto found = lines_.find(text);
    if (found == lines_.end()) {
        Line made;
        if (HRESULT hr = MakeLine(text, made); FAILED(hr)) return hr;
        found = lines_.emplace(text, made).first;
    }
    const Line& line = found->second;
    // Centred across the rectangle, at its top, then cut to it.
    const float x0 = static_cast<float>(rect.left + (rect.right - rect.left - line.width) / 2);
    const float y0 = static_cast<float>(rect.top);
    const float left = std::max(x0, static_cast<float>(rect.left));
    const float right = std::min(x0 + line.width, static_cast<float>(rect.right));
    const float bottom = std::min(y0 + line.height, static_cast<float>(rect.bottom));
    if (left >= right || y0 >= bottom) return D3D_OK;
    const float u0 = (line.x + left - x0) / AtlasWidth, u1 = (line.x + right - x0) / AtlasWidth;
    const float v0 = static_cast<float>(line.y) / AtlasHeight, v1 = (line.y + bottom - y0) / AtlasHeight;
    // Pixel centres lie half a pixel in: the quad's corners move by half a pixel so that every
    // texel lands on one pixel.
    const TLVertex corners[4] = {
        {left - 0.5f, y0 - 0.5f, 0, 1, colour, 0, u0, v0},
        {right - 0.5f, y0 - 0.5f, 0, 1, colour, 0, u1, v0},
        {left - 0.5f, bottom - 0.5f, 0, 1, colour, 0, u0, v1},
        {right - 0.5f, bottom - 0.5f, 0, 1, colour, 0, u1, v1},
    };
    for (int corner : {0, 1, 2, 2, 1, 3}) held_.push_back(corners[corner]);
    return held_.size() >= 6 * MaxHeldLines ? Flush() : D3D_OK;
}

HRESULT TextFont::Flush() {
    if (held_.empty()) return D3D_OK;
    struct Drawn {
        std::vector<TLVertex>& held;
        ~Drawn() { held.clear(); }
    } drawn{held_};
    SavedStates saved(device_.Get(), atlas_.Get());
    return device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, static_cast<UINT>(held_.size() / 3), held_.data(),
                                    sizeof(TLVertex));
}

HRESULT TextFont::DrawText(const std::string& text, const RECT& rect, D3DCOLOR colour) {
    if (HRESULT hr = Queue(text, rect, colour); FAILED(hr)) return hr;
    return Flush();
}

}  // namespace skx
