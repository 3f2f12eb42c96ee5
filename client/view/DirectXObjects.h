// The DirectX objects of the map view (module modDirectX8), made by InitDirectX and the
// sound set-up, released together by ReleaseDirectX.
#pragma once
#include <windows.h>
#include <mmsystem.h>  // the wave formats of DirectSound
#ifdef PlaySound
#undef PlaySound  // the multimedia API's macro: the client's effects play through the view services
#endif

#include <d3d8.h>
#include <dsound.h>

#include <memory>

#include "GdiHandle.h"
#include "HelperTextures.h"
#include "TextFont.h"

namespace skx {

// The DirectX 8 libraries: Direct3D 8 and DirectSound. Once loaded they stay until the
// program ends, as libraries the program imported would (objects released at exit still
// need them).
class DirectXRuntime {
public:
    // Loads both libraries; raises error 429 when Direct3D 8 is missing (DirectSound may be).
    DirectXRuntime();

    // A new Direct3D object; null when the library refuses one.
    IDirect3D8* Direct3DCreate() const;
    HRESULT DirectSoundCreate(const GUID* device, IDirectSound8** sound) const;
    HRESULT DirectSoundEnumerate(LPDSENUMCALLBACKA callback, void* context) const;

private:
    HMODULE d3d8_ = nullptr;
    HMODULE dsound_ = nullptr;
};

// The graphics helper layer's object: while it lives, the error reports of modDirectX8 carry
// the layer's name and sentence for the error number.
class D3DXHelper {
public:
    D3DXHelper();
    ~D3DXHelper();
    D3DXHelper(const D3DXHelper&) = delete;
    D3DXHelper& operator=(const D3DXHelper&) = delete;
};

// Declared in the order they are made, so that they go in the reverse order at exit.
inline std::unique_ptr<DirectXRuntime> DX;
inline std::unique_ptr<D3DXHelper> D3DX;
inline ComRef<IDirect3D8> D3D;
inline ComRef<IDirect3DDevice8> D3DDevice;
inline D3DPRESENT_PARAMETERS PresentParams{};
inline HWND MapHwnd = nullptr;  // frmMapDisp.picMap: device, focus and sound window
inline D3DMATRIX WorldMatrix{};
inline FontHandle NameFont;                    // "Verdana", 10 points
inline std::unique_ptr<TextFont> D3DNameFont;  // the player names' font on the device
inline ComRef<IDirectSound8> SoundDevice;      // effects
inline ComRef<IDirectSound8> AmbienceDevice;   // a second object on the same device

// Raises a failed DirectX result as the run-time error of that number.
void RaiseOnFailure(HRESULT hr);
// The device; raises error 91 while there is none.
IDirect3DDevice8* Device();

// Releases the font, the textures, the frame kept for the picture, the device, each sound
// object after its buffers, and the helper layer, in that order.
void ReleaseDirectX();

}  // namespace skx
