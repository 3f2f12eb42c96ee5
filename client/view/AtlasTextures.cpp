#include "AtlasTextures.h"

#include "AtlasTable.h"
#include "DirectXObjects.h"
#include "SystemServices.h"
#include "runtime/App.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

// Slot 0, the terrain, takes the bitmap as it is and keys nothing; the others are keyed on
// magenta and must have their atlas's size.
template <class Create>
bool LoadSlots(Create create) {
    return Guard("modDirectX8", "LoadTextures", [&] {
        InitImage_ID();
        for (int32_t slot = 0; slot < AtlasCount; ++slot) {
            const bool terrain = slot == TERRAIN_16;
            HRESULT hr = create(slot, terrain ? 0 : AtlasPixelSize[static_cast<size_t>(slot)],
                                terrain ? 0u : MagentaKey, Textures[static_cast<size_t>(slot)]);
            if (FAILED(hr)) Raise(hr);
        }
        for (size_t slot = 0; slot < Textures.size(); ++slot) OpaqueTextures[slot] = IsOpaque(Textures[slot].Get());
    });
}

}  // namespace

bool LoadTextures() {
    if (InDevEnvironment()) return LoadTexturesFromFolder(App::Path() + "\\images");
    return LoadTexturesFromModule(GetModuleHandleA(nullptr));
}

bool LoadTexturesFromModule(HMODULE module) {
    return LoadSlots([&](int32_t slot, int32_t size, uint32_t key, TextureRef& texture) {
        return CreateTextureFromResource(D3DDevice.Get(), module, AtlasResourceNames[static_cast<size_t>(slot)], size,
                                         key, texture);
    });
}

bool LoadTexturesFromFolder(const std::string& folder) {
    return LoadSlots([&](int32_t slot, int32_t size, uint32_t key, TextureRef& texture) {
        const std::string path = folder + "\\" + AtlasFileNames[static_cast<size_t>(slot)];
        HRESULT hr = CreateTextureFromFile(D3DDevice.Get(), path, size, key, texture);
        // The tenth texture, which nothing draws, comes with the last atlas.
        if (SUCCEEDED(hr) && slot == SATELLITE_16)
            hr = CreateTextureFromFile(D3DDevice.Get(), folder + "\\particle.bmp", 32, MagentaKey, Textures[9]);
        return hr;
    });
}

void UnloadTextures() {
    for (TextureRef& t : Textures) t.Reset();
    OpaqueTextures.fill(false);
}

}  // namespace skx
