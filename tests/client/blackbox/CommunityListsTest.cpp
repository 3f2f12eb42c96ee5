// The who window, ignore list and command box in the running client (level 95), through its hook.
#include "LoggedInClient.h"

using namespace clienttest;
using testsupport::PumpUntil;

namespace {
constexpr char WhoRequest[] = R"(["w", " "])";

class CommunityLists : public ClientTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(Start({.game = "[Options]\r\nAutoChatUpdate=0\r\n", .buttons = "[Button23]\r\nCommand=tell %1 hi\r\n"}));
        ASSERT_TRUE(Dump("frmChatBar", "caption=\"Wizard Chat\"")) << server.Frames();  // level 95 taken in
    }
    bool IgnoreDatBecomes(const std::string& text) {
        return PumpUntil([&] { return testsupport::ReadFileBytes(dir.File("Dat\\Ignore.Dat")) == text; }, 5000);
    }
};
}  // namespace

TEST_F(CommunityLists, WhoWindowAsksEveryThreeSecondsListsThePlayersAndRunsItsButtonsForTheSelected) {
    // An unsolicited list loads the who window hidden: it asks at once, then every 3 s.
    const std::string list = R"(["w", "bob:12:300:Idle:Red:3:0;ann:7:10:Playing::0:5;short:1:2"])";
    Clear();
    Send(list);
    EXPECT_TRUE(SentTimes(WhoRequest, 1, 1500));
    EXPECT_TRUE(SentTimes(WhoRequest, 2, 3500) && !PumpUntil([&] { return Sent(WhoRequest) > 2; }, 2500));
    EXPECT_TRUE(Dump("frmChatBar", R"(row WhoList 2 key="ann" text="ann" icon=0 selected=0 level="7")")) << last;

    hook.Ask("menu mnuViewWho");  // shown before the list comes: the posted command goes first
    Send(list);
    ASSERT_TRUE(Dump("frmWho", "caption=\"Who's Online - 2 Players Online.\" visible=1")) << last;
    EXPECT_TRUE(Has(last, R"(row gridWhoWindow 1 key="bob")") && Has(last, R"(game="0" idle="5")") &&
                Has(last, "class=msctls_statusbar32 text=\"Updated\"")) << last;
    for (const char* r : {"frmWho.gridWhoWindow select 1 2", "frmWho.cmdAlias(23) click"}) hook.Ask(r);
    EXPECT_TRUE(SentTimes(R"(["C", "tell bob hi & tell ann hi"])", 1));

    hook.Ask("frmWho.chkAutoUpdate click");
    ASSERT_TRUE(Dump("frmWho", "timer tmrWho enabled=0")) << last;
    Clear();
    EXPECT_FALSE(WaitSent(WhoRequest, 4000));
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
