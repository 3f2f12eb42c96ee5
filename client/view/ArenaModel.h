// The arena model: the 150 x 150 grids of the arena's layers, the players and stores tables and
// the values the view works with.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace skx {

constexpr int ArenaSize = 150;

// 150 x 150 cells of 16-bit integers; cell (x, y) at x + 150 * y, coordinates wrapping modulo 150.
class MapGrid {
public:
    int16_t& operator()(int x, int y) { return cells_[Index(x, y)]; }
    int16_t operator()(int x, int y) const { return cells_[Index(x, y)]; }
    void Fill(int16_t value) { cells_.fill(value); }
    static size_t Index(int x, int y) {
        int wx = ((x % ArenaSize) + ArenaSize) % ArenaSize;
        int wy = ((y % ArenaSize) + ArenaSize) % ArenaSize;
        return static_cast<size_t>(wx + ArenaSize * wy);
    }

private:
    std::array<int16_t, ArenaSize * ArenaSize> cells_{};
};

struct StoreRecord {
    int16_t Sprite = 0;
    std::string Name;
    int16_t X = 0;
    int16_t Y = 0;
};

struct PlayerRecord {
    std::string Name;
    int16_t Sprite = -1;
    int16_t Level = 0;
};

// A square of the arena in single precision: x, y.
struct MapPoint {
    float x = 0;
    float y = 0;
};

// The own square, the end square of the moves already sent, the target square (-1, -1 for
// none) and the square at the view's top-left corner.
inline MapPoint OwnPosition{7, 7};
inline MapPoint MoveTarget;
inline MapPoint TargetPosition{-1, -1};
inline MapPoint ViewOrigin;

inline MapGrid MapTerrain, MapSplats, MapObjects, MapPlayers, MapTargets, MapPaintballs, MapBots, MapOutline;
inline std::array<StoreRecord, 5> Stores;
inline std::array<PlayerRecord, 101> Players;
inline int32_t TileSize = 16;
inline int32_t BotSplats = 0;

// Resets the arena grids (-1 for the layers, 1 for the terrain, 0 for the outline) and fills
// the stores table with the five store names.
void SetupArrays();

}  // namespace skx
