#include "ArenaModel.h"

#include "ProgramSettings.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

constexpr const char* Module = "modMiscFunctionsOne";

// The grid of a DrawObject layer; null for a number that names none.
MapGrid* ObjectLayer(int32_t kind) {
    switch (kind) {
        case DrawObjectKind::Splat: return &MapSplats;
        case DrawObjectKind::Paintball: return &MapPaintballs;
        case DrawObjectKind::Object: return &MapObjects;
        case DrawObjectKind::Bot: return &MapBots;
        case DrawObjectKind::Target: return &MapTargets;
        default: return nullptr;
    }
}

// Count and word of one axis of a straight line: difference d between the squares from and to,
// walked directly up to 80 squares and round the map's edge beyond that.
struct Leg {
    int32_t count;
    const char* word;
};
Leg AxisLeg(int32_t d, float from, float to, const char* negative, const char* positive) {
    if (d >= -80 && d <= -1) return {-d, negative};
    if (d >= 0 && d <= 80) return {d, positive};
    if (d > 80) return {CLng(static_cast<double>(from) + 150.0 - to), negative};
    return {CLng(150.0 - from + to), positive};
}

}  // namespace

bool ArenaFencesIntact() {
    for (const MapGrid* grid : {&MapTerrain, &MapSplats, &MapObjects, &MapPlayers, &MapTargets, &MapPaintballs,
                                &MapBots, &MapOutline}) {
        if (!grid->FencesIntact()) return false;
    }
    return Players.FencesIntact() && Stores.FencesIntact();
}

void SetupArrays() {
    Guard(Module, "SetupArrays", [] {
        for (MapGrid* layer : {&MapSplats, &MapPaintballs, &MapObjects, &MapBots, &MapPlayers, &MapTargets}) {
            layer->Fill(-1);
        }
        MapTerrain.Fill(1);
        MapOutline.Fill(0);
        const StoreRecord stores[5] = {{0, "Newbie Store", 4, 4},
                                       {8, "Equipment Store", 4, 10},
                                       {16, "Weapons Store", 10, 4},
                                       {24, "Ammunition Store", 10, 10},
                                       {21, "Secret Store", 7, 10}};
        for (size_t i = 0; i < Stores.size(); ++i) Stores[i] = stores[i];
    });
}

int16_t LevelSprite(int32_t Kind, int16_t Level) {
    const int32_t column = Kind * 16;
    if (Level >= 1 && Level <= 10) return CInt(column);
    if (Level >= 11 && Level <= 80) return CInt(column + (Level - 11) / 5 + 1);
    if (Level >= 81 && Level <= 84) return CInt(column + 15);
    if (Level == 85) return CInt(Kind + 74);
    if (Level >= 90 && Level <= 100 && Level % 2 == 0) {
        if (Kind == 1) return 75;
        constexpr int16_t high[6] = {73, 72, 71, 70, 69, 67};  // 90, 92, ..., 100
        return high[(Level - 90) / 2];
    }
    return 0;
}

void DrawPlayer(MapPoint& Pos, int16_t Index, int32_t Kind, int16_t Level) {
    ProcLine line;
    Guard(Module, "DrawPlayer", [&] {
        line.Line = 1;
        const int16_t x = CInt(static_cast<double>(Pos.x));
        const int16_t y = CInt(static_cast<double>(Pos.y));
        line.Line = 2;
        if (Kind == 4 || Index > 100) return;
        line.Line = 3;
        const std::string& name = Kind == 0 ? Username : PlayerAt(Index).Name;
        int16_t sprite = -1;
        for (const StaffAccount& staff : StaffAccounts) {
            if (name == staff.Name) sprite = staff.Sprite;
        }
        line.Line = 4;
        PlayerRecord& player = PlayerAt(Index);
        player.Sprite = sprite >= 0 ? sprite : LevelSprite(Kind, Level);
        line.Line = 5;
        player.Level = Level;
        MapPlayers(x, y) = Index;
    }, &line);
}

void DrawObject(MapPoint& Pos, int32_t Kind, int16_t Value) {
    Guard(Module, "DrawObject", [&] {
        // The remainder keeps the sign of the square: a negative square stays outside the grid.
        const int32_t x = CInt(static_cast<double>(Pos.x)) % ArenaSize;
        const int32_t y = CInt(static_cast<double>(Pos.y)) % ArenaSize;
        if (MapGrid* layer = ObjectLayer(Kind)) (*layer)(x, y) = Value;
    });
}

void Clear_Splats() { MapSplats.Fill(-1); }
void Clear_Targets() { MapTargets.Fill(-1); }
void Clear_Paintballs() { MapPaintballs.Fill(-1); }

void GameEnd() {
    Clear_Splats();
    Clear_Paintballs();
}

void Clear_Square(int16_t& X, int16_t& Y) {
    Guard("frmMain", "Clear_Square", [&] {
        for (MapGrid* layer : {&MapPaintballs, &MapObjects, &MapBots, &MapPlayers}) (*layer)(X, Y) = -1;
    });
}

std::string StraightLine(MapPoint& From, MapPoint& To) {
    std::string steps;
    Guard(Module, "StraightLine", [&] {
        const Leg across = AxisLeg(CInt(static_cast<double>(To.x - From.x)), From.x, To.x, "&west", "&east");
        const Leg down = AxisLeg(CInt(static_cast<double>(To.y - From.y)), From.y, To.y, "&north", "&south");
        // The longer axis leads; on equal counts the horizontal one.
        const Leg& lead = across.count >= down.count ? across : down;
        const Leg& other = across.count >= down.count ? down : across;
        int64_t sum = 0;
        for (int32_t step = 0; step < lead.count; ++step) {
            steps += lead.word;
            sum += other.count;
            // sum / L > 0.5, in whole numbers.
            if (lead.count > 0 && other.count > 0 && 2 * sum > lead.count) {
                steps += other.word;
                sum -= lead.count;
            }
        }
    });
    return steps;
}

}  // namespace skx
