// The store, the button editor and the alias console in the running client, logged in to the
// scripted server through the connect dialog and driven through the test hook.
#include "LoggedInClient.h"

using namespace clienttest;
using testsupport::DumpLine;

namespace {
// A client logged in to a scripted server that answers the login with level 95 and $100.
class LoggedIn : public ClientTest {
protected:
    void SetUp() override { ASSERT_TRUE(Start({.buttons = "[Button17]\r\nCommand=sell %1 %2\r\n"})); }
    std::string Buttons() const { return run.DatFile("Buttons.DAT"); }
};
}  // namespace

TEST_F(LoggedIn, StoreShowsBuysRunsItsButtonsAndTheEditorStoresAButton) {
    hook.Ask("menu mnuViewBuy");
    ASSERT_TRUE(WaitSent(R"(["l", ""])"));
    server.Send({{"l", "[3]Kevlar Vest Jacket:120:15\r[3]Red Helmet:80:2"}});
    ASSERT_TRUE(Dump("frmShop", "text=\"Weight: 2 lbs\"")) << last;
    for (int node = 1; node <= 8; ++node) EXPECT_TRUE(Has(DumpLine(last, "node ListView " + std::to_string(node) + " "), "parent=0")) << last;
    EXPECT_TRUE(Has(last, "node ListView 4 parent=0 key=\"Body\" text=\"Jackets & Suits\" bold=1 colour=000000")) << last;
    EXPECT_TRUE(Has(last, "node ListView 9 parent=4 key=\"\" text=\"Kevlar Vest Jacket\" bold=0 colour=0000ff")) << last;
    EXPECT_TRUE(Has(last, "node ListView 10 parent=9 key=\"\" text=\"Cost: $120\"")) << last;
    EXPECT_TRUE(Has(last, "node ListView 11 parent=9 key=\"\" text=\"Weight: 15 lbs\"")) << last;
    EXPECT_TRUE(Has(last, "node ListView 12 parent=1 key=\"\" text=\"Red Helmet\" bold=0 colour=default")) << last;
    ASSERT_TRUE(WaitSent(R"(["C", "look locker"])"));
    server.Send({{"c", "srv", "Contents of your locker:\r\n(3) Paint Grenade\r\n[1] Red Helmet", "4"}});
    ASSERT_TRUE(Dump("frmShop", "row ListLocker 5 key=\"\" text=\"Red Helmet\"")) << last;
    EXPECT_TRUE(Has(last, "row ListLocker 1 key=\"\" text=\"None\"")) << last;
    for (int row = 2; row <= 4; ++row) EXPECT_TRUE(Has(DumpLine(last, "row ListLocker " + std::to_string(row)), "\"Paint Grenade\"")) << last;
    EXPECT_FALSE(Has(hook.Ask("dump frmChatBar"), "locker"));

    hook.Ask("frmShop.ListView select 10");
    hook.Ask("frmShop.cmdBuy click");
    EXPECT_TRUE(WaitSent(R"(["C", "buy Kevlar Vest Jacket"])"));
    hook.Ask("frmShop.ListLocker click 2");
    hook.Ask("frmShop.cmdAlias(17) click");
    EXPECT_TRUE(WaitSent(R"(["C", "sell 'Kevlar Vest Jacket' 'Paint Grenade'"])"));

    hook.Ask("frmShop.cmdAlias(20) rclick");
    ASSERT_TRUE(Shown("frmBtnEdit")) << last;
    hook.Ask("frmBtnEdit.txt1 set Sell");
    hook.Ask("frmBtnEdit.txt2 set Sell it");
    hook.Ask("frmBtnEdit.txt3 set sell %1");
    hook.Ask("frmBtnEdit.cmdOK click");
    EXPECT_TRUE(Dump("frmShop", "cmdAlias(20) class=Button text=\"Sell\"")) << last;
    EXPECT_EQ(IniValue(Buttons(), "Button20", "Name"), "Sell");
    EXPECT_EQ(IniValue(Buttons(), "Button20", "Tip"), "Sell it");
    EXPECT_EQ(IniValue(Buttons(), "Button20", "Command"), "sell %1");
}

TEST_F(LoggedIn, AliasConsoleListsEditsSavesAndRemoves) {
    hook.Ask("menu mnuViewAlias");
    ASSERT_TRUE(WaitSent(R"(["a", "0"])"));
    server.Send({{"a", "0;quick_look:look&say a \\& b,greet:say hi;"}});
    ASSERT_TRUE(Dump("frmAlias", "row lvAliases 2 key=\"greet\"")) << last;
    EXPECT_TRUE(Has(last, "row lvAliases 1 key=\"quick_look\" text=\"quick_look\" icon=0 selected=0 commands=\"look&say a \\\\& b\"")) << last;

    hook.Ask("frmAlias.lvAliases click 1");
    ASSERT_TRUE(Dump("frmAlias", "txtName class=Edit text=\"quick_look\"")) << last;
    EXPECT_TRUE(Has(DumpLine(last, "control 2107 rtbCommands"), "text=\"look\\r\\nsay a & b\"")) << last;
    Clear();
    hook.Ask("frmAlias.txtName set quick look");
    hook.Ask("frmAlias.cmdAddNew click");
    ASSERT_TRUE(Answer("Save changes to last alias?", "Yes")) << last;
    EXPECT_TRUE(WaitSent(R"(["a", "1", "quick_look", "look&say a \\& b"])"));
    EXPECT_TRUE(Dump("frmAlias", "fraAlias class=Button text=\"Alias: New\"")) << last;

    hook.Ask("frmAlias.lvAliases select 2");
    hook.Ask("frmAlias.cmdRem click");
    EXPECT_TRUE(WaitSent(R"(["a", "2", "greet"])"));
    Clear();
    server.Send({{"a", "2;`:greet"}});
    ASSERT_TRUE(Answer("greet was sucessfully removed.", "Ok")) << last;
    EXPECT_TRUE(WaitSent(R"(["a", "0"])"));
    server.Send({{"a", "1;~:"}});
    EXPECT_TRUE(Answer("Sorry, you have reached your limit.", "Ok")) << last;
}

TEST_F(LoggedIn, HugeLockerCountsAndLongLinesAreCutAndTheClientGoesOnAnswering) {
    ASSERT_TRUE(hook.Ask("menu mnuViewBuy") == "ok" && Shown("frmShop")) << last;
    std::string locker = "Contents of your locker:", links = "x";
    while (locker.size() < 64990) locker += "\r\n(999) x", links += " http://a";
    for (const auto& f : std::vector<std::vector<std::string>>{{"c", "srv", locker, "4"}, {"c", "srv", links, "0"}, {"D", "2", links}}) {
        Clear(), server.Send({f, {"U"}});
        EXPECT_TRUE(WaitSent(R"(["M", )")) << f[0];  // the client is held by none of them
    }
    EXPECT_TRUE(Dump("frmShop", "row ListLocker 2001 ") && !Has(last, "row ListLocker 2002 ")) << last;
    EXPECT_EQ(Reports(), 1);  // the cut list, once
    // Each line of links in the panes keeps its first 2,048 characters (after what the client
    // puts before it); no pane holds more than a full one.
    const std::string dump = hook.Ask("dump frmChatBar");
    int cut = 0;
    for (int index = 0; index < 6; ++index) {
        const std::optional<std::string> text = PaneText(dump, index);
        ASSERT_TRUE(text) << "no pane " << index << " in " << dump.substr(0, 2000);
        const std::string& pane = *text;
        EXPECT_LE(pane.size(), 32768u);
        for (size_t at = 0; at < pane.size();) {
            size_t end = pane.find_first_of("\r\n", at);
            if (end == std::string::npos) end = pane.size();
            const std::string line = pane.substr(at, end - at);
            if (const size_t from = line.find("x http://a"); from != std::string::npos) {
                ++cut;
                EXPECT_EQ(line.substr(from), links.substr(0, 2048)) << line.substr(0, 40);
            }
            at = end + 1;
        }
    }
    EXPECT_GE(cut, 2);  // both writes of links were shown
}
