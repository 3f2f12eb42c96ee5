// The who window, the ignore list and the command box in the running client, logged in to the
// scripted server (level 95) and driven through the test hook.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ClientProcess.h"
#include "HookClient.h"
#include "ScriptedServer.h"
#include "WinTestSupport.h"
#include "frmMain.h"

using namespace clienttest;

namespace {

bool Has(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

class CommunityLists : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::RegisterSocketControl());
        const std::string exe = PrepareProgramFolder(dir.Path());
        SetClientValue(key, "Initialized", "False");
        SetClientValue(key, "Update", "False");
        CreateDirectoryA(dir.File("Dat").c_str(), nullptr);
        testsupport::WriteFileBytes(dir.File("script.json"), R"({"on": {"!": [["v", "95", "100", "False", "False"]]}})");
        ASSERT_TRUE(server.Start("--script " + testsupport::UnixPath(dir.File("script.json"))));
        const std::string game = dir.File("Dat\\Game.DAT");
        WritePrivateProfileStringA("Options", "AutoChatUpdate", "0", game.c_str());
        WritePrivateProfileStringA("LASTSERVER", "Host", "127.0.0.1", game.c_str());
        WritePrivateProfileStringA("LASTSERVER", "Port", std::to_string(server.GamePort()).c_str(), game.c_str());
        WritePrivateProfileStringA("Button23", "Command", "tell %1 hi", dir.File("Dat\\Buttons.DAT").c_str());
        ASSERT_TRUE(client.Start("\"" + exe + "\" --test-hook", dir.Path()));
        ASSERT_NE(WaitForProcessWindow(client.Pid(), skx::MainWindowClass, "Skirmex", 30000), nullptr);
        ASSERT_TRUE(hook.Attach(client.Pid(), 10000));
        // The start-up's last step starts the frame timer; then the login through the connect
        // dialog, which the level's Wizard Chat tab tells was taken in.
        ASSERT_TRUE(Dump("frmMain", "timer DXTimer enabled=1", 20000));
        hook.Ask("menu mnuFileConnect");
        ASSERT_TRUE(hook.WaitForDump("frmConnect", [](const std::string& d) { return Has(d, "visible=1"); }, 10000));
        hook.Ask("frmConnect.#101 set tester");
        hook.Ask("frmConnect.#102 set secret1");
        hook.Ask("frmConnect.#1 click");
        ASSERT_TRUE(Dump("frmChatBar", "caption=\"Wizard Chat\"", 15000)) << server.Frames();
    }
    void TearDown() override {
        client.Kill();
        DeleteClientValue(key, "Initialized");
        DeleteClientValue(key, "Update");
    }
    bool Dump(const std::string& form, const std::string& piece, uint32_t ms = 5000) {
        return hook.WaitForDump(form, [&](const std::string& d) { return Has(d, piece); }, ms, &last);
    }
    int Sent(const std::string& frame) {
        const std::string json = server.Frames();
        int n = 0;
        for (size_t at = json.find(frame); at != std::string::npos; at = json.find(frame, at + 1)) ++n;
        return n;
    }
    // Waits for a request for the player list, forgets the frames, and counts those of the next 4.5 s.
    int RequestsAfterTheNext() {
        testsupport::PumpUntil([&] { return Sent(WhoRequest) > 0; }, 4000);
        server.Command(R"({"cmd": "clear"})");
        testsupport::PumpFor(4500);
        return Sent(WhoRequest);
    }
    void Send(const std::string& frameJson) { server.Command(R"({"cmd": "send", "frames": [)" + frameJson + "]}"); }
    std::string IgnoreDat() { return testsupport::ReadFileBytes(dir.File("Dat\\Ignore.Dat")).value_or(""); }

    static constexpr const char* WhoRequest = R"(["w", " "])";
    testsupport::ScratchDir dir{"communitylists"};
    const std::string key = ClientKeyFor(dir.Path());
    testsupport::ScriptedServer server;
    Process client;
    testsupport::HookClient hook;
    std::string last;
};

}  // namespace

TEST_F(CommunityLists, WhoWindowAsksEveryThreeSecondsListsThePlayersAndRunsItsButtonsForTheSelected) {
    // An unsolicited list loads the who window hidden: it asks at once, then every 3 s.
    server.Command(R"({"cmd": "clear"})");
    Send(R"(["w", "bob:12:300:Idle:Red:3:0;ann:7:10:Playing::0:5;short:1:2"])");
    EXPECT_TRUE(testsupport::PumpUntil([&] { return Sent(WhoRequest) == 1; }, 1500));
    EXPECT_EQ(RequestsAfterTheNext(), 1);
    EXPECT_TRUE(Dump("frmChatBar", R"(row WhoList 2 key="ann" text="ann" icon=0 selected=0 level="7")")) << last;

    hook.Ask("menu mnuViewWho");
    Send(R"(["w", "bob:12:300:Idle:Red:3:0;ann:7:10:Playing::0:5;short:1:2"])");
    ASSERT_TRUE(Dump("frmWho", "caption=\"Who's Online - 2 Players Online.\" visible=1")) << last;
    EXPECT_TRUE(Has(last, R"(row gridWhoWindow 1 key="bob")") && Has(last, R"(game="0" idle="5")")) << last;
    EXPECT_TRUE(Has(last, "StatusBar1 class=msctls_statusbar32 text=\"Updated\"")) << last;
    hook.Ask("frmWho.gridWhoWindow select 1 2");
    hook.Ask("frmWho.cmdAlias(23) click");
    EXPECT_TRUE(testsupport::PumpUntil([&] { return Sent(R"(["C", "tell bob hi & tell ann hi"])") == 1; }, 5000));

    hook.Ask("frmWho.chkAutoUpdate click");
    ASSERT_TRUE(Dump("frmWho", "timer tmrWho enabled=0")) << last;
    server.Command(R"({"cmd": "clear"})");
    testsupport::PumpFor(4000);
    EXPECT_EQ(Sent(WhoRequest), 0);
}

TEST_F(CommunityLists, IgnoredSendersVanishAndTheCommandBoxAddsNamesAndRefusesABadRate) {
    Send(R"(["w", "bob:12:0:x:y:0:0;Some Player:3:0:x:y:0:0"])");
    hook.Ask("menu mnuViewIgnore");
    hook.Ask("frmIgnore.cmdUpdate click");
    ASSERT_TRUE(Dump("frmIgnore", R"(item lstOnline 1 "Some Player")")) << last;
    hook.Ask("frmIgnore.lstOnline select 0");
    hook.Ask("frmIgnore.cmdAdd click");
    EXPECT_TRUE(testsupport::PumpUntil([&] { return IgnoreDat() == " 1 \r\nbob\r\n"; }, 5000)) << IgnoreDat();

    Send(R"(["c", "bob", "hello", "0"], ["c", "bob", "hear ye", "6"], ["c", "Bob", "hi", "0"])");
    ASSERT_TRUE(Dump("frmChatBar", "Bob chats: hi")) << last;
    const std::string pane = testsupport::DumpLine(last, "control 4002 txtStatus(2)");
    EXPECT_TRUE(Has(pane, "bob announces: hear ye") && !Has(pane, "hello")) << pane;

    hook.Ask("frmChatBar.WhoList select 2");
    hook.Ask("menu mnuMiscIgnore");
    ASSERT_TRUE(Dump("frmCommand", "text=\"Ignore Some_Player\" visible=1")) << last;
    hook.Ask("frmCommand.txtCommand key Enter");
    EXPECT_TRUE(testsupport::PumpUntil([&] { return IgnoreDat() == " 2 \r\nbob\r\nSome Player\r\n"; }, 5000)) << IgnoreDat();

    // A rate of 0 is refused in a box; the frame timer runs on and still hands on what arrives.
    hook.Ask("menu mnuMiscIgnore");
    hook.Ask("frmCommand.txtCommand set rate 0");
    hook.Ask("frmCommand.txtCommand key Enter");
    EXPECT_TRUE(Dump("frmMsgBox", "0 is not a valid rate")) << last;
    Send(R"(["c", "srv", "still here", "1"])");
    EXPECT_TRUE(Dump("frmChatBar", "srv still here")) << last;
}
