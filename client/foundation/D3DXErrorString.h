// The Direct3D extension library's error strings, as the renderer's D3DX object gives them.
// The renderer installs its source when it creates that object and removes it when it
// releases the object; without one there is no text.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace skx {

using D3DXErrorStringSource = std::optional<std::string> (*)(int32_t number);

void SetD3DXErrorStringSource(D3DXErrorStringSource source);
// The library's text for a number; nothing while no D3DX object is held.
std::optional<std::string> D3DXErrorString(int32_t number);

}  // namespace skx
