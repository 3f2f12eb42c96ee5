// The tip window, the debug view, the profile viewer and the About box in the running client,
// through its hook, with the scripted server.
#include "LoggedInClient.h"
#include "ScreenPicture.h"

using namespace clienttest;
using testsupport::PumpUntil;

namespace {
std::string ClientValue(const std::string& key, const char* name) {
    char value[64] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) return "";
    return value;
}

class HelpWindows : public ClientTest {
protected:
    // Logs in at a level; the server then lists bob and ann.
    void LogInAt(const char* level) {
        ASSERT_TRUE(Start({.reply = LoginReply(level, "0") + R"(, ["w", "bob:12:0:x:y:0:0;ann:7:0:x:y:0:0"])",
                           .game = "[Options]\r\nAutoChatUpdate=0\r\n"}));
        ASSERT_TRUE(Dump("frmChatBar", R"(row WhoList 2 key="ann")")) << last;
    }
    bool StartAlone() { return Start({.server = false, .logIn = false}); }

    const std::string key = ClientKeyFor(dir.Path()), exe = dir.File("Skirmex.exe");
};
}  // namespace

TEST_F(HelpWindows, TheTipShowsAtStartUntilUntickedAndTheTipsItemTurnsItBackOn) {
    testsupport::WriteFileBytes(dir.File("ToTD.Dat"), "Only tip");
    DeleteClientValue(key, "Update");
    ASSERT_TRUE(StartAlone());
    ASSERT_TRUE(Dump("frmTip", R"(text="Only tip" visible=1)")) << last;
    EXPECT_EQ(ClientValue(key, "Update"), "True");
    // The tip reads dark on the white of the picture area.
    const HWND tip = FindProcessWindow(run.process.Pid(), nullptr, "Tip of the Day");
    EXPECT_TRUE(PumpUntil([&] {
        const testsupport::ScreenPicture pic = testsupport::CaptureWindow(tip);
        const RECT text = pic.ClientArea(FindChild(tip, "Static", "Only tip"));
        return pic.DarkPixels(text) > 10 && testsupport::Luminance(pic.At(text.right - 2, text.bottom - 2)) > 200;
    }, kComes));
    for (const char* r : {"frmTip.cmdNextTip click", "frmTip.chkLoadTipsAtStartup click"}) hook.Ask(r);
    EXPECT_TRUE(PumpUntil([&] { return ClientValue(key, "Update") == "False"; }, kComes));
    EXPECT_TRUE(Dump("frmTip", R"(text="Only tip")")) << last;

    run.process.Kill();
    ASSERT_TRUE(run.Start(hook) && Dump("frmMain", "timer DXTimer enabled=1"));
    EXPECT_TRUE(Has(hook.Ask("dump frmTip"), "not loaded"));
    hook.Ask("menu mnuHelpTips");
    EXPECT_TRUE(Dump("frmTip", "value chkLoadTipsAtStartup 1") && Has(last, R"(text="Only tip" visible=1)")) << last;
    EXPECT_TRUE(PumpUntil([&] { return ClientValue(key, "Update") == "True"; }, kComes));

    DeleteFileA(dir.File("ToTD.Dat").c_str());
    hook.Ask("frmTip.cmdOK click");
    ASSERT_TRUE(Dump("frmTip", "not loaded")) << last;
    hook.Ask("menu mnuHelpTips");
    EXPECT_TRUE(Dump("frmTip", R"(text="That the ToTD.Dat file was not found? \r\n\r\nCreate a text file named ToTD.Dat)")) << last;
}

TEST_F(HelpWindows, DebugViewListsThePlayerTableAndInertRecordsReportOnlyWhatIsNoInteger) {
    LogInAt("100");
    // bob takes entry 5 and leaves it again: a free entry without a sprite.
    Send(R"(["L", "1", "5", "bob", "12"], ["L", "0", "5"], ["w", "cy:1:0:x:y:0:0"])");
    ASSERT_TRUE(Dump("frmChatBar", R"(key="cy")")) << last;
    hook.Ask("menu mnuDebug");
    ASSERT_TRUE(Dump("frmDebug", "rtbPlayerData class=RichEdit20A text=\"0) ")) << last;
    const std::string text = testsupport::DumpLine(last, "control 6100");
    size_t lines = 0;
    for (size_t at = text.find("\\r\\n"); at != std::string::npos; at = text.find("\\r\\n", at + 1)) ++lines;
    EXPECT_EQ(lines, 101u);
    EXPECT_TRUE(Has(text, "\\r\\n5)  [-1]\\r\\n")) << text;

    Send(R"(["i", "1~2~3~x"], ["i", "ab", "a~2~3~x"])");
    EXPECT_TRUE(PumpUntil([&] { return Reports() == 1; }, kComes));
    EXPECT_FALSE(PumpUntil([&] { return Reports() > 1; }, 1500));
}

TEST_F(HelpWindows, AboutShowsTheVersionClosesWithItsAnimationAndNeverHoldsUpTheEnd) {
    ASSERT_TRUE(StartAlone() && Dump("frmMain", "timer DXTimer enabled=1"));
    hook.Ask("menu mnuHelpAbout");
    ASSERT_TRUE(Dump("frmAbout", R"x(lblVersion class=Static text="v2.0.3d (Beta)" visible=1)x")) << last;
    DWORD size = GetFileVersionInfoSizeA(exe.c_str(), nullptr);
    std::string block(size, '\0');
    VS_FIXEDFILEINFO* fixed = nullptr;
    char* comments = nullptr;
    UINT n = 0;
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, block.data()) &&
                VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &n) &&
                VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\Comments", reinterpret_cast<void**>(&comments), &n));
    EXPECT_EQ("v" + std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) +
                  "." + std::to_string(HIWORD(fixed->dwFileVersionLS)) + comments, "v2.0.3d (Beta)");
    for (const char* r : {"frmAbout.cmdClose click", "frmAbout.cmdClose click"}) hook.Ask(r);
    EXPECT_TRUE(Dump("frmAbout", "not loaded")) << last;

    hook.Ask("menu mnuHelpAbout");
    ASSERT_TRUE(Dump("frmAbout", "visible=1")) << last;
    hook.Ask("menu mnuFileExit");
    EXPECT_TRUE(run.process.Wait(5000));
}

TEST_F(HelpWindows, ProfilePagesFillWhileShownAndFollowTheChosenPlayer) {
    LogInAt("95");
    // Before any profile: the reply loads the window hidden, which asks for nothing.
    Send(R"(["h", "1", "bob;17;Red;40;5;300;55%;10;4;7.5"])");
    ASSERT_TRUE(Dump("frmProfile", "visible=0")) << last;
    for (const char* r : {"frmChatBar.WhoList select 1", "menu mnuMiscProfile"}) hook.Ask(r);
    ASSERT_TRUE(Dump("frmProfile", "caption=\"bob\" visible=1")) << last;
    EXPECT_TRUE(SentTimes(R"(["b", "bob", "1"])", 1)) << server.Frames();
    EXPECT_TRUE(Has(last, "tab tabProfile 3 caption=\"Administration\"") && Reports() == 0) << last;

    Send(R"(["h", "1", "bob;17;Red;40;5;300;55%;10;4;7.5"])");
    EXPECT_TRUE(Dump("frmProfile", R"(txtInfo(9) class=Edit text="7.5")") && Has(last, R"(txtInfo(0) class=Edit text="bob")")) << last;
    Send(R"(["h", "1", "x;1;2;3;4;5;6;7;8"], ["h", "2", "a3;c1;h2"])");
    hook.Ask("frmProfile.tabProfile click 2");
    EXPECT_TRUE(SentTimes(R"(["b", "bob", "2"])", 1)) << server.Frames();
    ASSERT_TRUE(Dump("frmProfile", R"(row lsvAwards 6 key="" text="Gold Ironman" icon=23)")) << last;
    for (const char* row : {R"(1 key="" text="Emerald Bot Harvester" icon=1)", R"(2 key="" text="Gold Bot Harvester" icon=2)",
                            R"(3 key="" text="Ruby Bot Harvester" icon=3)", R"(4 key="" text="Emerald Evader" icon=7)",
                            R"(5 key="" text="Emerald Ironman" icon=22)"}) {
        EXPECT_TRUE(Has(last, row)) << row;
    }
    EXPECT_TRUE(Has(last, R"(txtInfo(0) class=Edit text="bob")")) << last;
    Send(R"(["h", "2", "C2;c;c0;x3;"])");
    EXPECT_TRUE(Dump("frmProfile", R"(row lsvAwards 2 key="" text="Gold Evader")") && !Has(last, "row lsvAwards 3")) << last;

    hook.Ask("frmProfile.tabProfile click 3");
    EXPECT_TRUE(SentTimes(R"(["b", "bob", "3"])", 1)) << server.Frames();
    Send(R"(["h", "3", "bob@example.org;;;;;;;;;;;;;;;;;;;;;250;"])");
    ASSERT_TRUE(Dump("frmProfile", R"(txtAdmin(21) class=Edit text="250" visible=1)")) << last;
    EXPECT_TRUE(Has(last, R"(txtAdmin(0) class=Edit text="bob@example.org" visible=1)") &&
                Has(last, R"(lblAdmin(21) class=Static text="Cash:" visible=1)") &&
                Has(last, R"(txtAdmin(1) class=Edit text="" visible=0)")) << last;

    // Another player: every page empties and the page on show is asked for.
    for (const char* r : {"frmChatBar.WhoList select 2", "menu mnuMiscProfile"}) hook.Ask(r);
    EXPECT_TRUE(SentTimes(R"(["b", "ann", "3"])", 1)) << server.Frames();
    EXPECT_TRUE(Dump("frmProfile", "caption=\"ann\"") && Has(last, R"(txtAdmin(0) class=Edit text="" visible=0)") &&
                !Has(last, "row lsvAwards") && Has(last, R"(txtInfo(0) class=Edit text="")")) << last;
}

TEST_F(HelpWindows, BelowNinetyTheProfileHasTwoTabs) {
    LogInAt("50");
    for (const char* r : {"frmChatBar.WhoList select 1", "menu mnuMiscProfile"}) hook.Ask(r);
    ASSERT_TRUE(Dump("frmProfile", "tab tabProfile 2 caption=\"Awards\"")) << last;
    EXPECT_FALSE(Has(last, "tab tabProfile 3"));
}
