#include "HelperTextures.h"

#include <cstring>
#include <optional>
#include <span>

#include "DxErrorString.h"
#include "WholeFile.h"

namespace skx {

namespace {

HRESULT FromDecoded(IDirect3DDevice8* device, std::optional<Texels> texels, int32_t size, uint32_t colourKey,
                    TextureRef& texture) {
    if (!texels || (size != 0 && (texels->Width != size || texels->Height != size))) return D3DXERR_INVALIDDATA;
    if (colourKey != 0) ApplyColourKey(*texels, colourKey);
    return CreateTextureFromTexels(device, *texels, texture);
}

}  // namespace

HRESULT CreateTextureFromTexels(IDirect3DDevice8* device, const Texels& texels, TextureRef& texture) {
    if (!device || texels.Width <= 0 || texels.Height <= 0) return D3DERR_INVALIDCALL;
    TextureRef made;
    HRESULT hr = device->CreateTexture(static_cast<UINT>(texels.Width), static_cast<UINT>(texels.Height), 1, 0,
                                       D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, made.GetAddressOf());
    if (FAILED(hr)) return hr;
    D3DLOCKED_RECT locked{};
    if (FAILED(hr = made->LockRect(0, &locked, nullptr, 0))) return hr;
    const size_t rowBytes = static_cast<size_t>(texels.Width) * 4;
    for (int32_t y = 0; y < texels.Height; ++y)
        std::memcpy(static_cast<uint8_t*>(locked.pBits) + static_cast<ptrdiff_t>(y) * locked.Pitch,
                    &texels.Argb[static_cast<size_t>(y) * static_cast<size_t>(texels.Width)], rowBytes);
    made->UnlockRect(0);
    texture = std::move(made);
    return D3D_OK;
}

bool IsOpaque(IDirect3DTexture8* texture) {
    D3DSURFACE_DESC desc{};
    if (!texture || FAILED(texture->GetLevelDesc(0, &desc)) || desc.Format != D3DFMT_A8R8G8B8) return false;
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY))) return false;
    bool opaque = true;
    for (UINT y = 0; y < desc.Height && opaque; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(locked.pBits) + static_cast<ptrdiff_t>(y) * locked.Pitch);
        for (UINT x = 0; x < desc.Width && opaque; ++x) opaque = (row[x] >> 24) == 0xFF;
    }
    texture->UnlockRect(0);
    return opaque;
}

HRESULT CreateTextureFromResource(IDirect3DDevice8* device, HMODULE module, const char* name, int32_t size,
                                  uint32_t colourKey, TextureRef& texture) {
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(2));  // RT_BITMAP
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return D3DXERR_INVALIDDATA;
    std::span<const uint8_t> bytes(static_cast<const uint8_t*>(data), SizeofResource(module, found));
    return FromDecoded(device, DecodeDib(bytes), size, colourKey, texture);
}

HRESULT CreateTextureFromFile(IDirect3DDevice8* device, const std::string& path, int32_t size, uint32_t colourKey,
                              TextureRef& texture) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return D3DXERR_INVALIDDATA;
    std::span<const uint8_t> view(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return FromDecoded(device, DecodeBmpFile(view), size, colourKey, texture);
}

}  // namespace skx
