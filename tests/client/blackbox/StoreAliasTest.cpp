// The store, the button editor and the alias console in the running client, logged in to the
// scripted server through the connect dialog and driven through the test hook.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ClientProcess.h"
#include "HookClient.h"
#include "ScriptedServer.h"
#include "WinTestSupport.h"
#include "frmMain.h"

using namespace clienttest;
using testsupport::DumpLine;

namespace {

bool Has(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

std::string Ini(const std::string& file, const char* section, const char* key) {
    char value[256] = {};
    GetPrivateProfileStringA(section, key, "", value, sizeof value, file.c_str());
    return value;
}

// A client in a scratch folder, logged in to a scripted server that answers the login with
// level 95 and $100.
class LoggedIn : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::RegisterSocketControl());
        ASSERT_TRUE(server_.Start());
        server_.Command(R"({"cmd": "script", "script": {"on": {"!": [["v", "95", "100", "False", "False"]]}}})");
        WritePrivateProfileStringA("LASTSERVER", "Host", "127.0.0.1", run_.DatFile("Game.DAT").c_str());
        WritePrivateProfileStringA("LASTSERVER", "Port", std::to_string(server_.GamePort()).c_str(), run_.DatFile("Game.DAT").c_str());
        WritePrivateProfileStringA("Button17", "Command", "sell %1 %2", Buttons().c_str());
        ASSERT_TRUE(run_.Start(hook_) && LogInThroughTheDialog(hook_));
        ASSERT_TRUE(Sent(R"(["!", "tester", "secret1")"));
    }
    void TearDown() override { run_.process.Kill(); }
    std::string Buttons() const { return run_.DatFile("Buttons.DAT"); }
    // Waits until the server has received a frame (its JSON form, or the start of it).
    bool Sent(const std::string& frame) {
        return testsupport::PumpUntil([&] { return Has(server_.Frames(), frame); }, 10000);
    }
    bool Dump(const std::string& form, const std::function<bool(const std::string&)>& pred) {
        return hook_.WaitForDump(form, pred, 10000, &dump_);
    }
    // Presses the button of the open box that shows text.
    bool Answer(const std::string& text, const std::string& button) {
        const std::string marker = " class=Button text=\"" + button + "\" visible=1";
        if (!Dump("frmMsgBox", [&](const std::string& d) { return Has(d, text) && Has(d, marker); })) return false;
        const size_t at = dump_.find(marker);
        const size_t id = dump_.rfind('#', at);
        return hook_.Ask("frmMsgBox." + dump_.substr(id, at - id) + " click") == "ok";
    }

    testsupport::ScratchDir dir_{"storealiasclient"};
    ClientRun run_{dir_.Path()};
    std::string dump_;
    testsupport::ScriptedServer server_;
    testsupport::HookClient hook_;
};

}  // namespace

TEST_F(LoggedIn, StoreShowsBuysRunsItsButtonsAndTheEditorStoresAButton) {
    hook_.Ask("menu mnuViewBuy");
    ASSERT_TRUE(Sent(R"(["l", ""])"));
    server_.Send({{"l", "[3]Kevlar Vest Jacket:120:15\r[3]Red Helmet:80:2"}});
    ASSERT_TRUE(Dump("frmShop", [](const std::string& d) { return Has(d, "text=\"Weight: 2 lbs\""); })) << dump_;
    for (int node = 1; node <= 8; ++node) EXPECT_TRUE(Has(DumpLine(dump_, "node ListView " + std::to_string(node) + " "), "parent=0")) << dump_;
    EXPECT_TRUE(Has(dump_, "node ListView 4 parent=0 key=\"Body\" text=\"Jackets & Suits\" bold=1 colour=000000")) << dump_;
    EXPECT_TRUE(Has(dump_, "node ListView 9 parent=4 key=\"\" text=\"Kevlar Vest Jacket\" bold=0 colour=0000ff")) << dump_;
    EXPECT_TRUE(Has(dump_, "node ListView 10 parent=9 key=\"\" text=\"Cost: $120\"")) << dump_;
    EXPECT_TRUE(Has(dump_, "node ListView 11 parent=9 key=\"\" text=\"Weight: 15 lbs\"")) << dump_;
    EXPECT_TRUE(Has(dump_, "node ListView 12 parent=1 key=\"\" text=\"Red Helmet\" bold=0 colour=default")) << dump_;
    ASSERT_TRUE(Sent(R"(["C", "look locker"])"));
    server_.Send({{"c", "srv", "Contents of your locker:\r\n(3) Paint Grenade\r\n[1] Red Helmet", "4"}});
    ASSERT_TRUE(Dump("frmShop", [](const std::string& d) { return Has(d, "row ListLocker 5 key=\"\" text=\"Red Helmet\""); })) << dump_;
    EXPECT_TRUE(Has(dump_, "row ListLocker 1 key=\"\" text=\"None\"")) << dump_;
    for (int row = 2; row <= 4; ++row) EXPECT_TRUE(Has(DumpLine(dump_, "row ListLocker " + std::to_string(row)), "\"Paint Grenade\"")) << dump_;
    EXPECT_FALSE(Has(hook_.Ask("dump frmChatBar"), "locker"));

    hook_.Ask("frmShop.ListView select 10");
    hook_.Ask("frmShop.cmdBuy click");
    EXPECT_TRUE(Sent(R"(["C", "buy Kevlar Vest Jacket"])"));
    hook_.Ask("frmShop.ListLocker click 2");
    hook_.Ask("frmShop.cmdAlias(17) click");
    EXPECT_TRUE(Sent(R"(["C", "sell 'Kevlar Vest Jacket' 'Paint Grenade'"])"));

    hook_.Ask("frmShop.cmdAlias(20) rclick");
    ASSERT_TRUE(Dump("frmBtnEdit", [](const std::string& d) { return Has(DumpLine(d, "form"), "visible=1"); })) << dump_;
    hook_.Ask("frmBtnEdit.txt1 set Sell");
    hook_.Ask("frmBtnEdit.txt2 set Sell it");
    hook_.Ask("frmBtnEdit.txt3 set sell %1");
    hook_.Ask("frmBtnEdit.cmdOK click");
    EXPECT_TRUE(Dump("frmShop", [](const std::string& d) { return Has(d, "cmdAlias(20) class=Button text=\"Sell\""); })) << dump_;
    EXPECT_EQ(Ini(Buttons(), "Button20", "Name"), "Sell");
    EXPECT_EQ(Ini(Buttons(), "Button20", "Tip"), "Sell it");
    EXPECT_EQ(Ini(Buttons(), "Button20", "Command"), "sell %1");
}

TEST_F(LoggedIn, AliasConsoleListsEditsSavesAndRemoves) {
    hook_.Ask("menu mnuViewAlias");
    ASSERT_TRUE(Sent(R"(["a", "0"])"));
    server_.Send({{"a", "0;quick_look:look&say a \\& b,greet:say hi;"}});
    ASSERT_TRUE(Dump("frmAlias", [](const std::string& d) { return Has(d, "row lvAliases 2 key=\"greet\""); })) << dump_;
    EXPECT_TRUE(Has(dump_, "row lvAliases 1 key=\"quick_look\" text=\"quick_look\" icon=0 selected=0 commands=\"look&say a \\\\& b\"")) << dump_;

    hook_.Ask("frmAlias.lvAliases click 1");
    ASSERT_TRUE(Dump("frmAlias", [](const std::string& d) { return Has(d, "txtName class=Edit text=\"quick_look\""); })) << dump_;
    EXPECT_TRUE(Has(DumpLine(dump_, "control 2107 rtbCommands"), "text=\"look\\r\\nsay a & b\"")) << dump_;
    server_.Command(R"({"cmd": "clear"})");
    hook_.Ask("frmAlias.txtName set quick look");
    hook_.Ask("frmAlias.cmdAddNew click");
    ASSERT_TRUE(Answer("Save changes to last alias?", "Yes")) << dump_;
    EXPECT_TRUE(Sent(R"(["a", "1", "quick_look", "look&say a \\& b"])"));
    EXPECT_TRUE(Dump("frmAlias", [](const std::string& d) { return Has(d, "fraAlias class=Button text=\"Alias: New\""); })) << dump_;

    hook_.Ask("frmAlias.lvAliases select 2");
    hook_.Ask("frmAlias.cmdRem click");
    EXPECT_TRUE(Sent(R"(["a", "2", "greet"])"));
    server_.Command(R"({"cmd": "clear"})");
    server_.Send({{"a", "2;`:greet"}});
    ASSERT_TRUE(Answer("greet was sucessfully removed.", "Ok")) << dump_;
    EXPECT_TRUE(Sent(R"(["a", "0"])"));
    server_.Send({{"a", "1;~:"}});
    EXPECT_TRUE(Answer("Sorry, you have reached your limit.", "Ok")) << dump_;
}
