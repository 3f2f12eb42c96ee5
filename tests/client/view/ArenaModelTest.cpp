// The arena tables as start-up leaves them.
#include <gtest/gtest.h>

#include "ArenaModel.h"

using namespace skx;

TEST(ArenaModel, SetupArraysClearsTheGridsAndNamesTheStores) {
    MapPlayers(3, 4) = 7;
    MapTerrain(0, 0) = 9;
    MapOutline(149, 149) = -1;
    SetupArrays();
    EXPECT_EQ(MapPlayers(3, 4), -1);
    EXPECT_EQ(MapSplats(10, 10), -1);
    EXPECT_EQ(MapPaintballs(0, 149), -1);
    EXPECT_EQ(MapObjects(75, 75), -1);
    EXPECT_EQ(MapBots(1, 2), -1);
    EXPECT_EQ(MapTargets(149, 0), -1);
    EXPECT_EQ(MapTerrain(0, 0), 1);
    EXPECT_EQ(MapOutline(149, 149), 0);
    EXPECT_EQ(Stores[0].Name, "Newbie Store");
    EXPECT_EQ(Stores[4].Name, "Secret Store");
}

TEST(ArenaModel, GridCoordinatesWrapModulo150) {
    SetupArrays();
    MapObjects(150, -1) = 5;
    EXPECT_EQ(MapObjects(0, 149), 5);
    EXPECT_EQ(MapGrid::Index(-150, 300), 0u);
    EXPECT_EQ(MapGrid::Index(149, 149), 149u + 150u * 149u);
}
