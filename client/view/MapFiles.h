// Map files: a flat run of 22,500 characters, one a square, row after row, decoded into the
// terrain grid; the squares of the five terrain classes then get the edge or corner tile that
// fits their neighbours.
#pragma once
#include <cstdint>
#include <string>

namespace skx {

// The characters of a whole map (150 rows of 150 squares); LoadMap reads no more.
constexpr int32_t MapFileLength = 22500;

// The terrain tile a map character stands for (63 for every character without one of its own).
int16_t MapCharTile(char c);
// The terrain class (1 to 5) a tile id belongs to; 0 for a plain tile.
int32_t TerrainClassOf(int32_t tile);

// Decodes Text into MapTerrain (squares it does not reach keep their tiles), gives every
// terrain-class square its edge tile and sets MapReady.
void ParseMap(std::string Text);
// True when the tile at square (x, y) (each 0 to 149) belongs to terrain class Class (1 to 5).
bool IsTerrain(int32_t x, int32_t y, int32_t Class);
// Reads MapPath & MapID & ".map" (its first 22,500 bytes) and parses it; a missing file does
// nothing (frmMain.LoadMap).
void LoadMap(const std::string& MapID);

}  // namespace skx
