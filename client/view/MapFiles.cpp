#include "MapFiles.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "ArenaModel.h"
#include "ProgramSettings.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

constexpr const char* Module = "modMiscFunctionsTwo";

// The first tile id of each terrain class (index = class number; 0 unused). A class holds the
// sixteen ids base + 16 * h + v for h and v from 0 to 3; base + 51 is its seed tile.
constexpr std::array<int32_t, 6> ClassBase{-1, 4, 68, 64, 72, 0};
// The order in which the classes are tiled.
constexpr std::array<int32_t, 5> TilingOrder{4, 5, 1, 3, 2};

constexpr std::array<int16_t, 256> BuildCharTiles() {
    std::array<int16_t, 256> tiles{};
    for (int16_t& t : tiles) t = 63;
    struct Run {
        const char* chars;
        int16_t first;
    };
    constexpr Run runs[] = {{"@$%>&-}[", 8}, {"*~`{!^]|", 24}, {";<,.\\qwe", 40}, {"rtyuivo_", 56}, {"pasd", 76}};
    for (const Run& run : runs) {
        for (int i = 0; run.chars[i]; ++i) tiles[static_cast<unsigned char>(run.chars[i])] = static_cast<int16_t>(run.first + i);
    }
    tiles['/'] = 51;
    tiles['('] = 55;
    tiles[')'] = 115;
    tiles['+'] = 119;
    tiles[':'] = tiles['#'] = tiles['='] = 123;
    return tiles;
}
constexpr std::array<int16_t, 256> CharTiles = BuildCharTiles();

constexpr std::array<int8_t, 128> BuildTileClasses() {
    std::array<int8_t, 128> classes{};
    for (int32_t c = 1; c <= 5; ++c) {
        for (int32_t h = 0; h < 4; ++h) {
            for (int32_t v = 0; v < 4; ++v) classes[static_cast<size_t>(ClassBase[c] + 16 * h + v)] = static_cast<int8_t>(c);
        }
    }
    return classes;
}
constexpr std::array<int8_t, 128> TileClasses = BuildTileClasses();

// The column (or row) part of an edge tile from the neighbours of its class before (west or
// north) and after (east or south) it: 0 after only, 1 both, 2 before only, 3 neither.
int32_t EdgePart(bool before, bool after) {
    if (after && !before) return 0;
    if (before && after) return 1;
    if (before) return 2;
    return 3;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

int16_t MapCharTile(char c) { return CharTiles[static_cast<unsigned char>(c)]; }

int32_t TerrainClassOf(int32_t tile) {
    return tile >= 0 && tile < static_cast<int32_t>(TileClasses.size()) ? TileClasses[static_cast<size_t>(tile)] : 0;
}

void ParseMap(std::string Text) {
    Guard(Module, "ParseMap", [&] {
        const size_t decoded = std::min(Text.size(), static_cast<size_t>(ArenaCells));
        for (size_t i = 0; i < decoded; ++i) {
            MapTerrain(static_cast<int32_t>(i % ArenaSize), static_cast<int32_t>(i / ArenaSize)) = MapCharTile(Text[i]);
        }
        // A pass rewrites only tiles of its own class, and each within the class, so the class of
        // every square is the same in all passes.
        std::array<int8_t, ArenaCells> classOf{};
        for (int32_t y = 0; y < ArenaSize; ++y) {
            for (int32_t x = 0; x < ArenaSize; ++x) classOf[static_cast<size_t>(x + ArenaSize * y)] = static_cast<int8_t>(TerrainClassOf(MapTerrain(x, y)));
        }
        auto of = [&](int32_t x, int32_t y) { return classOf[static_cast<size_t>(x + ArenaSize * y)]; };
        for (int32_t c : TilingOrder) {
            for (int32_t y = 0; y < ArenaSize; ++y) {
                for (int32_t x = 0; x < ArenaSize; ++x) {
                    if (of(x, y) != c) continue;
                    const bool west = of((x + 149) % ArenaSize, y) == c, east = of((x + 1) % ArenaSize, y) == c;
                    const bool north = of(x, (y + 149) % ArenaSize) == c, south = of(x, (y + 1) % ArenaSize) == c;
                    MapTerrain(x, y) = static_cast<int16_t>(ClassBase[static_cast<size_t>(c)] + 16 * EdgePart(west, east) + EdgePart(north, south));
                }
            }
        }
        MapReady = true;
    });
}

bool IsTerrain(int32_t x, int32_t y, int32_t Class) {
    bool result = false;
    Guard(Module, "IsTerrain", [&] {
        const int16_t tile = MapTerrain(x, y);
        result = Class >= 1 && Class <= 5 && TerrainClassOf(tile) == Class;
    });
    return result;
}

void LoadMap(const std::string& MapID) {
    Guard("frmMain", "LoadMap", [&] {
        const std::string path = MapPath + MapID + ".map";
        std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
        if (!file) {
            if (errno == ENOENT) return;
            Raise(errPathFileAccess);
        }
        std::string text(static_cast<size_t>(MapFileLength), '\0');
        text.resize(std::fread(text.data(), 1, text.size(), file.get()));
        if (std::ferror(file.get())) Raise(errPathFileAccess);
        file.reset();
        ParseMap(std::move(text));
    });
}

}  // namespace skx
