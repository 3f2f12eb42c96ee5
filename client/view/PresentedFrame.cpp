#include "PresentedFrame.h"

#include "DirectXObjects.h"
#include "ViewGeometry.h"

namespace skx {

FramePixels PresentedFrame() {
    FramePixels frame;
    ComRef<IDirect3DSurface8> back, copy;
    if (!D3DDevice || ViewWidth <= 0 || ViewHeight <= 0 ||
        FAILED(D3DDevice->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, back.GetAddressOf())) ||
        FAILED(D3DDevice->CreateImageSurface(static_cast<UINT>(ViewWidth), static_cast<UINT>(ViewHeight),
                                             D3DFMT_X8R8G8B8, copy.GetAddressOf())) ||
        FAILED(D3DDevice->CopyRects(back.Get(), nullptr, 0, copy.Get(), nullptr))) {
        return frame;
    }
    D3DLOCKED_RECT r{};
    if (FAILED(copy->LockRect(&r, nullptr, D3DLOCK_READONLY))) return frame;
    frame.window = MapHwnd;
    frame.width = ViewWidth;
    frame.height = ViewHeight;
    for (int32_t y = 0; y < frame.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(r.pBits) + y * r.Pitch);
        for (int32_t x = 0; x < frame.width; ++x) frame.pixels.push_back(row[x] & 0xFFFFFF);
    }
    copy->UnlockRect();
    return frame;
}

}  // namespace skx
