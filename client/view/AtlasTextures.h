// The atlases as textures on the map device: slots 0 to 8 by TextureAtlas, slot 9 only from
// the "images" folder, slot 10 never filled.
#pragma once
#include <windows.h>

#include <array>

#include "HelperTextures.h"

namespace skx {

inline std::array<TextureRef, 11> Textures;
// By slot: the texture is there and every texel of it is opaque (drawing it needs no blending).
inline std::array<bool, 11> OpaqueTextures{};

// InitImage_ID, then the nine atlases from the program's resources (or, in a build with the
// image folder switched on, from the "images" folder below the program folder) in slot order.
// False, with the error reported, when one fails; the textures made before it stay.
bool LoadTextures();
// The same from the bitmap resources of module.
bool LoadTexturesFromModule(HMODULE module);
// The same from the bitmaps in folder (terrain_lo.bmp ... satellite_lo.bmp, particle.bmp).
bool LoadTexturesFromFolder(const std::string& folder);
// Empties all eleven slots.
void UnloadTextures();

}  // namespace skx
