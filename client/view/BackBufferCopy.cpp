#include "BackBufferCopy.h"

#include <algorithm>

namespace skx {

HRESULT BackBufferCopy::Read(IDirect3DDevice8* device) {
    if (!device) return E_POINTER;
    ComRef<IDirect3DSurface8> back;
    HRESULT hr = device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, back.GetAddressOf());
    if (FAILED(hr)) return hr;
    D3DSURFACE_DESC desc{};
    if (FAILED(hr = back->GetDesc(&desc))) return hr;
    if (!surface_ || desc.Width != desc_.Width || desc.Height != desc_.Height || desc.Format != desc_.Format) {
        surface_.Reset();
        if (FAILED(hr = device->CreateImageSurface(desc.Width, desc.Height, desc.Format, surface_.GetAddressOf()))) {
            return hr;
        }
        desc_ = desc;
    }
    return device->CopyRects(back.Get(), nullptr, 0, surface_.Get(), nullptr);
}

bool BackBufferCopy::Use(const std::function<void(const Rows&)>& use) const {
    if (!surface_) return false;
    D3DLOCKED_RECT locked{};
    if (FAILED(surface_->LockRect(&locked, nullptr, D3DLOCK_READONLY))) return false;
    use(Rows{static_cast<const uint8_t*>(locked.pBits), locked.Pitch, static_cast<int32_t>(desc_.Width),
             static_cast<int32_t>(desc_.Height), desc_.Format});
    surface_->UnlockRect();
    return true;
}

bool DrawableFormat(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_X8R8G8B8:
        case D3DFMT_A8R8G8B8:
        case D3DFMT_R5G6B5:
        case D3DFMT_X1R5G5B5:
        case D3DFMT_A1R5G5B5:
            return true;
        default:
            return false;
    }
}

void DrawRows(HDC dc, const BackBufferCopy::Rows& rows, const RECT& client) {
    const int32_t width = std::min<int32_t>(rows.width, client.right - client.left);
    const int32_t height = std::min<int32_t>(rows.height, client.bottom - client.top);
    if (DrawableFormat(rows.format) && width > 0 && height > 0) {
        struct {
            BITMAPINFOHEADER header;
            DWORD masks[3];
        } info{};
        const bool wide = rows.format == D3DFMT_X8R8G8B8 || rows.format == D3DFMT_A8R8G8B8;
        const int32_t bytes = wide ? 4 : 2;
        // A row of the DIB is a whole row of the surface: its pitch, in pixels.
        info.header = {sizeof(BITMAPINFOHEADER), rows.pitch / bytes, -rows.height, 1, static_cast<WORD>(8 * bytes),
                       BI_RGB, 0, 0, 0, 0, 0};
        if (rows.format == D3DFMT_R5G6B5) {
            info.header.biCompression = BI_BITFIELDS;
            info.masks[0] = 0xF800;
            info.masks[1] = 0x07E0;
            info.masks[2] = 0x001F;
        }
        StretchDIBits(dc, client.left, client.top, width, height, 0, 0, width, height, rows.bits,
                      reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
    } else {
        // Nothing of the frame: all of the client area is background.
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    const auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    const RECT right{client.left + width, client.top, client.right, client.top + height};
    const RECT below{client.left, client.top + height, client.right, client.bottom};
    if (right.left < right.right) FillRect(dc, &right, black);
    if (below.top < below.bottom) FillRect(dc, &below, black);
}

}  // namespace skx
