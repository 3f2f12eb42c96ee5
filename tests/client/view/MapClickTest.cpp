// Clicks on the map picture as squares and requests, and the self-click options window.
#include <gtest/gtest.h>

#include "MapClick.h"
#include "ProgramSettings.h"
#include "frmClick.h"

using namespace skx;

namespace {

std::string Repeat(const std::string& word, int times) {
    std::string s;
    for (int i = 0; i < times; ++i) s += word;
    return s;
}

class MapClickTest : public ::testing::Test {
protected:
    void SetUp() override {
        ViewOrigin = MapPoint{0, 0};
        OwnPosition = MapPoint{10, 5};
        MoveTarget = MapPoint{10, 5};
    }
    // A plain left click on a square of a view that starts at (0, 0).
    static MapClickAction Left(int x, int y, bool trueMovement = false) {
        return MapClick(1, 0, x * TileSize + 3, y * TileSize + 3, trueMovement);
    }
};

}  // namespace

TEST_F(MapClickTest, WalksTheShorterWayRoundAndQueuesFromTheLastTarget) {
    MapClickAction a = Left(140, 5);
    EXPECT_EQ(a.kind, MapClickAction::Kind::Move);
    EXPECT_EQ(a.data, Repeat("&west", 20) + "&");
    EXPECT_EQ(MoveTarget.x, 140);
    EXPECT_EQ(MoveTarget.y, 5);
    // The next walk starts where the last one ended; a click there again sends nothing.
    EXPECT_EQ(Left(142, 5).data, "&east&east&");
    EXPECT_EQ(Left(142, 5).kind, MapClickAction::Kind::None);
}

TEST_F(MapClickTest, TrueMovementWalksFromTheOwnSquare) {
    MoveTarget = MapPoint{40, 40};
    MapClickAction a = Left(20, 8, true);
    EXPECT_EQ(a.kind, MapClickAction::Kind::Move);
    EXPECT_EQ(a.data.size(), std::string("&east").size() * 10 + std::string("&south").size() * 3 + 1);
    EXPECT_EQ(MoveTarget.x, 40);  // only the wrap correction moves it
}

TEST_F(MapClickTest, OwnSquareRunsTheSelfClickAndOtherClicksFire) {
    MoveTarget = MapPoint{30, 30};
    EXPECT_EQ(Left(10, 5).kind, MapClickAction::Kind::SelfClickLeft);
    EXPECT_EQ(MoveTarget.x, 10);
    EXPECT_EQ(MapClick(1, 1, 10 * 16, 5 * 16, false).kind, MapClickAction::Kind::SelfClickRight);  // Shift-left
    MapClickAction fire = MapClick(2, 0, 12 * 16, 140 * 16, false);
    EXPECT_EQ(fire.kind, MapClickAction::Kind::Fire);
    EXPECT_EQ(fire.data, "fire 12 140");
}

TEST_F(MapClickTest, PixelsBecomeSquaresFromTheViewOriginWrapped) {
    ViewOrigin = MapPoint{145, 3};
    EXPECT_EQ(ClickedSquare(0, 0).x, 145);
    EXPECT_EQ(ClickedSquare(100, 0).x, 1);
    EXPECT_EQ(ClickedSquare(100, 0).y, 3);
}

TEST(SelfClickWindow, CloseDiscardsTheEditsAndOkayStoresThemCleaned) {
    LeftClick = "CENTER";
    RightClick = "look";
    frmClickForm& w = frmClick();
    w.Load();
    EXPECT_EQ(w.txtLeft.Text(), "CENTER");
    EXPECT_EQ(w.txtRight.Text(), "look");
    w.txtLeft.SetText("say one");
    SendMessageA(w.cmdClose.hWnd(), BM_CLICK, 0, 0);
    EXPECT_FALSE(w.IsLoaded());
    EXPECT_EQ(LeftClick, "CENTER");

    w.Load();
    w.txtLeft.SetText("say\x01 two\x02");
    w.txtRight.SetText("");
    SendMessageA(w.cmdOkay.hWnd(), BM_CLICK, 0, 0);
    EXPECT_FALSE(w.IsLoaded());
    EXPECT_EQ(LeftClick, "say two");
    EXPECT_EQ(RightClick, "");
}
