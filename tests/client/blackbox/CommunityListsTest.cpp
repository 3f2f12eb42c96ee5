// The who window, ignore list and command box in the running client (level 95), through its hook.
#include <gtest/gtest.h>

#include "ClientProcess.h"
#include "HookClient.h"
#include "ScriptedServer.h"
#include "frmMain.h"

using namespace clienttest;
using testsupport::PumpUntil;

namespace {
bool Has(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }
constexpr char WhoRequest[] = R"(["w", " "])";

class CommunityLists : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::RegisterSocketControl());
        const std::string exe = PrepareProgramFolder(dir.Path());
        for (const char* name : {"Initialized", "Update"}) SetClientValue(key, name, "False");
        CreateDirectoryA(dir.File("Dat").c_str(), nullptr);
        testsupport::WriteFileBytes(dir.File("s.json"), R"({"on": {"!": [["v", "95", "100", "False", "False"]]}})");
        ASSERT_TRUE(server.Start("--script " + testsupport::UnixPath(dir.File("s.json"))));
        testsupport::WriteFileBytes(dir.File("Dat\\Game.DAT"), "[Options]\r\nAutoChatUpdate=0\r\n[LASTSERVER]\r\n"
                                    "Host=127.0.0.1\r\nPort=" + std::to_string(server.GamePort()) + "\r\n");
        testsupport::WriteFileBytes(dir.File("Dat\\Buttons.DAT"), "[Button23]\r\nCommand=tell %1 hi\r\n");
        ASSERT_TRUE(client.Start("\"" + exe + "\" --test-hook", dir.Path()));
        ASSERT_TRUE(WaitForProcessWindow(client.Pid(), skx::MainWindowClass, "Skirmex", 30000) && hook.Attach(client.Pid(), 10000));
        ASSERT_TRUE(LogInThroughTheDialog(hook));
        ASSERT_TRUE(Dump("frmChatBar", "caption=\"Wizard Chat\"")) << server.Frames();  // level 95 taken in
    }
    void TearDown() override {
        client.Kill();
        for (const char* name : {"Initialized", "Update"}) DeleteClientValue(key, name);
    }
    bool Dump(const std::string& form, const std::string& piece) {
        return hook.WaitForDump(form, [&](const std::string& d) { return Has(d, piece); }, 15000, &last);
    }
    int Sent(const std::string& frame) {
        const std::string json = server.Frames();
        int n = 0;
        for (size_t at = json.find(frame); at != std::string::npos; at = json.find(frame, at + 1)) ++n;
        return n;
    }
    void Send(const std::string& frames) { server.Command(R"({"cmd": "send", "frames": [)" + frames + "]}"); }
    bool IgnoreDatBecomes(const std::string& text) {
        return PumpUntil([&] { return testsupport::ReadFileBytes(dir.File("Dat\\Ignore.Dat")) == text; }, 5000);
    }

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
    const std::string list = R"(["w", "bob:12:300:Idle:Red:3:0;ann:7:10:Playing::0:5;short:1:2"])";
    server.Command(R"({"cmd": "clear"})");
    Send(list);
    EXPECT_TRUE(PumpUntil([&] { return Sent(WhoRequest) == 1; }, 1500));
    EXPECT_TRUE(PumpUntil([&] { return Sent(WhoRequest) == 2; }, 3500) && !PumpUntil([&] { return Sent(WhoRequest) > 2; }, 2500));
    EXPECT_TRUE(Dump("frmChatBar", R"(row WhoList 2 key="ann" text="ann" icon=0 selected=0 level="7")")) << last;

    hook.Ask("menu mnuViewWho");  // shown before the list comes: the posted command goes first
    Send(list);
    ASSERT_TRUE(Dump("frmWho", "caption=\"Who's Online - 2 Players Online.\" visible=1")) << last;
    EXPECT_TRUE(Has(last, R"(row gridWhoWindow 1 key="bob")") && Has(last, R"(game="0" idle="5")") &&
                Has(last, "class=msctls_statusbar32 text=\"Updated\"")) << last;
    for (const char* r : {"frmWho.gridWhoWindow select 1 2", "frmWho.cmdAlias(23) click"}) hook.Ask(r);
    EXPECT_TRUE(PumpUntil([&] { return Sent(R"(["C", "tell bob hi & tell ann hi"])") == 1; }, 5000));

    hook.Ask("frmWho.chkAutoUpdate click");
    ASSERT_TRUE(Dump("frmWho", "timer tmrWho enabled=0")) << last;
    server.Command(R"({"cmd": "clear"})");
    EXPECT_FALSE(PumpUntil([&] { return Sent(WhoRequest) > 0; }, 4000));
}

TEST_F(CommunityLists, IgnoredSendersVanishAndTheCommandBoxAddsNamesAndRefusesABadRate) {
    Send(R"(["w", "bob:12:0:x:y:0:0;Some Player:3:0:x:y:0:0"])");
    ASSERT_TRUE(Dump("frmChatBar", R"(key="Some Player")")) << last;
    for (const char* r : {"menu mnuViewIgnore", "frmIgnore.cmdUpdate click"}) hook.Ask(r);
    ASSERT_TRUE(Dump("frmIgnore", R"(item lstOnline 1 "Some Player")")) << last;
    for (const char* r : {"frmIgnore.lstOnline select 0", "frmIgnore.cmdAdd click"}) hook.Ask(r);
    EXPECT_TRUE(IgnoreDatBecomes(" 1 \r\nbob\r\n"));
    Send(R"(["c", "bob", "hello", "0"], ["c", "bob", "hear ye", "6"], ["c", "Bob", "hi", "0"])");
    EXPECT_TRUE(Dump("frmChatBar", "Bob chats: hi") && Has(last, "bob announces: hear ye") && !Has(last, "hello")) << last;

    for (const char* r : {"frmChatBar.WhoList select 2", "menu mnuMiscIgnore"}) hook.Ask(r);
    ASSERT_TRUE(Dump("frmCommand", "text=\"Ignore Some_Player\" visible=1")) << last;
    hook.Ask("frmCommand.txtCommand key Enter");
    EXPECT_TRUE(IgnoreDatBecomes(" 2 \r\nbob\r\nSome Player\r\n"));
    // A rate of 0 is refused in a box; the frame timer runs on and still hands on what arrives.
    for (const char* r : {"menu mnuMiscIgnore", "frmCommand.txtCommand set rate 0", "frmCommand.txtCommand key Enter"}) hook.Ask(r);
    EXPECT_TRUE(Dump("frmMsgBox", "0 is not a valid rate")) << last;
    Send(R"(["c", "srv", "still here", "1"])");
    EXPECT_TRUE(Dump("frmChatBar", "srv still here")) << last;
}
