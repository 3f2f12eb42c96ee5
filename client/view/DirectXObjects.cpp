#include "DirectXObjects.h"

#include "AtlasTextures.h"
#include "D3DXErrorString.h"
#include "DxErrorString.h"
#include "GdiPresentation.h"
#include "SoundEffects.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {

template <class F>
F Entry(HMODULE library, const char* name) {
    return library ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

using Direct3DCreate8Fn = IDirect3D8*(WINAPI*)(UINT);
using DirectSoundCreate8Fn = HRESULT(WINAPI*)(const GUID*, IDirectSound8**, IUnknown*);
using DirectSoundEnumerateFn = HRESULT(WINAPI*)(LPDSENUMCALLBACKA, void*);

std::optional<std::string> LayerErrorString(int32_t number) { return DxErrorString(number); }

}  // namespace

DirectXRuntime::DirectXRuntime() : d3d8_(LoadLibraryA("d3d8.dll")), dsound_(LoadLibraryA("dsound.dll")) {
    if (!Entry<Direct3DCreate8Fn>(d3d8_, "Direct3DCreate8")) Raise(errCannotCreateObject);
}

IDirect3D8* DirectXRuntime::Direct3DCreate() const {
    return Entry<Direct3DCreate8Fn>(d3d8_, "Direct3DCreate8")(D3D_SDK_VERSION);
}

HRESULT DirectXRuntime::DirectSoundCreate(const GUID* device, IDirectSound8** sound) const {
    auto create = Entry<DirectSoundCreate8Fn>(dsound_, "DirectSoundCreate8");
    return create ? create(device, sound, nullptr) : DSERR_NODRIVER;
}

HRESULT DirectXRuntime::DirectSoundEnumerate(LPDSENUMCALLBACKA callback, void* context) const {
    auto enumerate = Entry<DirectSoundEnumerateFn>(dsound_, "DirectSoundEnumerateA");
    return enumerate ? enumerate(callback, context) : DSERR_NODRIVER;
}

D3DXHelper::D3DXHelper() { SetD3DXErrorStringSource(&LayerErrorString); }
D3DXHelper::~D3DXHelper() { SetD3DXErrorStringSource(nullptr); }

void RaiseOnFailure(HRESULT hr) {
    if (FAILED(hr)) Raise(static_cast<int32_t>(hr));
}

IDirect3DDevice8* Device() {
    if (!D3DDevice) Raise(errObjectNotSet);
    return D3DDevice.Get();
}

void ReleaseDirectX() {
    D3DNameFont.reset();
    UnloadTextures();
    ReleaseGdiPresentation();
    D3DDevice.Reset();
    CloseDeviceWindow();
    D3D.Reset();
    UnloadSounds();
    SoundDevice.Reset();
    UnloadBkgrndSounds();
    AmbienceDevice.Reset();
    D3DX.reset();
    DX.reset();
}

}  // namespace skx
