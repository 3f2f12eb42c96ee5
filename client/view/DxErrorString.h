// The graphics helper layer's names for DirectX result codes: what the error reports print
// for the procedures of modDirectX8.
#pragma once
#include <cstdint>
#include <string>

namespace skx {

// The helper layer's own result: data it was given cannot be read (a missing or damaged
// bitmap, a bitmap of the wrong size).
inline constexpr int32_t D3DXERR_INVALIDDATA = static_cast<int32_t>(0x88760B59u);

// "NAME: sentence" for a Direct3D, DirectSound, DirectInput or common COM result;
// "" for any other number.
std::string DxErrorString(int32_t hr);

}  // namespace skx
