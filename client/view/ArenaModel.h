// The arena model: the 150 x 150 grids of the arena's layers, the players and stores tables,
// the positions and flags the view works with, and the operations that write them. Nothing
// here draws or touches a window.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/RunTimeError.h"

namespace skx {

constexpr int32_t ArenaSize = 150;
constexpr int32_t ArenaCells = ArenaSize * ArenaSize;

// Every grid and table lies between two runs of fence cells that nothing writes, so a stray
// write beside one shows (ArenaFencesIntact).
constexpr size_t FenceCells = 8;
constexpr int16_t FenceValue = 0x5AA5;

// 150 x 150 cells of 16-bit integers, cell (x, y) at x + 150 * y. A square outside 0 to 149
// on either axis is error 9: the grid never wraps a coordinate, the callers that reduce a
// square modulo 150 do so themselves.
class MapGrid {
public:
    MapGrid() {
        cells_.fill(0);
        for (size_t i = 0; i < FenceCells; ++i) cells_[i] = cells_[FenceCells + ArenaCells + i] = FenceValue;
    }
    int16_t& operator()(int32_t x, int32_t y) { return cells_[Index(x, y)]; }
    int16_t operator()(int32_t x, int32_t y) const { return cells_[Index(x, y)]; }
    void Fill(int16_t value) {
        for (size_t i = 0; i < static_cast<size_t>(ArenaCells); ++i) cells_[FenceCells + i] = value;
    }
    bool FencesIntact() const {
        for (size_t i = 0; i < FenceCells; ++i) {
            if (cells_[i] != FenceValue || cells_[FenceCells + ArenaCells + i] != FenceValue) return false;
        }
        return true;
    }

private:
    static size_t Index(int32_t x, int32_t y) {
        if (x < 0 || x >= ArenaSize || y < 0 || y >= ArenaSize) Raise(errSubscriptOutOfRange);
        return FenceCells + static_cast<size_t>(x + ArenaSize * y);
    }
    std::array<int16_t, FenceCells + ArenaCells + FenceCells> cells_;
};

// A fixed table between fences; At() is the checked entry (an index outside is error 9).
template <class T, size_t N>
class FencedTable {
public:
    FencedTable() {
        before_.fill(FenceValue);
        after_.fill(FenceValue);
    }
    T& At(int32_t index) {
        if (index < 0 || index >= static_cast<int32_t>(N)) Raise(errSubscriptOutOfRange);
        return items_[static_cast<size_t>(index)];
    }
    T& operator[](size_t index) { return items_[index]; }
    const T& operator[](size_t index) const { return items_[index]; }
    static constexpr size_t size() { return N; }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    bool FencesIntact() const { return before_ == Fence() && after_ == Fence(); }

private:
    static std::array<int16_t, FenceCells> Fence() {
        std::array<int16_t, FenceCells> f;
        f.fill(FenceValue);
        return f;
    }
    std::array<int16_t, FenceCells> before_;
    std::array<T, N> items_{};
    std::array<int16_t, FenceCells> after_;
};

struct PlayerRecord {
    int16_t Sprite = 0;  // a cell of PLAYERS_16; -1 = none (logged out)
    std::string Name;    // empty = the slot is free
    int16_t LastX = 0;   // the column the renderer last drew the player at
    int16_t PrevX = 0;   // the column it drew the player at before LastX
    int16_t Level = 0;   // the level passed with the player's last position
};

struct StoreRecord {
    int16_t Sprite = 0;  // a cell of OBJECTS_16
    std::string Name;
    int16_t X = 0;
    int16_t Y = 0;
};

// A square of the arena in single precision: x, y (whole numbers).
struct MapPoint {
    float x = 0;
    float y = 0;
};

// The layers of DrawObject.
namespace DrawObjectKind {
constexpr int32_t Splat = 2, Paintball = 3, Object = 4, Bot = 5, Target = 6;
}

// The four staff accounts, each drawn with a sprite of its own whatever its level.
struct StaffAccount {
    const char* Name;
    int16_t Sprite;
};
inline constexpr std::array<StaffAccount, 4> StaffAccounts{
    {{"Orlenby", 64}, {"Skirmaster", 65}, {"Warden Vale", 66}, {"Referee", 68}}};

inline MapGrid MapTerrain, MapSplats, MapObjects, MapPlayers, MapTargets, MapPaintballs, MapBots, MapOutline;
inline FencedTable<PlayerRecord, 101> Players;
inline FencedTable<StoreRecord, 5> Stores;

// The own square, the end square of the moves already sent, the target square (-1, -1 for
// none) and the square at the view's top-left corner.
inline MapPoint OwnPosition{7, 7};
inline MapPoint MoveTarget;
inline MapPoint TargetPosition{-1, -1};
inline MapPoint ViewOrigin;
inline int32_t BotSplats = 0;
// True once a map filled the terrain; never set back.
inline bool MapReady = false;
inline int32_t TileSize = 16;

// The players table entry of a server index (error 9 outside 0 to 100).
inline PlayerRecord& PlayerAt(int32_t index) { return Players.At(index); }
// True when no write landed beside a grid or table.
bool ArenaFencesIntact();

// Start-up reset: the sprite layers empty (-1), terrain tile 1, no outline, the stores table.
void SetupArrays();
// Records the player's sprite (from kind and level, or the staff table) and level, and stands
// the player's index on the square (not reduced modulo 150). Kind 4 and an index above 100
// change nothing.
void DrawPlayer(MapPoint& Pos, int16_t Index, int32_t Kind, int16_t Level);
// The sprite of a player of that kind and level (the staff accounts aside).
int16_t LevelSprite(int32_t Kind, int16_t Level);
// Writes Value into the layer of Kind (DrawObjectKind) at the square reduced modulo 150.
void DrawObject(MapPoint& Pos, int32_t Kind, int16_t Value);
void Clear_Splats();
void Clear_Targets();
void Clear_Paintballs();
// The end of a game: splats and paintballs go.
void GameEnd();
// Empties the paintball, object, bot and player cells of one square (frmMain.Clear_Square).
void Clear_Square(int16_t& X, int16_t& Y);
// The step words ("&east&south...") that walk from one square to another in a straight line,
// the shorter way round the wrapped map; equal squares give "".
std::string StraightLine(MapPoint& From, MapPoint& To);

}  // namespace skx
