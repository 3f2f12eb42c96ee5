// The vote, top-25, registration and level-up windows in the running client, logged in as
// "tester" (level 95) to the scripted server and driven through the test hook.
#include "LoggedInClient.h"

using namespace clienttest;
using testsupport::DumpLineHas;

namespace {
constexpr char VoteRequest[] = R"(["C", "vote"])";

class Community : public ClientTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(Start());
        Clear();
    }
    void Ask(std::initializer_list<const char*> requests) {
        for (const char* r : requests) ASSERT_EQ(hook.Ask(r), "ok") << r;
    }
    void Keys(const std::string& control, const char* key, int times) {
        for (int i = 0; i < times; ++i) ASSERT_EQ(hook.Ask(control + " key " + key), "ok");
    }
};
}  // namespace

TEST_F(Community, VoteWindowVotesHatesRefreshesAndSkipsARepeatedGame) {
    Ask({"menu mnuVote"});
    EXPECT_TRUE(SentTimes(VoteRequest, 1));
    Send(R"(["n", "Capture The Flag:3;Survival:1"])");
    ASSERT_TRUE(Dump("frmVote", "caption=\"2 Game(s).\" visible=1")) << last;
    Ask({"frmVote.gridVoteWindow select 2", "frmVote.cmdVote click"});
    EXPECT_TRUE(SentTimes(R"(["C", "vote 'Survival'"])", 1) && SentTimes(VoteRequest, 2)) << server.Frames();
    Send(R"(["M", "50", "v:Survival"])");
    EXPECT_TRUE(Dump("frmVote", R"(row gridVoteWindow 2 key="Survival" text="" icon=1)")) << last;
    EXPECT_EQ(IniValue(Game(), "Vote", "Game"), "Survival");

    Ask({"frmVote.gridVoteWindow click 1"});  // a click on an unselected row selects it: hated
    EXPECT_TRUE(SentTimes(R"(["C", "game hate CaptureTheFlag"])", 1)) << server.Frames();
    EXPECT_TRUE(Dump("frmVote", R"(row gridVoteWindow 1 key="Capture The Flag" text="" icon=2 selected=1)")) << last;
    EXPECT_EQ(IniValue(Game(), "Hate", "Capture The Flag"), "True");
    Ask({"frmVote.cmdVote click"});
    EXPECT_TRUE(Answer("You can't vote for a game that you currently hate to play!", "Ok")) << last;
    EXPECT_EQ(Sent("vote 'Capture"), 0);

    Clear();
    Ask({"frmVote.chkAutoUpdate click"});
    EXPECT_TRUE(SentTimes(VoteRequest, 2, 7000)) << server.Frames();
    Ask({"frmVote.chkAutoUpdate click"});
    ASSERT_TRUE(Dump("frmVote", "timer tmrVote enabled=0")) << last;
    Clear();
    EXPECT_FALSE(WaitSent(VoteRequest, 4000));

    Send(R"(["n", "A:1;A:2;B:3"])");
    ASSERT_TRUE(Dump("frmVote", R"(row gridVoteWindow 2 key="B")")) << last;
    EXPECT_TRUE(DumpLineHas(last, "form", "caption=\"2 Game(s).\"") && Has(last, R"(game="A" vote="1")")) << last;

    // A vote for A, then B within the second A's write holds B back: the next tally shows B.
    Send(R"(["M", "50", "v:A"], ["M", "50", "v:B"], ["n", "A:1;B:2; list :0"])");
    ASSERT_TRUE(Dump("frmVote", R"(row gridVoteWindow 3 key=" list ")")) << last;
    EXPECT_TRUE(Has(last, R"(key="A" text="" icon=3)") && Has(last, R"(key="B" text="" icon=1)")) << last;
    // The row named as the hate list's key keeps the list; the later click's command marks the end.
    ASSERT_TRUE(WritePrivateProfileStringA("Hate", "List", "A@B", Game().c_str()));
    Ask({"frmVote.gridVoteWindow click 3", "frmVote.gridVoteWindow click 1"});
    EXPECT_TRUE(WaitSent(R"(["C", "game hate A"])")) << server.Frames();
    EXPECT_TRUE(IniValue(Game(), "Hate", "List") == "A@B" && Sent("game hate list") == 0) << server.Frames();
    EXPECT_EQ(Reports(), 1);  // the repeated game, reported once
}

TEST_F(Community, TallyAndTopListBeforeTheirWindowsThenTopListsAndTheLevelCalculator) {
    // The tally goes to the Game pane; asking whether the vote window shows loaded it hidden.
    Send(R"(["n", "A:1;B:2;C:3"])");
    EXPECT_TRUE(Dump("frmChatBar", R"(\nA:1 B:2 C:3 \r\n")") && DumpLineHas(last, "control 4001", "A:1 B:2 C:3 ")) << last;
    EXPECT_TRUE(SentTimes(VoteRequest, 1) && Dump("frmVote", "visible=0")) << last;
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
    EXPECT_TRUE(SentTimes(R"(["o", "1"])", 1)) << server.Frames();
    Ask({"frmTop25.cmbTop25 key F4", "frmTop25.cmbTop25 key Enter"});
    EXPECT_TRUE(SentTimes(R"(["o", "1"])", 2) && Sent(R"(["o")") == 2) << server.Frames();
    Send(R"(["O", "x:1"])");
    EXPECT_TRUE(Dump("frmTop25", [](const std::string& d) { return !Has(d, "row lvResults"); })) << last;

    // Level 25 to 30, both chosen in the lists (the chosen entry read while the box is behind).
    Clear();
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
    EXPECT_TRUE(SentTimes(R"(["C", "email john.doe@example.com"])", 1)) << server.Frames();
    Ask({"frmRegistration.txtCode set 'ABC1234'", "frmRegistration.cmdNext click"});
    EXPECT_TRUE(SentTimes(R"(["C", "code ABC1234"])", 1)) << server.Frames();
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
