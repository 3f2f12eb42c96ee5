// A newcomer's session with the demo script, through the real client under Xvfb: the mouse and
// the keys of a person (SendInput), the test hook to read the windows, captures of the X display
// to see what a person sees, and the scripted server to see what arrives there. A capture of
// the session is also the README's picture (docs/session.png, rewritten only when it changes).
#include <gtest/gtest.h>

#include <cstdlib>

#include "DemoSession.h"
#include "MapFiles.h"
#include "ScreenPicture.h"
#include "WholeFile.h"
#include "frmMain.h"
#include "window_ids.h"

using namespace clienttest;
using testsupport::AtlasCells;

TEST(Session, NewcomerLogsInSeesTheGameAndLeaves) {
    DemoSession s("session");
    ASSERT_TRUE(s.Start({}, "AutoChat=True\r\nKeyPad=True\r\nAutoCenter=True\r\n" + std::string(DemoLayout)));
    ASSERT_TRUE(s.LogIn()) << s.server.Frames();

    // The map arrives from the web host and is drawn: a capture of the display shows its
    // squares, each the terrain's own atlas cell, texel for texel, and the own player on (12, 12).
    ASSERT_TRUE(s.Dump("frmMapDisp", "Map Display [Demo Arena]")) << s.last;
    std::string map;
    ASSERT_TRUE(skx::ReadWholeFile(testsupport::SourceFolder() + "\\tools\\testserver\\maps\\Demo.map", map));
    skx::ParseMap(map);
    const AtlasCells cells;
    ASSERT_TRUE(cells.Loaded());
    const HWND picture = s.ChildOf("Map Display [Demo Arena]");
    ASSERT_NE(picture, nullptr) << s.hook.Ask("dump frmMapDisp");
    const RECT area = testsupport::ShownClientArea(picture);
    testsupport::ScreenPicture shown;
    MapView view;
    testsupport::PumpUntil([&] {
        shown = testsupport::CaptureDisplay(s.dir.File("map.bmp"));
        view = FindView(shown, area, cells);
        return view.matching > view.squares * 9 / 10 && view.lake >= 30 && OwnPlayerShown(shown, area, view, cells, 12, 12);
    }, 30000);
    ASSERT_TRUE(area.left >= 0 && area.top >= 0 && area.right <= shown.width && area.bottom <= shown.height)
        << area.left << "," << area.top << "-" << area.right << "," << area.bottom << " of " << shown.width << "x" << shown.height;
    EXPECT_GT(view.matching, view.squares * 9 / 10) << view.matching << " of " << view.squares << " in " << area.left
                                                    << "," << area.top << "-" << area.right << "," << area.bottom;
    EXPECT_GE(view.lake, 30);
    EXPECT_TRUE(OwnPlayerShown(shown, area, view, cells, 12, 12));

    // One step west on the keypad (DirectInput): the server's answer moves the own player to
    // (11, 12), and the view, centred on it, a column to the left.
    s.Clear();
    SetForegroundWindow(s.MainWindow());
    ASSERT_TRUE(testsupport::PumpUntil([&] { return GetForegroundWindow() == s.MainWindow(); }, 5000));
    EXPECT_TRUE(PressKey(VK_NUMPAD4, [&] { return s.Sent(R"(["m", "&west&"])") > 0; })) << s.server.Frames();
    const std::pair<int, int> west((view.ox + 149) % 150, view.oy);
    MapView moved;
    testsupport::PumpUntil([&] {
        shown = testsupport::CaptureDisplay(s.dir.File("moved.bmp"));
        moved = FindView(shown, area, cells);
        return std::pair(moved.ox, moved.oy) == west && moved.matching > moved.squares * 9 / 10 &&
               OwnPlayerShown(shown, area, moved, cells, 11, 12);
    }, 30000);
    EXPECT_EQ(std::pair(moved.ox, moved.oy), west);
    EXPECT_GT(moved.matching, moved.squares * 9 / 10);
    EXPECT_TRUE(OwnPlayerShown(shown, area, moved, cells, 11, 12));

    // The who window lists the three players the server reports.
    s.hook.Ask("menu mnuViewWho");
    EXPECT_TRUE(s.Dump("frmWho", "Who's Online - 3 Players Online.")) << s.last;
    EXPECT_TRUE(s.Dump("frmWho", R"(row gridWhoWindow 3 key="bob")")) << s.last;

    // The store asks for its list and then for the locker, and shows both.
    s.hook.Ask("menu mnuViewBuy");
    EXPECT_TRUE(s.WaitSent(R"(["C", "look locker"])")) << s.server.Frames();
    EXPECT_TRUE(s.Dump("frmShop", R"(text="Paint Pistol)")) << s.last;
    EXPECT_TRUE(s.Dump("frmShop", "Red Helmet")) << s.last;

    // The options window opens and its Cancel, clicked, closes it.
    s.hook.Ask("menu mnuOptionsGeneral");
    ASSERT_TRUE(s.Dump("frmOptions", "visible=1")) << s.last;
    ClickAt(ClientControl(s.run.process.Pid(), IDC_OPTIONS_CMDCANCEL));
    EXPECT_TRUE(s.Dump("frmOptions", "not loaded")) << s.last;

    // A right click fires at a square, and a click on a square three east of the own one walks
    // there (the walk moves the view, so it comes last).
    SetForegroundWindow(s.MainWindow());
    ASSERT_TRUE(testsupport::PumpUntil([&] { return GetForegroundWindow() == s.MainWindow(); }, 5000));
    s.Clear();
    auto square = [&](int x, int y) { return POINT{16 * ((x - moved.ox + 150) % 150) + 8, 16 * ((y - moved.oy + 150) % 150) + 8}; };
    ClickAt(picture, true, square(20, 14));
    EXPECT_TRUE(s.WaitSent(R"(["C", "fire 20 14"])")) << s.server.Frames();
    ClickAt(picture, false, square(14, 12));
    EXPECT_TRUE(s.WaitSent(R"(["m", "&east&east&east&"])")) << s.server.Frames();

    // A chat line and a command typed into the entry line and sent with Enter.
    const HWND entry = GetDlgItem(s.MainWindow(), 201);  // frmMain.txtSend
    ClickAt(entry);
    ASSERT_TRUE(FocusIn(entry));
    // Enter once the line holds what was typed: the client would read Enter before typed
    // characters still on their way.
    for (auto [typed, sent] : {std::pair("hello  all", R"(["C", "c hello all"])"), {"/who", R"(["C", "who"])"}}) {
        TypeText(typed);
        EXPECT_TRUE(testsupport::PumpUntil([&] { return WindowText(entry) == typed; }, 10000)) << WindowText(entry);
        EXPECT_TRUE(PressKey(VK_RETURN, [&] { return s.Sent(sent) > 0; })) << s.server.Frames();
    }

    // The game window shows the game the server reports, and its players on the players page.
    EXPECT_TRUE(s.Dump("frmGame", R"(txtGameType class=Edit text="Survival")")) << s.last;
    s.hook.Ask("frmGame.tbGame click 2");
    EXPECT_TRUE(s.Dump("frmGame", R"(row lstPlayers 3 key="bob" text="bob" icon=0 selected=0 team="Blue" splats="31")")) << s.last;

    // The chat of the others and the server's notice reach the chat window.
    EXPECT_TRUE(s.Dump("frmChatBar", "anyone up for a game at the lake?")) << s.last;
    EXPECT_TRUE(s.Dump("frmChatBar", "GAME: You have started the game.")) << s.last;
    // The README's picture: the display as a person sees it, where the client's window is.
    RECT client{};
    GetWindowRect(s.MainWindow(), &client);
    const char* root = std::getenv("SKIRMORA_ROOT");
    EXPECT_GT(testsupport::CaptureDisplay(s.dir.File("session.bmp"), root ? std::string(root) + "/docs/session.png" : "",
                                          client).width, 0);

    // The notes: the forum's and the private list, and a note read.
    s.hook.Ask("menu mnuForumRead");
    EXPECT_TRUE(s.Dump("frmNotes", R"(subject="Welcome to Skirmora")")) << s.last;
    EXPECT_TRUE(s.Dump("frmNotes", R"(subject="Meet at the lake")")) << s.last;
    s.hook.Ask("frmNotes.gridNoteWindow(1) click 1");
    EXPECT_TRUE(s.Dump("frmNotes", R"(text="Hello and welcome!\r\nSee you in the arena.")")) << s.last;

    // The vote window asks for the tally and lists it.
    s.hook.Ask("menu mnuVote");
    EXPECT_TRUE(s.Dump("frmVote", R"(caption="4 Game(s).")")) << s.last;
    EXPECT_TRUE(s.Dump("frmVote", R"(key="Capture The Flag")")) << s.last;

    // The server closes the connection: the client says so and offers to connect again.
    s.server.Command(R"({"cmd": "close"})");
    EXPECT_TRUE(s.Dump("frmChatBar", "Disconnected.")) << s.last;
    EXPECT_TRUE(s.Dump("frmMain", R"(window #200 class=Button text="&Connect")")) << s.last;

    // Back in, then Main > Exit: "quit" goes out, the server closes, the program ends.
    s.Clear();
    ASSERT_TRUE(s.LogIn()) << s.server.Frames();
    EXPECT_TRUE(s.Dump("frmChatBar", "Welcome to the Skirmora test server, tester.")) << s.last;
    s.hook.Ask("menu mnuFileExit");
    ASSERT_TRUE(s.WaitSent(R"(["C", "quit"])")) << s.server.Frames();
    EXPECT_TRUE(s.run.process.Wait(20000));
}
