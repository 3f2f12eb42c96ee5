// Clicks on the map picture as squares and requests; the self-click options window.
#include <gtest/gtest.h>

#include "MapClick.h"
#include "ProgramSettings.h"
#include "frmClick.h"

using namespace skx;

namespace {
// A click on a square of the view (left and plain unless told).
MapClickAction On(int x, int y, bool trueMovement = false, int button = 1, int shift = 0) {
    return MapClick(button, shift, x * TileSize + 3, y * TileSize + 3, trueMovement);
}
}  // namespace

TEST(MapClick, WalksFireAndSelfClicks) {
    ViewOrigin = MapPoint{0, 0};
    OwnPosition = MoveTarget = MapPoint{10, 5};
    // The shorter way round the edge; the next walk starts where the last one ended.
    std::string west;
    for (int i = 0; i < 20; ++i) west += "&west";
    EXPECT_EQ(On(140, 5).data, west + "&");
    EXPECT_EQ(MoveTarget.x, 140);
    EXPECT_EQ(On(142, 5).data, "&east&east&");
    EXPECT_EQ(On(142, 5).kind, MapClickAction::Kind::None);  // the walks already end there
    // True Movement: from the own square; the target is only wrapped.
    EXPECT_EQ(On(13, 5, true).data, "&east&east&east&");
    EXPECT_EQ(MoveTarget.x, -8);  // 142 put on the near side of the edge, no further
    // The own square: the self-click commands, left (the target comes home) and any other.
    EXPECT_EQ(On(10, 5).kind, MapClickAction::Kind::SelfClickLeft);
    EXPECT_EQ(MoveTarget.x, 10);
    EXPECT_EQ(On(10, 5, false, 1, 1).kind, MapClickAction::Kind::SelfClickRight);
    EXPECT_EQ(On(12, 140, false, 2).data, "fire 12 140");
    ViewOrigin = MapPoint{145, 3};
    EXPECT_EQ(ClickedSquare(100, 0).x, 1);
    EXPECT_EQ(ClickedSquare(100, 0).y, 3);
}

TEST(SelfClickWindow, CloseDiscardsTheEditsAndOkayStoresThemCleaned) {
    LeftClick = "CENTER";
    frmClickForm& w = frmClick();
    w.Load();
    w.txtLeft.SetText("say one");
    SendMessageA(w.cmdClose.hWnd(), BM_CLICK, 0, 0);
    EXPECT_FALSE(w.IsLoaded());
    EXPECT_EQ(LeftClick, "CENTER");
    w.Load();
    w.txtLeft.SetText("say\x01 two\x02");
    SendMessageA(w.cmdOkay.hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(LeftClick, "say two");
}
