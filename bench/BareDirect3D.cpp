// The floor of the start-up benchmark under any program that makes its Direct3D 8 device at
// start: a bare Win32 program that shows one overlapped 1024 x 768 window, makes a windowed
// device on it, clears the back buffer and presents it once, then runs its message loop until
// the window is closed. It ends with 1, its window gone, when any of those steps fails.
#include <d3d8.h>

#include "BareProgram.h"

namespace {
template <typename T>
struct Released {
    T* p = nullptr;
    ~Released() {
        if (p) p->Release();
    }
};

bool FirstFrame(HWND hwnd, Released<IDirect3D8>& d3d, Released<IDirect3DDevice8>& device) {
    // Loaded at run time, as a client finds it on the machine.
    using Create = IDirect3D8*(WINAPI*)(UINT);
    const HMODULE library = LoadLibraryA("d3d8.dll");
    const auto create = library ? reinterpret_cast<Create>(reinterpret_cast<void*>(GetProcAddress(library, "Direct3DCreate8"))) : nullptr;
    d3d.p = create ? create(D3D_SDK_VERSION) : nullptr;
    D3DDISPLAYMODE mode{};
    if (!d3d.p || FAILED(d3d.p->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode))) return false;
    D3DPRESENT_PARAMETERS pp{};
    pp.Windowed = TRUE;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.BackBufferFormat = mode.Format;
    pp.hDeviceWindow = hwnd;
    if (FAILED(d3d.p->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, hwnd, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp,
                                   &device.p))) {
        return false;
    }
    return SUCCEEDED(device.p->Clear(0, nullptr, D3DCLEAR_TARGET, D3DCOLOR_XRGB(0, 0, 64), 1.0f, 0)) &&
           SUCCEEDED(device.p->Present(nullptr, nullptr, nullptr, nullptr));
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    HWND hwnd = bare::ShowWindowOfClass(instance, "BareDirect3D", "Bare Direct3D");
    Released<IDirect3D8> d3d;
    Released<IDirect3DDevice8> device;
    if (!FirstFrame(hwnd, d3d, device)) {
        DestroyWindow(hwnd);
        return 1;
    }
    return bare::RunMessageLoop();
}
