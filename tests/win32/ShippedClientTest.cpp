// The shipped client against the scripted server's demo: started with its test hook, logged in
// through the connect dialog with a person's mouse and keys, the demo's map received and drawn
// (its squares on the screen show their terrain), and Main > Exit saying "quit" to the server
// before the program ends.
#include <gtest/gtest.h>

#include "DemoSession.h"
#include "MapFiles.h"
#include "WholeFile.h"

using namespace clienttest;

TEST(ShippedClient, LogsInDrawsTheDemoMapAndExits) {
    DemoSession s("shipped");
    ASSERT_TRUE(s.Start({}, DemoLayout));
    ASSERT_TRUE(s.LogIn()) << s.server.Frames();

    ASSERT_TRUE(s.Dump("frmMapDisp", "Map Display [Demo Arena]")) << s.last;
    std::string map;
    ASSERT_TRUE(skx::ReadWholeFile(testsupport::SourceFolder() + "\\tools\\testserver\\maps\\Demo.map", map));
    skx::ParseMap(map);
    const HWND picture = s.ChildOf("Map Display [Demo Arena]");
    ASSERT_NE(picture, nullptr) << s.hook.Ask("dump frmMapDisp");
    MapMatch terrain;
    const bool drawn = testsupport::PumpUntil([&] {
        terrain = MatchTerrain(s.Picture(s.dir.File("map.bmp")), s.MapArea(picture));
        return terrain.squares > 0 && terrain.matching > terrain.squares * 9 / 10 && terrain.lake >= 30;
    }, 20000);
    EXPECT_TRUE(drawn) << terrain.matching << " of " << terrain.squares << " squares, " << terrain.lake << " lake";

    s.hook.Ask("menu mnuFileExit");
    EXPECT_TRUE(s.WaitSent(R"(["C", "quit"])")) << s.server.Frames();
    EXPECT_TRUE(s.run.process.Wait(20000));
}
