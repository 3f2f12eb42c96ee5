// Textures of the graphics helper layer: managed A8R8G8B8 textures of one level, made from
// texels, bitmap resources or .bmp files.
#pragma once
#include <windows.h>

#include <d3d8.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>

#include "BitmapDecode.h"

namespace skx {

template <class T>
using ComRef = Microsoft::WRL::ComPtr<T>;

using TextureRef = ComRef<IDirect3DTexture8>;

// The colour key of the keyed atlases: opaque magenta.
inline constexpr uint32_t MagentaKey = 0xFFFF00FF;

HRESULT CreateTextureFromTexels(IDirect3DDevice8* device, const Texels& texels, TextureRef& texture);
// size 0 takes the bitmap's own size; any other size must be the bitmap's width and height.
// colourKey 0 keys nothing: every texel stays opaque. D3DXERR_INVALIDDATA when the bitmap is
// missing, cannot be decoded or has the wrong size.
HRESULT CreateTextureFromResource(IDirect3DDevice8* device, HMODULE module, const char* name, int32_t size,
                                  uint32_t colourKey, TextureRef& texture);
HRESULT CreateTextureFromFile(IDirect3DDevice8* device, const std::string& path, int32_t size, uint32_t colourKey,
                              TextureRef& texture);
// True when every texel of the texture's first level has alpha 255 (drawn over anything, it
// hides it wholly); false when it cannot be read.
bool IsOpaque(IDirect3DTexture8* texture);

}  // namespace skx
