// How the map device is chosen: the creation tries in their order, the depth formats probed
// and the presentation parameters.
#pragma once
#include <windows.h>

#include <d3d8.h>

#include <array>
#include <cstdint>
#include <functional>

namespace skx {

struct DeviceTry {
    D3DDEVTYPE Type;
    DWORD Flags;
};

// Software vertex processing on every device type first, then hardware vertex processing.
inline constexpr std::array<DeviceTry, 6> DeviceTries = {{
    {D3DDEVTYPE_HAL, D3DCREATE_SOFTWARE_VERTEXPROCESSING},
    {D3DDEVTYPE_SW, D3DCREATE_SOFTWARE_VERTEXPROCESSING},
    {D3DDEVTYPE_REF, D3DCREATE_SOFTWARE_VERTEXPROCESSING},
    {D3DDEVTYPE_HAL, D3DCREATE_HARDWARE_VERTEXPROCESSING},
    {D3DDEVTYPE_SW, D3DCREATE_HARDWARE_VERTEXPROCESSING},
    {D3DDEVTYPE_REF, D3DCREATE_HARDWARE_VERTEXPROCESSING},
}};

inline constexpr std::array<D3DFORMAT, 7> DepthFormats = {
    D3DFMT_D15S1, D3DFMT_D16, D3DFMT_D16_LOCKABLE, D3DFMT_D24S8, D3DFMT_D24X4S4, D3DFMT_D24X8, D3DFMT_D32};

// Calls create with each try in order until one succeeds; the index of that try, or -1 with
// the result of the last try in lastError.
int FirstDeviceCreated(const std::function<HRESULT(const DeviceTry&)>& create, HRESULT& lastError);
// The first depth format exists() accepts; D3DFMT_UNKNOWN (0) when none.
D3DFORMAT FirstDepthFormat(const std::function<bool(D3DFORMAT)>& exists);
// A windowed device of the window's client size on window, one back buffer of backBuffer's
// format copied to the window at vertical sync, an automatic depth buffer of depth unless
// depth is 0.
D3DPRESENT_PARAMETERS MakePresentParams(D3DFORMAT backBuffer, HWND window, D3DFORMAT depth);
// What a reset asks for: the created device's back-buffer format and count, swap effect,
// windowing and depth buffer (none when it was made without one), a back buffer of
// width x height, on window.
D3DPRESENT_PARAMETERS ResetPresentParams(const D3DPRESENT_PARAMETERS& created, int32_t width, int32_t height,
                                         HWND window);

}  // namespace skx
