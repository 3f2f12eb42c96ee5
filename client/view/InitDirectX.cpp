#include <algorithm>
#include <cstring>

#include "DeviceChoice.h"
#include "DirectXObjects.h"
#include "DxMath.h"
#include "GdiPresentation.h"
#include "MessageBox.h"
#include "ViewGeometry.h"
#include "modDirectX8.h"
#include "runtime/ErrorGuard.h"

namespace skx {

bool InitDirectX(HWND window) {
    bool created = false;
    Guard("modDirectX8", "InitDirectX", [&] {
        DX = std::make_unique<DirectXRuntime>();
        D3DX.reset();  // the old helper object would take the new one's error strings with it
        D3DX = std::make_unique<D3DXHelper>();
        D3D.Attach(DX->Direct3DCreate());
        if (!D3D) Raise(errCannotCreateObject);
        MapHwnd = window;
        // Without sound the program goes on silent: it keeps no half-opened sound objects.
        const bool effects = InitDSound();
        const bool ambience = InitDSound2();
        if (!effects || !ambience) {
            SoundDevice.Reset();
            AmbienceDevice.Reset();
            CSendMessage("Unable to create DirectSound device", 16, "Error", 0, true, true, -1, "Tahoma", nullptr);
        }
        D3DDISPLAYMODE mode{};
        RaiseOnFailure(D3D->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode));
        const HWND deviceWindow = DeviceWindow(MapHwnd);
        PresentParams = MakePresentParams(mode.Format, deviceWindow, SupportedDevice(mode));
        if (deviceWindow != MapHwnd) {
            // The back buffer is the picture's size, not that of the window it is made on.
            RECT picture{};
            GetClientRect(MapHwnd, &picture);
            PresentParams.BackBufferWidth = static_cast<UINT>(std::max<LONG>(1, picture.right));
            PresentParams.BackBufferHeight = static_cast<UINT>(std::max<LONG>(1, picture.bottom));
        }
        HRESULT last = E_FAIL;
        const int chosen = FirstDeviceCreated(
            [&](const DeviceTry& t) {
                // Each try starts from the same parameters; the device's own fill-ins are kept.
                D3DPRESENT_PARAMETERS p = PresentParams;
                HRESULT hr = D3D->CreateDevice(D3DADAPTER_DEFAULT, t.Type, MapHwnd, t.Flags, &p,
                                               D3DDevice.ReleaseAndGetAddressOf());
                if (SUCCEEDED(hr)) PresentParams = p;
                return hr;
            },
            last);
        if (chosen < 0) Raise(static_cast<int32_t>(last));
        RestoreDeviceObjects();
        CreateFont();
        created = true;
    });
    return created;
}

D3DFORMAT SupportedDevice(const D3DDISPLAYMODE& mode) {
    D3DFORMAT format = D3DFMT_UNKNOWN;
    Guard("modDirectX8", "SupportedDevice",
          [&] { format = FirstDepthFormat([&](D3DFORMAT f) { return DoesDepthFormatExist(f, mode); }); });
    return format;
}

bool DoesDepthFormatExist(D3DFORMAT format, const D3DDISPLAYMODE& mode) {
    bool exists = false;
    Guard("modDirectX8", "DoesDepthFormatExist", [&] {
        if (!D3D) Raise(errObjectNotSet);
        exists = SUCCEEDED(D3D->CheckDeviceFormat(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, mode.Format,
                                                  D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, format));
    });
    return exists;
}

void RestoreDeviceObjects() {
    Guard("modDirectX8", "RestoreDeviceObjects", [&] {
        IDirect3DDevice8* device = Device();
        static_assert(sizeof WorldMatrix == sizeof(Matrix4));
        const Matrix4 identity = IdentityMatrix();
        std::memcpy(&WorldMatrix, &identity, sizeof WorldMatrix);
        RaiseOnFailure(device->SetTransform(D3DTS_WORLD, &WorldMatrix));
        RaiseOnFailure(device->SetVertexShader(TLVertexFormat));
        RaiseOnFailure(device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE));
        RaiseOnFailure(device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1));
        RaiseOnFailure(device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA));
        RaiseOnFailure(device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA));
        RaiseOnFailure(device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE));
        RaiseOnFailure(device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE));
        RaiseOnFailure(device->SetRenderState(D3DRS_LIGHTING, FALSE));
        RaiseOnFailure(device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE));
    });
}

void CreateFont() {
    Guard("modDirectX8", "CreateFont", [&] {
        if (!NameFont) {
            HDC screen = GetDC(nullptr);
            const int height = -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72);
            ReleaseDC(nullptr, screen);
            NameFont.Reset(::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                         "Verdana"));
            if (!NameFont) Raise(errOutOfMemory);
        }
        D3DNameFont = std::make_unique<TextFont>(Device(), NameFont.Get());
    });
}

void DeleteFont() { D3DNameFont.reset(); }

void InitMap() {
    Guard("modDirectX8", "InitMap", [&] {
        RECT r{};
        GetClientRect(MapHwnd, &r);
        MeasureView(r.right - r.left, r.bottom - r.top);
    });
}

}  // namespace skx
