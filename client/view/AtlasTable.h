// The nine sprite atlases: their sizes and the texture coordinates of every 16 x 16 cell.
// Cell k of an atlas with N cells per side lies in column k \ N and row k Mod N.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace skx {

// Texture slots of the atlases (TextureAtlas).
enum TextureAtlas : int32_t {
    TERRAIN_16 = 0,
    OBJECTS_16 = 1,
    PLAYERS_16 = 2,
    BOTS_16 = 3,
    JETTRAILS_16 = 4,
    PAINTBALLS_16 = 5,
    SPLATS_16 = 6,
    WALLS_16 = 7,
    SATELLITE_16 = 8,
};
inline constexpr int32_t AtlasCount = 9;

// The resource name of each slot's atlas, and its file below the "images" folder.
inline constexpr std::array<const char*, AtlasCount> AtlasResourceNames = {
    "TERRAIN_16",    "OBJECTS_16", "PLAYERS_16", "BOTS_16",     "JETTRAILS_16",
    "PAINTBALLS_16", "SPLATS_16",  "WALLS_16",   "SATELLITE_16"};
inline constexpr std::array<const char*, AtlasCount> AtlasFileNames = {
    "terrain_lo.bmp",    "objects_lo.bmp", "characters_lo.bmp", "bots_lo.bmp",     "jettrail_lo.bmp",
    "paintballs_lo.bmp", "splats_lo.bmp",  "walls_lo.bmp",      "satellite_lo.bmp"};

// Texture coordinates of a cell's top-left corner.
struct AtlasCorner {
    float U = 0;
    float V = 0;
};

// Filled by InitImage_ID: pixel size and cell size (1 / cells per side) of every atlas, and
// its cells' corners in cell order.
inline std::array<int16_t, AtlasCount> AtlasPixelSize{};
inline std::array<float, AtlasCount> AtlasCellSize{};
inline std::array<std::vector<AtlasCorner>, AtlasCount> AtlasUV;

void InitImage_ID();

}  // namespace skx
