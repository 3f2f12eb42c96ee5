// The game input of the running client logged in to the scripted server (keys, map clicks,
// targeting, scanner displays, command bar), judged by the frames the server receives.
#include "LoggedInClient.h"

#include <cstring>
#include <functional>

#include "ScreenPicture.h"
#include "frmMain.h"
#include "window_ids.h"

using namespace clienttest;

namespace {

constexpr int EntryLineId = 201;       // frmMain.txtSend
constexpr int FirstCommandButton = 300;  // frmMain.cmdAlias(0)

// One key (scan code, no extended flag) as the user's. The client reads the keys' state when
// DirectInput's notice reaches it, which on a busy machine may be long after the press: a key
// goes down and stays down until what it should do has happened (at most 10 s; false when it
// never did). A key that should do nothing is held as long as a person's press.
void Key(WORD vk, WORD scan, bool down) {
    INPUT in{INPUT_KEYBOARD, {}};
    in.ki = KEYBDINPUT{vk, scan, down ? 0u : KEYEVENTF_KEYUP, 0, 0};
    SendInput(1, &in, sizeof in);
}
bool Press(WORD vk, WORD scan, const std::function<bool()>& done) {
    Key(vk, scan, true);
    return done ? testsupport::PumpUntil(done, 10000) : (testsupport::PumpFor(200), true);
}
bool Tap(WORD vk, WORD scan, const std::function<bool()>& done = {}) {
    const bool held = Press(vk, scan, done);
    Key(vk, scan, false);
    return held;
}
// A button of the mouse pressed or let go at a point of the screen (the event carries the point,
// so no late pointer motion can move it). The map picture and the command buttons take the mouse
// on a press and let it go on the release: with `thread` (the client's window thread) the press
// or release is held until the client has done so (false when it never did within 10 s).
bool Mouse(POINT at, DWORD flags, DWORD thread = 0) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{INPUT_MOUSE, {}};
    in.mi.dx = static_cast<LONG>((at.x * 65536LL + width - 1) / width);
    in.mi.dy = static_cast<LONG>((at.y * 65536LL + height - 1) / height);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
    if (!thread) return true;
    const bool press = flags & (MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_RIGHTDOWN);
    return testsupport::PumpUntil([&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread, &info) && (info.hwndCapture != nullptr) == press;
    }, 10000);
}
// A click: the release follows the press also when the press was not taken.
bool ClickAt(POINT at, bool right, DWORD thread) {
    const bool pressed = Mouse(at, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, thread);
    return Mouse(at, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, thread) && pressed;
}

// A client logged in to a scripted server, its main window in front.
class InGame : public ClientTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(Start({.game = "[Options]\r\nKeyPad=True\r\n", .buttons = "[Button0]\r\nCommand=say hi\r\n"}));
        main_ = FindProcessWindow(run.process.Pid(), skx::MainWindowClassName(), nullptr);
        ASSERT_TRUE(main_ && ToFront(main_));
        thread_ = GetWindowThreadProcessId(main_, nullptr);
    }

    bool ToFront(HWND w) { return SetForegroundWindow(w), testsupport::PumpUntil([&] { return GetForegroundWindow() == w; }, 5000); }
    // Puts the player on square (10, 5) with the view centred there and the map window in front.
    void ShowMap() {
        server.Send({{"P", "10", "5", "3", "12"}, {"U"}});
        ASSERT_TRUE(WaitSent(R"(["M", ")"));
        const std::string frames = server.Frames();  // the view's origin: the first two fields
        const size_t at = frames.find(R"(["M", ")") + 7;
        originX_ = std::atoi(frames.c_str() + at);
        originY_ = std::atoi(frames.c_str() + frames.find("\"", frames.find(",", at)) + 1);
        HWND children = FindWindowExA(main_, nullptr, "MDIClient", nullptr);
        HWND map = FindWindowExA(children, nullptr, nullptr, "Map Display");
        ASSERT_NE(map, nullptr);
        SendMessageA(children, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(map), 0);
        picture_ = GetWindow(map, GW_CHILD);
    }
    // The middle of a square of the map on the screen.
    POINT Square(int x, int y) const {
        POINT p{((x - originX_ + 150) % 150) * 16 + 8, ((y - originY_ + 150) % 150) * 16 + 8};
        ClientToScreen(picture_, &p);
        return p;
    }
    // Whether the server has received that frame that many times.
    std::function<bool()> Received(const std::string& frame, int times = 1) {
        return [this, frame, times] { return Sent(frame) == times; };
    }
    // A menu option switched on. The hook clicks it with a posted message: keys pressed before it
    // is checked could be read under the option before.
    bool SwitchOn(const std::string& item) {
        hook.Ask("menu " + item);
        return testsupport::PumpUntil([&] { return Has(hook.Ask("dump " + item), "checked=1"); }, 10000);
    }
    // The text put into the entry line. The hook sets it from a posted message, while the client
    // takes its keys as DirectInput reports them: a key pressed before the text shows there could
    // find the line as it was before.
    bool SetLine(const std::string& text) {
        hook.Ask("frmMain.#" + std::to_string(EntryLineId) + " set " + text);
        return testsupport::PumpUntil([&] { return WindowText(GetDlgItem(main_, EntryLineId)) == text; }, 10000);
    }
    // The line put into the entry line and Enter pressed, held until the server has the frame.
    bool Enter(const std::string& line, const std::string& frame = {}) {
        return SetLine(line) && Tap(VK_RETURN, 0x1C, frame.empty() ? std::function<bool()>() : Received(frame));
    }

    // Whether the client has taken the input sent so far. Its window thread takes posted messages
    // before input, so input can wait behind them: a press on the map window's caption, sent after
    // it, takes the mouse for moving the window once taken, and the release lets it go (10 s each).
    bool InputTaken() {
        RECT r{};
        GetWindowRect(GetParent(picture_), &r);
        const POINT caption{r.left + 30, r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
        return Mouse(caption, MOUSEEVENTF_LEFTDOWN, thread_) && Mouse(caption, MOUSEEVENTF_LEFTUP, thread_);
    }

    HWND main_ = nullptr, picture_ = nullptr;
    DWORD thread_ = 0;
    int originX_ = 0, originY_ = 0;
};

}  // namespace

TEST_F(InGame, MovementKeysAndTheEntryLine) {
    const std::string north = R"(["m", "&north&"])", east = R"(["m", "&east&"])";
    Clear();
    ASSERT_TRUE(Tap(VK_NUMPAD8, 0x48, Received(north)));
    // 8 held and 6 pressed: both, in the order of their codes; releases send nothing, nor does
    // 5, which re-centres (its "M" comes after whatever the releases would have sent).
    ASSERT_TRUE(Press(VK_NUMPAD8, 0x48, Received(north, 2)));
    ASSERT_TRUE(Press(VK_NUMPAD6, 0x4D, Received(east)));
    Key(VK_NUMPAD8, 0x48, false), Key(VK_NUMPAD6, 0x4D, false);
    ASSERT_TRUE(Tap(VK_NUMPAD5, 0x4C, Received(R"(["M", ")")));
    std::string frames = server.Frames();
    EXPECT_EQ(Count(frames, north), 3) << frames;
    EXPECT_EQ(Count(frames, R"(["m", )"), 4) << frames;
    EXPECT_LT(frames.rfind(north), frames.find(east)) << frames;
    Clear();
    ASSERT_TRUE(SwitchOn("mnuOptionsWASD"));
    ASSERT_TRUE(Tap('W', 0x11, Received(north)));
    ASSERT_TRUE(Tap('D', 0x20, Received(east)));
    frames = server.Frames();
    EXPECT_EQ(Count(frames, R"(["m", )"), 2) << frames;
    EXPECT_FALSE(Has(frames, R"(["M", )")) << frames;

    EXPECT_TRUE(Enter("/who", R"(["C", "who"])"));
    ASSERT_TRUE(SwitchOn("mnuOptionsChat"));
    EXPECT_TRUE(Enter("hi", R"(["C", "c hi"])"));
    EXPECT_TRUE(Enter("a   b", R"(["C", "c a b"])"));
    // Down in the line goes through the lines sent, newest first.
    HWND line = GetDlgItem(main_, EntryLineId), edit = FindWindowExA(line, nullptr, "Edit", nullptr);
    PostMessageA(edit, WM_KEYDOWN, VK_DOWN, 0x00500001);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return WindowText(line) == "a b"; }, 5000)) << WindowText(line);
    // A paste of 300 characters keeps the first 250, the caret at their end.
    ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard());
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 301);
    memset(GlobalLock(text), 'x', 300), GlobalUnlock(text), SetClipboardData(CF_TEXT, text);
    CloseClipboard();
    ASSERT_TRUE(SetLine(""));
    SendMessageA(edit, WM_PASTE, 0, 0);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return WindowText(line) == std::string(250, 'x'); }, 5000)) << WindowText(line);
    EXPECT_EQ(SendMessageA(line, CB_GETEDITSEL, 0, 0), MAKELRESULT(250, 250));
    Clear();  // an empty line sends nothing; "/" an empty command line
    ASSERT_TRUE(Enter(""));
    ASSERT_TRUE(Enter("/", R"(["C", ""])"));
    EXPECT_EQ(Sent(R"(["C", )"), 1) << server.Frames();
    // With another program in front, keys are that program's.
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(ToFront(other));
    Clear();
    Tap('W', 0x11);
    ASSERT_TRUE(Enter("/later"));
    ASSERT_TRUE(ToFront(main_));
    ASSERT_TRUE(Tap('D', 0x20, Received(east)));
    frames = server.Frames();
    EXPECT_FALSE(Has(frames, R"(["m", "&north&"])")) << frames;
    EXPECT_FALSE(Has(frames, R"(["C", "later"])")) << frames;
    DestroyWindow(other);
}

TEST_F(InGame, ClicksOnTheMapWalkFireAndRunTheSelfClickCommand) {
    ASSERT_NO_FATAL_FAILURE(ShowMap());
    Clear();
    ASSERT_TRUE(ClickAt(Square(13, 5), false, thread_));
    EXPECT_TRUE(WaitSent(R"(["m", "&east&east&east&"])"));
    ASSERT_TRUE(ClickAt(Square(12, 5), true, thread_));
    EXPECT_TRUE(WaitSent(R"(["C", "fire 12 5"])"));
    Clear();
    ASSERT_TRUE(ClickAt(Square(10, 5), false, thread_));
    ASSERT_TRUE(WaitSent(R"(["C", "CENTER"])"));
    std::string frames = server.Frames();
    EXPECT_LT(frames.find(R"(["M", ")"), frames.find(R"(["C", "CENTER"])")) << frames;

    // Pressed on the map and let go beside it: no click.
    Clear();
    ASSERT_TRUE(Mouse(Square(12, 5), MOUSEEVENTF_LEFTDOWN, thread_));
    ASSERT_TRUE(Mouse(POINT{2, 2}, MOUSEEVENTF_LEFTUP, thread_));
    ASSERT_TRUE(ClickAt(Square(11, 5), true, thread_));
    ASSERT_TRUE(WaitSent(R"(["C", "fire 11 5"])"));
    frames = server.Frames();
    EXPECT_FALSE(Has(frames, R"(["m", )")) << frames;
    EXPECT_EQ(Count(frames, R"(["C", )"), 1) << frames;
}

TEST_F(InGame, MapClicksWhileDisconnectedSendNothingAndLeaveTheWalkTarget) {
    ASSERT_NO_FATAL_FAILURE(ShowMap());
    // Pressed while connected and let go once the server has hung up; then a walk and a shot.
    ASSERT_TRUE(Mouse(Square(13, 5), MOUSEEVENTF_LEFTDOWN, thread_));
    server.Command(R"({"cmd": "close"})");
    ASSERT_TRUE(Dump("frmMain", "panel 1 \"Disconnected\"", 10000)) << last;
    ASSERT_TRUE(Mouse(Square(13, 5), MOUSEEVENTF_LEFTUP, thread_));
    // While away the map does not take the mouse: there is no press to wait for, but the client
    // must have taken them before it logs in again, or the picture back by then would get them.
    ClickAt(Square(11, 5), false, 0), ClickAt(Square(12, 5), true, 0);
    ASSERT_TRUE(InputTaken());
    Clear();
    ASSERT_TRUE(LogIn());
    // Back on (10, 5), the view at the top left corner: the walk starts from the target held
    // before the hang-up, not from a square clicked while away.
    originX_ = originY_ = 0;
    server.Send({{"P", "10", "5", "3", "12"}});
    ASSERT_TRUE(ClickAt(Square(13, 5), false, thread_));
    ASSERT_TRUE(ClickAt(Square(12, 5), true, thread_));
    ASSERT_TRUE(WaitSent(R"(["C", "fire 12 5"])"));
    const std::string frames = server.Frames();
    EXPECT_TRUE(Has(frames, R"(["m", "&east&east&east&"])")) << frames;
    EXPECT_EQ(Count(frames, R"(["m", )") + Count(frames, R"("fire )"), 2) << frames;
}

TEST_F(InGame, TargetingMenuButtonsScannerAndCommandBar) {
    Clear();
    hook.Ask("menu mnuTargetSub(1)");
    EXPECT_TRUE(WaitSent(R"(["C", "target north"])"));
    hook.Ask("frmMain.cmdTarget(8) click");
    EXPECT_TRUE(WaitSent(R"(["C", "target off"])"));
    const std::string ticks = hook.Ask("dump mnuTargetSub");
    EXPECT_EQ(Count(ticks, "checked=1"), 1) << ticks;
    EXPECT_TRUE(Has(ticks, "mnuTargetSub(1) caption=\"North\" checked=1")) << ticks;

    // The bot display: "3" lights the east button red, "0" leaves all eight dark.
    hook.Ask("menu mnuLocationScanner");
    auto redPixels = [&](int place) {
        const testsupport::ScreenPicture shot = testsupport::CaptureWindow(main_);
        HWND panel = GetWindow(FindWindowExA(main_, nullptr, "SkirmexPicture", nullptr), GW_CHILD);
        const RECT r = shot.ClientArea(GetDlgItem(panel, IDC_SCANNER_BOT + place));
        int red = 0;
        for (int i = 0; i < (r.right - r.left) * (r.bottom - r.top); ++i) {
            const COLORREF c = shot.At(r.left + i % (r.right - r.left), r.top + i / (r.right - r.left));
            red += GetRValue(c) > 160 && GetGValue(c) < 80 && GetBValue(c) < 80 ? 1 : 0;
        }
        return red;
    };
    server.Send({{"y", "3"}});
    EXPECT_TRUE(testsupport::PumpUntil([&] { return redPixels(5) > 20; }, 5000));
    server.Send({{"y", "0"}});
    EXPECT_TRUE(testsupport::PumpUntil([&] { return redPixels(5) == 0; }, 5000));
    for (int place : {0, 1, 2, 3, 6, 7, 8}) EXPECT_EQ(redPixels(place), 0) << place;
    // The command bar acts on the press: a left press sends before the release.
    RECT r{};
    ASSERT_TRUE(GetWindowRect(GetDlgItem(main_, FirstCommandButton), &r));
    const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    Clear();
    Mouse(middle, MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(WaitSent(R"(["C", "say hi"])"));
    Mouse(middle, MOUSEEVENTF_LEFTUP);
    Clear();
    Mouse(middle, MOUSEEVENTF_RIGHTDOWN), Mouse(middle, MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(Dump("frmBtnEdit", "visible=1", 10000)) << last;
    EXPECT_EQ(Sent(R"(["C", )"), 0) << server.Frames();
}
