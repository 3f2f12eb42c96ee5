// The arena model's operations and map files, with the errors they hand to the reporter.
#include <gtest/gtest.h>

#include "ArenaTestSupport.h"
#include "MapFiles.h"
#include "WinTestSupport.h"

using namespace skx;
using V = std::vector<int16_t>;
using viewtest::ArenaTest;

TEST_F(ArenaTest, PlayerSpriteFollowsKindLevelAndStaffName) {
    const int16_t cases[][3] = {{0, 1, 0},   {2, 10, 32}, {0, 11, 1},  {1, 15, 17},  {3, 16, 50},  {2, 76, 46},
                                {0, 80, 14}, {0, 81, 15}, {1, 84, 31}, {0, 85, 74},  {3, 85, 77},  {0, 86, 0},
                                {0, 90, 73}, {1, 90, 75}, {0, 91, 0},  {0, 100, 67}, {1, 100, 75}, {1, -5, 0}};
    MapPoint pos{5, 6};
    for (auto [kind, level, sprite] : cases) {
        DrawPlayer(pos, 9, kind, level);
        EXPECT_EQ(V({Players[9].Sprite, Players[9].Level}), V({sprite, level})) << kind << " " << level;
    }
    Username = StaffAccounts[1].Name;  // the own player is known by the account name
    Players[7].Name = StaffAccounts[3].Name;
    Players[8].Name = "orlenby";  // case counts
    DrawPlayer(pos, 4, 0, 50);
    DrawPlayer(pos, 7, 2, 12);
    DrawPlayer(pos, 8, 2, 12);
    EXPECT_EQ(V({Players[4].Sprite, Players[7].Sprite, Players[8].Sprite, MapPlayers(5, 6)}), V({65, 68, 33, 8}));
    Username.clear();
}

TEST_F(ArenaTest, OperationsKeepToTheirLayersAndSquares) {
    MapPoint pos{5, 6}, off{150, 3}, huge{1e9f, 3}, neg{-1, 3}, sq{1, 1};
    DrawPlayer(pos, 3, 4, 20);    // kind 4: nothing
    DrawPlayer(pos, 101, 1, 20);  // past the table: nothing
    DrawPlayer(off, 5, 1, 20);    // sprite and level recorded, the square not (no wrap)
    DrawPlayer(pos, -1, 1, 20);
    DrawPlayer(huge, 6, 1, 20);
    EXPECT_EQ(V({MapPlayers(5, 6), Players[5].Sprite, MapPlayers(0, 3)}), V({-1, 18, -1}));
    DrawObject(off, DrawObjectKind::Object, 12);  // wraps to (0, 3)
    DrawObject(neg, DrawObjectKind::Splat, 5);    // -1 Mod 150 is -1
    DrawObject(sq, 7, 5);
    EXPECT_EQ(V({MapObjects(0, 3), MapSplats(149, 3)}), V({12, -1}));
    for (int32_t k = DrawObjectKind::Splat; k <= DrawObjectKind::Target; ++k) DrawObject(sq, k, 3), DrawObject(pos, k, 4);
    MapPlayers(1, 1) = 4;
    int16_t x = 1, y = 1;
    Clear_Square(x, y);
    GameEnd();
    EXPECT_EQ(V({MapSplats(1, 1), MapTargets(1, 1), MapPaintballs(1, 1), MapObjects(1, 1), MapBots(1, 1),
                 MapPlayers(1, 1), MapSplats(5, 6), MapPaintballs(5, 6), MapObjects(5, 6), MapBots(5, 6),
                 MapTargets(5, 6)}),
              V({-1, 3, -1, -1, -1, -1, -1, -1, 4, 4, 4}));
    x = 150;
    Clear_Square(x, y);
    EXPECT_EQ(errors, (std::vector<int32_t>{9, 9, 6, 9, 9}));
}

TEST_F(ArenaTest, StraightLineTakesTheShorterWayAndSpreadsTheMinorAxis) {
    auto times = [](int n, const std::string& w) {
        std::string s;
        while (n--) s += w;
        return s;
    };
    const std::tuple<MapPoint, MapPoint, std::string> cases[] = {
        {{10, 5}, {100, 5}, times(60, "&west")},    {{10, 5}, {90, 5}, times(80, "&east")},
        {{90, 5}, {10, 5}, times(80, "&west")},     {{5, 140}, {5, 10}, times(20, "&south")},
        {{0, 0}, {2, 2}, "&east&south&east&south"}, {{0, 0}, {1, 3}, "&south&south&east&south"},
        {{0, 0}, {3, 1}, "&east&east&south&east"},  {{7, 7}, {7, 7}, ""}};
    for (auto [from, to, steps] : cases) EXPECT_EQ(StraightLine(from, to), steps) << to.x << "," << to.y;
}

TEST_F(ArenaTest, MapFilesAreDecodedAndTheirTerrainTiledByNeighbours) {
    for (auto [c, tile] : {std::pair{'@', 8}, {'|', 31}, {'\\', 44}, {'_', 63}, {'d', 79}, {'A', 63}, {'\r', 63}})
        EXPECT_EQ(MapCharTile(c), tile) << c;
    // Alone; side by side; a 3 x 3 block; across the west edge; two classes side by side; a row;
    // a column of ":" "#" "=" (class 4). Squares are numbered x + 150 * y.
    std::string text(MapFileLength, '.');
    for (int at : {3020, 760, 761, 6040, 6041, 6042, 6190, 6191, 6192, 6340, 6341, 6342, 0, 149, 9060}) text[at] = '(';
    text[9061] = ')';
    for (int i = 0; i < 150; ++i) text[i + 150 * 77] = '(', text[90 + 150 * i] = ":#="[i % 3];
    testsupport::ScratchDir dir("maps");
    MapPath = dir.Path() + "\\";
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("arena.map"), text + "(((("));
    MapReady = false;
    LoadMap("missing");
    EXPECT_FALSE(MapReady);
    LoadMap("arena");
    EXPECT_TRUE(MapReady);
    const std::pair<int, int16_t> tiles[] = {{3020, 55}, {760, 7},   {761, 39},   {6040, 4},  {6041, 20},
                                             {6042, 36}, {6190, 5},  {6191, 21},  {6192, 37}, {6340, 6},
                                             {6341, 22}, {6342, 38}, {0, 39},     {149, 7},   {9060, 55},
                                             {9061, 115}, {4500, 43}, {11583, 23}, {15090, 121}};
    for (auto [at, tile] : tiles) EXPECT_EQ(MapTerrain(at % 150, at / 150), tile) << at;
    // A text of two rows, with a line break taking two squares; the rest stays.
    ParseMap("\r\n(" + std::string(297, ','));
    EXPECT_EQ(V({MapTerrain(0, 0), MapTerrain(2, 0), MapTerrain(149, 1), MapTerrain(0, 2)}), V({63, 55, 42, 43}));
    EXPECT_EQ(std::vector<bool>({IsTerrain(90, 5, 4), IsTerrain(90, 5, 6), IsTerrain(150, 5, 4)}),
              std::vector<bool>({true, false, false}));
    EXPECT_EQ(errors, std::vector<int32_t>{9});
}
