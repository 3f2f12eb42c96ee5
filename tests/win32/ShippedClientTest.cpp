// The shipped client against the scripted server's demo: started with its test hook, logged in
// through the connect dialog with a person's mouse and keys, the demo's map received and drawn
// (a capture of the display shows its squares' terrain cells, texel for texel, and the own
// player on its square), and Main > Exit saying "quit" to the server before the program ends.
// The images folder of the client's copy holds a terrain atlas of inverted colours: the
// development build (SKIRMEX_IMAGE_FOLDER), which reads its atlases from there, shows those
// cells, and the shipped one, which reads its resources, never does.
#include <gtest/gtest.h>

#include "DemoSession.h"
#include "MapFiles.h"
#include "ScreenPicture.h"
#include "WholeFile.h"

using namespace clienttest;

namespace {
#ifdef SKIRMEX_IMAGE_FOLDER
constexpr bool kReadsImagesFolder = true;
#else
constexpr bool kReadsImagesFolder = false;
#endif
uint32_t Inverted(uint32_t texel) { return ~texel; }
}  // namespace

TEST(ShippedClient, LogsInDrawsTheDemoMapAndExits) {
    DemoSession s("shipped");
    testsupport::AtlasCells cells, folder;
    ASSERT_TRUE(cells.Loaded());
    folder.Recolour(testsupport::Terrain16, Inverted);
    CreateDirectoryA(s.dir.File("images").c_str(), nullptr);
    ASSERT_TRUE(testsupport::SavePicture(folder.Picture(testsupport::Terrain16), s.dir.File("images\\terrain_lo.bmp")));
    if (kReadsImagesFolder) cells = folder;
    ASSERT_TRUE(s.Start({}, DemoLayout));
    ASSERT_TRUE(s.LogIn()) << s.server.Frames();

    ASSERT_TRUE(s.Dump("frmMapDisp", "Map Display [Demo Arena]")) << s.last;
    std::string map;
    ASSERT_TRUE(skx::ReadWholeFile(testsupport::SourceFolder() + "\\tools\\testserver\\maps\\Demo.map", map));
    skx::ParseMap(map);
    const HWND picture = s.ChildOf("Map Display [Demo Arena]");
    ASSERT_NE(picture, nullptr) << s.hook.Ask("dump frmMapDisp");
    const RECT area = testsupport::ShownClientArea(picture);
    testsupport::ScreenPicture shown;
    MapView view;
    const bool drawn = testsupport::PumpUntil([&] {
        view = FindView(shown = testsupport::CaptureDisplay(s.dir.File("map.bmp")), area, cells);
        return view.squares > 0 && view.matching > view.squares * 9 / 10 && view.lake >= 30 &&
               OwnPlayerShown(shown, area, view, cells, 12, 12);
    }, LoggedInClient::kComes);
    EXPECT_TRUE(drawn) << view.matching << " of " << view.squares << " squares, " << view.lake << " lake";
    EXPECT_TRUE(OwnPlayerShown(shown, area, view, cells, 12, 12));

    s.hook.Ask("menu mnuFileExit");
    EXPECT_TRUE(s.WaitSent(R"(["C", "quit"])")) << s.server.Frames();
    EXPECT_TRUE(s.run.process.Wait(LoggedInClient::kComes));
}
