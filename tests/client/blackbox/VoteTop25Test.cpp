// The vote, top-25, registration and level-up windows in the running client, logged in as
// "tester" (level 95) to the scripted server and driven through the test hook.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ClientProcess.h"
#include "HookClient.h"
#include "ScriptedServer.h"
#include "WinTestSupport.h"

using namespace clienttest;
using testsupport::DumpLineHas;
using testsupport::PumpUntil;

namespace {
bool Has(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }
constexpr char VoteRequest[] = R"(["C", "vote"])";

class Community : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::RegisterSocketControl());
        ASSERT_TRUE(server.Start());
        server.Command(R"({"cmd": "script", "script": {"on": {"!": [["v", "95", "100", "False", "False"]]}}})");
        WritePrivateProfileStringA("LASTSERVER", "Host", "127.0.0.1", Game().c_str());
        WritePrivateProfileStringA("LASTSERVER", "Port", std::to_string(server.GamePort()).c_str(), Game().c_str());
        ASSERT_TRUE(run.Start(hook) && LogInThroughTheDialog(hook));
        ASSERT_TRUE(PumpUntil([&] { return Sent(R"(["!", "tester")") == 1; }, 10000));
        server.Command(R"({"cmd": "clear"})");
    }
    void TearDown() override { run.process.Kill(); }
    std::string Game() const { return run.DatFile("Game.DAT"); }
    std::string Ini(const char* section, const char* key) const {
        char value[256] = {};
        GetPrivateProfileStringA(section, key, "", value, sizeof value, Game().c_str());
        return value;
    }
    int Sent(const std::string& frame) {
        const std::string json = server.Frames();
        int n = 0;
        for (size_t at = json.find(frame); at != std::string::npos; at = json.find(frame, at + 1)) ++n;
        return n;
    }
    bool SentNow(const std::string& frame, int times) { return PumpUntil([&] { return Sent(frame) == times; }, 5000); }
    void Send(const std::string& frames) { server.Command(R"({"cmd": "send", "frames": [)" + frames + "]}"); }
    bool Dump(const std::string& form, const std::string& piece) {
        return hook.WaitForDump(form, [&](const std::string& d) { return Has(d, piece); }, 10000, &last);
    }
    void Ask(std::initializer_list<const char*> requests) {
        for (const char* r : requests) ASSERT_EQ(hook.Ask(r), "ok") << r;
    }
    void Keys(const std::string& control, const char* key, int times) {
        for (int i = 0; i < times; ++i) ASSERT_EQ(hook.Ask(control + " key " + key), "ok");
    }
    // Presses the button of the open box that shows text.
    bool Answer(const std::string& text, const std::string& button) {
        const std::string marker = " class=Button text=\"" + button + "\" visible=1";
        if (!hook.WaitForDump("frmMsgBox", [&](const std::string& d) { return Has(d, text) && Has(d, marker); }, 10000, &last)) return false;
        const size_t at = last.find(marker);
        const size_t id = last.rfind('#', at);
        if (hook.Ask("frmMsgBox." + last.substr(id, at - id) + " click") != "ok") return false;
        // Gone (a box that follows at once has another text).
        return hook.WaitForDump("frmMsgBox", [&](const std::string& d) { return !DumpLineHas(d, "form", "visible=1") || !Has(d, text); },
                                10000, &last);
    }

    testsupport::ScratchDir dir{"votetop25"};
    ClientRun run{dir.Path()};
    testsupport::ScriptedServer server;
    testsupport::HookClient hook;
    std::string last;
};
}  // namespace

TEST_F(Community, VoteWindowVotesHatesRefreshesAndSkipsARepeatedGame) {
    Ask({"menu mnuVote"});
    EXPECT_TRUE(SentNow(VoteRequest, 1));
    Send(R"(["n", "Capture The Flag:3;Survival:1"])");
    ASSERT_TRUE(Dump("frmVote", "caption=\"2 Game(s).\" visible=1")) << last;
    Ask({"frmVote.gridVoteWindow select 2", "frmVote.cmdVote click"});
    EXPECT_TRUE(SentNow(R"(["C", "vote 'Survival'"])", 1) && SentNow(VoteRequest, 2)) << server.Frames();
    Send(R"(["M", "50", "v:Survival"])");
    EXPECT_TRUE(Dump("frmVote", R"(row gridVoteWindow 2 key="Survival" text="" icon=1)")) << last;
    EXPECT_EQ(Ini("Vote", "Game"), "Survival");

    Ask({"frmVote.gridVoteWindow click 1"});  // a click on an unselected row selects it: hated
    EXPECT_TRUE(SentNow(R"(["C", "game hate CaptureTheFlag"])", 1)) << server.Frames();
    EXPECT_TRUE(Dump("frmVote", R"(row gridVoteWindow 1 key="Capture The Flag" text="" icon=2 selected=1)")) << last;
    EXPECT_EQ(Ini("Hate", "Capture The Flag"), "True");
    Ask({"frmVote.cmdVote click"});
    EXPECT_TRUE(Answer("You can't vote for a game that you currently hate to play!", "Ok")) << last;
    EXPECT_EQ(Sent("vote 'Capture"), 0);

    server.Command(R"({"cmd": "clear"})");
    Ask({"frmVote.chkAutoUpdate click"});
    EXPECT_TRUE(PumpUntil([&] { return Sent(VoteRequest) == 2; }, 7000)) << server.Frames();
    Ask({"frmVote.chkAutoUpdate click"});
    ASSERT_TRUE(Dump("frmVote", "timer tmrVote enabled=0")) << last;
    server.Command(R"({"cmd": "clear"})");
    EXPECT_FALSE(PumpUntil([&] { return Sent(VoteRequest) > 0; }, 4000));

    Send(R"(["n", "A:1;A:2;B:3"])");
    ASSERT_TRUE(Dump("frmVote", R"(row gridVoteWindow 2 key="B")")) << last;
    EXPECT_TRUE(DumpLineHas(last, "form", "caption=\"2 Game(s).\"") && Has(last, R"(game="A" vote="1")")) << last;
    int reports = 0;  // the repeated game, reported once
    WIN32_FIND_DATAA found{};
    if (HANDLE h = FindFirstFileA(dir.File("*.log").c_str(), &found); h != INVALID_HANDLE_VALUE) {
        do ++reports; while (FindNextFileA(h, &found));
        FindClose(h);
    }
    EXPECT_EQ(reports, 1);
}

TEST_F(Community, TallyAndTopListBeforeTheirWindowsThenTopListsAndTheLevelCalculator) {
    // The tally goes to the Game pane; asking whether the vote window shows loaded it hidden.
    Send(R"(["n", "A:1;B:2;C:3"])");
    EXPECT_TRUE(Dump("frmChatBar", R"(\nA:1 B:2 C:3 \r\n")") && DumpLineHas(last, "control 4001", "A:1 B:2 C:3 ")) << last;
    EXPECT_TRUE(SentNow(VoteRequest, 1) && Dump("frmVote", "visible=0")) << last;
    Send(R"(["O", "bob:100:d1;ann:9:d2;carl:10:d3;bob:007:d4"])");
    ASSERT_TRUE(Dump("frmTop25", R"(row lvResults 4 key="" text="bob")")) << last;
    EXPECT_TRUE(DumpLineHas(last, "form", "visible=0") && Has(last, R"(row lvResults 3 key="" text="carl")")) << last;

    Ask({"menu mnuViewTop"});
    ASSERT_TRUE(Dump("frmTop25", "caption=\"Top 25 Results\" visible=1")) << last;
    EXPECT_TRUE(Has(last, R"(row lvResults 1 key="" text="bob" icon=0 selected=0 value="100" date="d1")")) << last;
    EXPECT_EQ(Sent(R"(["o")"), 0);
    Ask({"frmTop25.lvResults click -2"});  // the Value header: descending by number, texts kept
    EXPECT_TRUE(Dump("frmTop25", R"(row lvResults 2 key="" text="carl")")) << last;
    EXPECT_TRUE(Has(last, R"(row lvResults 3 key="" text="ann")") && Has(last, R"(row lvResults 4 key="" text="bob" icon=0 selected=0 value="007")")) << last;
    // "Top 25 Splats" chosen, then chosen again: one request each.
    Ask({"frmTop25.cmbTop25 key F4", "frmTop25.cmbTop25 key Down", "frmTop25.cmbTop25 key Down", "frmTop25.cmbTop25 key Enter"});
    EXPECT_TRUE(SentNow(R"(["o", "1"])", 1)) << server.Frames();
    Ask({"frmTop25.cmbTop25 key F4", "frmTop25.cmbTop25 key Enter"});
    EXPECT_TRUE(SentNow(R"(["o", "1"])", 2) && Sent(R"(["o")") == 2) << server.Frames();
    Send(R"(["O", "x:1"])");
    EXPECT_TRUE(hook.WaitForDump("frmTop25", [](const std::string& d) { return !Has(d, "row lvResults"); }, 10000, &last)) << last;

    // Level 25 to 30, both chosen in the lists (the chosen entry read while the box is behind).
    server.Command(R"({"cmd": "clear"})");
    Ask({"menu mnuHelpLevelup"});
    ASSERT_TRUE(Dump("frmLvlCalc", "visible=1")) << last;
    Keys("frmLvlCalc.cmbStart", "Down", 21);
    Keys("frmLvlCalc.cmbGoal", "Down", 23);
    EXPECT_TRUE(Dump("frmLvlCalc", "txtCost class=Edit text=\"$10.00\"")) << last;
    EXPECT_TRUE(Has(last, "txtCash class=Edit text=\"$3250\"") && Has(last, "txtSplats class=Edit text=\"------\"")) << last;
    EXPECT_TRUE(Has(last, "cmbGoal class=ComboBox text=\"30\"")) << last;
    EXPECT_FALSE(Has(server.Frames(), "[\"")) << server.Frames();
}

TEST_F(Community, RegistrationWizardSendsTheCheckedAddressAndTheUnquotedCode) {
    Send(R"(["v", "1", "0", "False", "False"])");
    ASSERT_TRUE(Dump("frmRegistration", "txtUsername class=Edit text=\"tester\" visible=1 enabled=0")) << last;
    EXPECT_TRUE(DumpLineHas(last, "form", "visible=1")) << last;
    Ask({"frmRegistration.txtEmail set john.doe@example.com", "frmRegistration.cmdNext click"});
    ASSERT_TRUE(Answer("Is the address you entered a valid e-mail address?", "Yes")) << last;
    EXPECT_TRUE(SentNow(R"(["C", "email john.doe@example.com"])", 1)) << server.Frames();
    Ask({"frmRegistration.txtCode set 'ABC1234'", "frmRegistration.cmdNext click"});
    EXPECT_TRUE(SentNow(R"(["C", "code ABC1234"])", 1)) << server.Frames();
    ASSERT_TRUE(Dump("frmRegistration", "cmdNext class=Button text=\"Finished!\"")) << last;
    EXPECT_TRUE(Has(last, "txtCode class=Edit text=\"ABC1234\"")) << last;
    EXPECT_TRUE(Has(last, "text=\"Congratulations!  You have registered your character!\" visible=1")) << last;

    Ask({"frmRegistration.cmdBack click", "frmRegistration.cmdBack click"});
    ASSERT_TRUE(Dump("frmRegistration", "txtEmail class=Edit text=\"john.doe@example.com\" visible=1")) << last;
    Ask({"frmRegistration.txtEmail set a@b.co", "frmRegistration.cmdNext click"});
    ASSERT_TRUE(Answer("Is the address you entered a valid e-mail address?", "Yes")) << last;
    EXPECT_TRUE(Answer("You did not enter a valid e-mail address.  Please try again.", "Ok")) << last;
    Ask({"frmRegistration.cmdNext click"});
    ASSERT_TRUE(Answer("Is the address you entered a valid e-mail address?", "No")) << last;
    EXPECT_TRUE(Dump("frmRegistration", "txtEmail class=Edit text=\"a@b.co\" visible=1")) << last;
    EXPECT_EQ(Sent("email"), 1) << server.Frames();
}
