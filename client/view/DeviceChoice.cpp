#include "DeviceChoice.h"

namespace skx {

int FirstDeviceCreated(const std::function<HRESULT(const DeviceTry&)>& create, HRESULT& lastError) {
    lastError = E_FAIL;
    for (size_t i = 0; i < DeviceTries.size(); ++i) {
        lastError = create(DeviceTries[i]);
        if (SUCCEEDED(lastError)) return static_cast<int>(i);
    }
    return -1;
}

D3DFORMAT FirstDepthFormat(const std::function<bool(D3DFORMAT)>& exists) {
    for (D3DFORMAT f : DepthFormats)
        if (exists(f)) return f;
    return D3DFMT_UNKNOWN;
}

D3DPRESENT_PARAMETERS MakePresentParams(D3DFORMAT backBuffer, HWND window, D3DFORMAT depth) {
    D3DPRESENT_PARAMETERS p{};
    p.BackBufferFormat = backBuffer;
    p.BackBufferCount = 1;
    p.MultiSampleType = D3DMULTISAMPLE_NONE;
    p.SwapEffect = D3DSWAPEFFECT_COPY_VSYNC;
    p.hDeviceWindow = window;
    p.Windowed = TRUE;
    p.EnableAutoDepthStencil = depth != D3DFMT_UNKNOWN;
    p.AutoDepthStencilFormat = depth;
    return p;
}

D3DPRESENT_PARAMETERS ResetPresentParams(const D3DPRESENT_PARAMETERS& created, int32_t width, int32_t height,
                                         HWND window) {
    D3DPRESENT_PARAMETERS p{};
    p.Windowed = created.Windowed;
    p.SwapEffect = created.SwapEffect;
    p.BackBufferCount = created.BackBufferCount;
    p.BackBufferFormat = created.BackBufferFormat;
    p.EnableAutoDepthStencil = created.EnableAutoDepthStencil;
    p.AutoDepthStencilFormat = created.AutoDepthStencilFormat;
    p.BackBufferWidth = static_cast<UINT>(width);
    p.BackBufferHeight = static_cast<UINT>(height);
    p.hDeviceWindow = window;
    return p;
}

}  // namespace skx
