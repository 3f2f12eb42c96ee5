// The map device's back buffer read into a surface in system memory, and drawn from there
// into a window's device context through GDI.
#pragma once
#include <windows.h>

#include <d3d8.h>

#include <cstdint>
#include <functional>

#include "HelperTextures.h"

namespace skx {

class BackBufferCopy {
public:
    // The copy's pixels, top row first, in the back buffer's format.
    struct Rows {
        const uint8_t* bits = nullptr;
        int32_t pitch = 0, width = 0, height = 0;
        D3DFORMAT format = D3DFMT_UNKNOWN;
    };

    // Copies the device's back buffer; the copy is made again when the back buffer's size or
    // format changed. The device's failure when it cannot be read.
    HRESULT Read(IDirect3DDevice8* device);
    // Hands the rows of the last copy to use while they are locked; false when there is none
    // or it cannot be locked.
    bool Use(const std::function<void(const Rows&)>& use) const;
    bool Held() const { return surface_ != nullptr; }
    void Release() { surface_.Reset(); }

private:
    ComRef<IDirect3DSurface8> surface_;
    D3DSURFACE_DESC desc_{};
};

// Whether GDI can draw rows of this format (32-bit and 16-bit RGB).
bool DrawableFormat(D3DFORMAT format);
// Draws the rows 1:1 at the top left of the client rectangle and fills the rest of it black.
void DrawRows(HDC dc, const BackBufferCopy::Rows& rows, const RECT& client);

}  // namespace skx
