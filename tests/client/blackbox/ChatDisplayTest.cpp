// The chat display in the running client, driven through its test hook: a pane's highlight and
// Shift+Delete and the auto-refresh setting kept (without a login).
#include "LoggedInClient.h"

using namespace clienttest;
using testsupport::DumpLine;
using testsupport::DumpLineHas;
using ChatDisplay = ClientTest;

TEST_F(ChatDisplay, PaneTextLightsItsTabShiftDeleteEmptiesItAndTheSettingStays) {
    ASSERT_TRUE(Start({.server = false, .game = "[Options]\r\nAutoChatUpdate=True\r\n[Form]\r\nChatTop=3000\r\nChatLeft=0\r\n"
                                                "ChatWidth=9000\r\nChatHeight=3000\r\n", .logIn = false}));

    ASSERT_TRUE(Shown("frmChatBar")) << last;
    EXPECT_TRUE(DumpLineHas(last, "form", "caption=\"Chat Display\"")) << last;
    EXPECT_TRUE(DumpLineHas(last, "timer tmrUpdate", "enabled=1 interval=4000")) << last;
    EXPECT_EQ(DumpLine(last, "tab tabChat 6"), "") << last;  // no Wizard Chat before a level says so

    // Text arriving in pane 3 while tab 1 is shown lights tab 4; clicking tab 4 puts it out.
    EXPECT_EQ(hook.Ask("frmChatBar.txtStatus(3) set ann tells you: psst"), "ok");
    hook.Ask("frmChatBar.txtStatus(0) set in general");
    EXPECT_TRUE(Dump("frmChatBar", [](const std::string& d) { return DumpLineHas(d, "tab tabChat 4", "highlighted=1"); })) << last;
    EXPECT_TRUE(DumpLineHas(last, "tab tabChat 1", "selected=1")) << last;
    EXPECT_EQ(hook.Ask("frmChatBar.tabChat click 4"), "ok");
    EXPECT_TRUE(Dump("frmChatBar", [](const std::string& d) {
        return DumpLineHas(d, "tab tabChat 4", "selected=1 highlighted=0") && DumpLineHas(d, "control 4003 txtStatus(3)", "visible=1");
    }, 5000)) << last;

    // Shift+Delete empties that pane only; Ctrl+Shift+Delete does nothing.
    // The keys are handled in the order sent: once pane 0 is empty, Ctrl+Shift+Delete has been.
    hook.Ask("frmChatBar.txtStatus(3) key Delete shift ctrl");
    hook.Ask("frmChatBar.txtStatus(0) key Delete shift");
    EXPECT_TRUE(Dump("frmChatBar", [](const std::string& d) { return DumpLineHas(d, "control 4000 txtStatus(0)", "text=\"\""); })) << last;
    EXPECT_TRUE(DumpLineHas(last, "control 4003 txtStatus(3)", "text=\"ann tells you: psst")) << last;
    hook.Ask("frmChatBar.txtStatus(3) key Delete shift");
    EXPECT_TRUE(Dump("frmChatBar", [](const std::string& d) { return DumpLineHas(d, "control 4003 txtStatus(3)", "text=\"\""); })) << last;
    EXPECT_EQ(hook.Ask("frmChatBar.nothing click"), "error no control nothing in frmChatBar");

    // The setting as read ("True") is written back as the box says at the end.
    EXPECT_TRUE(DumpLineHas(last, "value chkAutoUpdate", "1")) << last;
    EXPECT_TRUE(Exit());
    EXPECT_EQ(IniValue(Game(), "Options", "AutoChatUpdate"), "1");
}
