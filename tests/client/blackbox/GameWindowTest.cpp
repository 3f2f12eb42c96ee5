// The game information window in the running client, fed and clicked over the wire.
#include "LoggedInClient.h"

#include "DemoSession.h"
#include "frmMain.h"
#include "window_ids.h"

using namespace clienttest;
using testsupport::PumpUntil;

namespace {

// The dialog id of the window that has the keyboard focus in the thread of that window.
int FocusedId(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus) return 0;
    return GetDlgCtrlID(info.hwndFocus);
}

BOOL CALLBACK FindGameType(HWND h, LPARAM found) {
    if (GetDlgCtrlID(h) == IDC_GAME_TXTGAMETYPE) *reinterpret_cast<HWND*>(found) = h;
    return TRUE;
}

// Alt held around a letter key, as typed.
void AltKey(WORD letter) {
    INPUT keys[4] = {};
    for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[3].ki.wVk = VK_MENU;
    keys[1].ki.wVk = keys[2].ki.wVk = letter;
    keys[2].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, keys, sizeof(INPUT));
}

class GameWindow : public ClientTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(Start({.game = "[Options]\r\nAutoChatUpdate=0\r\n"}));
        ASSERT_TRUE(Dump("frmChatBar", "caption=\"Wizard Chat\"")) << server.Frames();
        hook.Ask("menu mnuOptionsGameInformation");
        ASSERT_TRUE(Dump("frmGame", "caption=\"Game Information\" visible=1")) << last;
    }
    // Sends an 'e' reply, then a chat line, and waits for the line: the reply has been handled.
    void Reply(const std::string& fields) {
        const std::string mark = "mark" + std::to_string(++marks);
        Send(R"(["e", )" + fields + R"(], ["c", "srv", ")" + mark + R"(", "1"])");
        ASSERT_TRUE(Dump("frmChatBar", mark)) << last;
        last = hook.Ask("dump frmGame");
    }
    // The error reports written since the last call.
    int NewReports() {
        int n = 0;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(dir.File("*.log").c_str(), &found);
        for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
            DeleteFileA(dir.File(found.cFileName).c_str());
            ++n;
        }
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        return n;
    }

    int marks = 0;
};
}  // namespace

TEST_F(GameWindow, RepliesFillTheThreeSectionsAndBadOnesChangeNothing) {
    NewReports();
    Reply(R"("1", " Survival ; 4:59 ;2")");
    EXPECT_TRUE(Has(last, R"(txtGameType class=Edit text="Survival")") && Has(last, R"(txtTimeLeft class=Edit text="4:59")") &&
                Has(last, R"(txtNumTeams class=Edit text="2")")) << last;
    EXPECT_TRUE(Dump("frmMain", "panel 2 \"Survival\"")) << last;

    Reply(R"("2", "amy:Red:3~bob:Blue:0")");
    EXPECT_TRUE(Has(last, R"(row lstPlayers 2 key="bob" text="bob" icon=0 selected=0 team="Blue" splats="0")")) << last;
    for (const char* none : {R"("2", "Zero")", R"("2", " zero ")", R"("2", "a:b:1;c:d:2")"}) {
        Reply(none);
        EXPECT_FALSE(Has(last, "row lstPlayers")) << none << last;
    }
    Reply(R"("2", "ZeroCool:Red:1")");
    EXPECT_TRUE(Has(last, R"(row lstPlayers 1 key="ZeroCool")")) << last;
    EXPECT_EQ(NewReports(), 0);
    Reply(R"("2", "amy:Red:3~amy:Blue:1")");
    EXPECT_TRUE(Has(last, R"(key="amy" text="amy" icon=0 selected=0 team="Red")") && !Has(last, "row lstPlayers 2") &&
                Has(last, R"(text="Bot Splats: 0")")) << last;
    EXPECT_EQ(NewReports(), 1);
    Reply(R"("2", "amy")");
    EXPECT_TRUE(Has(last, R"(key="amy" text="amy" icon=0 selected=0 team="" splats="")")) << last;
    Reply(R"("2", "amy:Red:3~")");
    EXPECT_TRUE(Has(last, R"(row lstPlayers 1 key="amy")") && !Has(last, "row lstPlayers 2")) << last;
    EXPECT_EQ(NewReports(), 0);

    Reply(R"("3", "Red; Hunt ; A~B~")");
    EXPECT_TRUE(Has(last, R"(txtYourTeam class=Edit text="Red")") && Has(last, R"(txtGameInfo class=Edit text="Hunt Bots...")") &&
                Has(last, R"(row lstTeams 1 key="" text=" A")") && Has(last, R"(row lstTeams 2 key="" text="B")")) << last;
    Reply(R"("3", "Red;Hunt;None")");
    EXPECT_FALSE(Has(last, "row lstTeams")) << last;
    Reply(R"("3", "Red;Hunt;Nonesuch")");
    EXPECT_TRUE(Has(last, R"(row lstTeams 1 key="" text="Nonesuch")")) << last;

    // Three fields, a section that is no number, and a hidden window: nothing shown.
    Reply(R"("1", "Hunt;1:00;3", "x")");
    Reply(R"("x", "Hunt;1:00;3")");
    EXPECT_EQ(NewReports(), 1);
    hook.Ask("menu mnuOptionsGameInformation");
    ASSERT_TRUE(Dump("frmGame", "caption=\"Game Information\" visible=0")) << last;
    Reply(R"("1", "Hunt;1:00;3")");
    EXPECT_TRUE(Has(last, R"(txtGameType class=Edit text="Survival")") && Has(last, "visible=0")) << last;
}

TEST_F(GameWindow, ToolBarComboAndCounterAnswerTheUserOnly) {
    Clear();
    hook.Ask("frmGame.cmbStatus key R");
    hook.Ask("frmGame.tbGame click 2");
    ASSERT_TRUE(SentTimes(R"(["e", "1"], ["e", "2"], ["e", "3"])", 1)) << server.Frames();
    EXPECT_TRUE(Dump("frmGame", R"(button tbGame 2 caption="Players" pressed=1)") && Has(last, "lstPlayers class=SysListView32 text=\"\" visible=1") &&
                Has(last, R"(button tbGame 1 caption="Info     " pressed=0)") && Has(last, "txtGameType class=Edit text=\"\" visible=0")) << last;
    hook.Ask("frmGame.tbGame click 2");
    ASSERT_TRUE(SentTimes(R"(["e", "1"], ["e", "2"], ["e", "3"])", 2)) << server.Frames();
    EXPECT_TRUE(Dump("frmGame", "lstPlayers class=SysListView32 text=\"\" visible=1")) << last;
    hook.Ask("frmGame.tbGame click 1");
    ASSERT_TRUE(Dump("frmGame", "txtGameType class=Edit text=\"\" visible=1")) << last;
    EXPECT_EQ(Sent(R"(["R")"), 0) << server.Frames();  // the typed letter picked nothing

    hook.Ask("frmGame.cmbStatus key Down");
    EXPECT_TRUE(SentTimes(R"(["R", "1"])", 1)) << server.Frames();
    hook.Ask("frmGame.cmbStatus key Down");
    EXPECT_TRUE(SentTimes(R"(["R", "2"])", 1)) << server.Frames();
    Send(R"(["M", "18", "yes"], ["B", "42"], ["e", "1", "x;y;z"])");
    EXPECT_TRUE(Dump("frmGame", R"(text="Bot Splats: 42" visible=0)") && Has(last, R"(cmbStatus class=ComboBox text="Ready")")) << last;

    hook.Ask("frmGame.lblDispBotSplats rclick");
    // A click asked after it comes to the client behind its mouse messages: once the Info button
    // has sent its requests again, the right click has been handled.
    hook.Ask("frmGame.tbGame click 1");
    ASSERT_TRUE(SentTimes(R"(["e", "1"], ["e", "2"], ["e", "3"])", 4)) << server.Frames();
    EXPECT_TRUE(Dump("frmGame", R"(text="Bot Splats: 42" visible=0)")) << last;
    hook.Ask("frmGame.lblDispBotSplats rclick shift");
    EXPECT_TRUE(Dump("frmGame", R"(text="Bot Splats: 42" visible=1)")) << last;
    EXPECT_EQ(Sent(R"(["R")"), 2) << server.Frames();
}

TEST_F(GameWindow, TabAndTheLabelsLettersMoveTheFocusOverTheShownFrame) {
    HWND main = FindProcessWindow(run.process.Pid(), skx::MainWindowClass, "Skirmex");
    HWND type = nullptr;
    EnumChildWindows(main, &FindGameType, reinterpret_cast<LPARAM>(&type));
    ASSERT_TRUE(type && SetForegroundWindow(main) && PumpUntil([&] { return GetForegroundWindow() == main; }, kComes));
    ClickAt(type);
    ASSERT_TRUE(PumpUntil([&] { return FocusedId(main) == IDC_GAME_TXTGAMETYPE; }, kComes)) << FocusedId(main);
    // Down the frame shown and round to its first box, passing the hidden frames' controls by.
    for (int id : {IDC_GAME_TXTTIMELEFT, IDC_GAME_TXTNUMTEAMS, IDC_GAME_CMBSTATUS, IDC_GAME_TXTGAMETYPE}) {
        PressKey(VK_TAB);
        EXPECT_TRUE(PumpUntil([&] { return FocusedId(main) == id; }, kComes)) << id << " " << FocusedId(main);
    }
    PressKey(VK_TAB, false, true);
    EXPECT_TRUE(PumpUntil([&] { return FocusedId(main) == IDC_GAME_CMBSTATUS; }, kComes)) << FocusedId(main);
    // "Game T&ime:" leads to the time, "&Ready Status:" to the status box, choosing nothing.
    AltKey('I');
    EXPECT_TRUE(PumpUntil([&] { return FocusedId(main) == IDC_GAME_TXTTIMELEFT; }, kComes)) << FocusedId(main);
    AltKey('R');
    EXPECT_TRUE(PumpUntil([&] { return FocusedId(main) == IDC_GAME_CMBSTATUS; }, kComes)) << FocusedId(main);
    EXPECT_TRUE(Dump("frmGame", R"(cmbStatus class=ComboBox text="Unready")")) << last;
    EXPECT_EQ(Sent(R"(["R")"), 0) << server.Frames();
}
