// The chat display in the running client, driven through its test hook: a pane's highlight
// and Shift+Delete, and the auto-refresh setting kept at the end. (The login, and with it the
// server's chat, player-list and account frames, is left to the tests that have those.)
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ClientProcess.h"
#include "HookClient.h"
#include "WinTestSupport.h"
#include "frmMain.h"

using namespace clienttest;
using testsupport::DumpLine;
using testsupport::DumpLineHas;

TEST(ChatDisplay, PaneTextLightsItsTabShiftDeleteEmptiesItAndTheSettingStays) {
    testsupport::ScratchDir dir("chatdisplay");
    ClientRun run(dir.Path());
    const std::string game = run.DatFile("Game.DAT");
    WritePrivateProfileStringA("Options", "AutoChatUpdate", "True", game.c_str());
    for (auto [name, value] : {std::pair{"ChatTop", "3000"}, {"ChatLeft", "0"}, {"ChatWidth", "9000"}, {"ChatHeight", "3000"}}) {
        WritePrivateProfileStringA("Form", name, value, game.c_str());
    }

    testsupport::HookClient hook;
    ASSERT_TRUE(run.Start(hook));

    std::string dump;
    ASSERT_TRUE(hook.WaitForDump("frmChatBar", [](const std::string& d) { return DumpLineHas(d, "form", "visible=1"); }, 10000, &dump)) << dump;
    EXPECT_TRUE(DumpLineHas(dump, "form", "caption=\"Chat Display\"")) << dump;
    EXPECT_TRUE(DumpLineHas(dump, "timer tmrUpdate", "enabled=1 interval=4000")) << dump;
    EXPECT_EQ(DumpLine(dump, "tab tabChat 6"), "") << dump;  // no Wizard Chat before a level says so

    // Text arriving in pane 3 while tab 1 is shown lights tab 4; clicking tab 4 puts it out.
    EXPECT_EQ(hook.Ask("frmChatBar.txtStatus(3) set ann tells you: psst"), "ok");
    hook.Ask("frmChatBar.txtStatus(0) set in general");
    EXPECT_TRUE(hook.WaitForDump("frmChatBar", [](const std::string& d) { return DumpLineHas(d, "tab tabChat 4", "highlighted=1"); }, 5000, &dump)) << dump;
    EXPECT_TRUE(DumpLineHas(dump, "tab tabChat 1", "selected=1")) << dump;
    EXPECT_EQ(hook.Ask("frmChatBar.tabChat click 4"), "ok");
    EXPECT_TRUE(hook.WaitForDump("frmChatBar", [](const std::string& d) {
        return DumpLineHas(d, "tab tabChat 4", "selected=1 highlighted=0") && DumpLineHas(d, "control 4003 txtStatus(3)", "visible=1");
    }, 5000, &dump)) << dump;

    // Shift+Delete empties that pane only; Ctrl+Shift+Delete does nothing.
    hook.Ask("frmChatBar.txtStatus(3) key Delete shift ctrl");
    hook.Ask("frmChatBar.txtStatus(0) key Delete shift");
    hook.Ask("frmChatBar.txtStatus(3) key Delete shift");
    EXPECT_TRUE(hook.WaitForDump("frmChatBar", [](const std::string& d) {
        return DumpLineHas(d, "control 4003 txtStatus(3)", "text=\"\"") && DumpLineHas(d, "control 4000 txtStatus(0)", "text=\"\"");
    }, 5000, &dump)) << dump;
    EXPECT_EQ(hook.Ask("frmChatBar.nothing click"), "error no control nothing in frmChatBar");

    // The setting as read ("True") is written back as the box says at the end.
    EXPECT_TRUE(DumpLineHas(dump, "value chkAutoUpdate", "1")) << dump;
    EXPECT_EQ(hook.Ask("menu mnuFileExit"), "ok");
    EXPECT_TRUE(run.process.Wait(20000));
    char stored[16] = {};
    GetPrivateProfileStringA("Options", "AutoChatUpdate", "", stored, sizeof stored, game.c_str());
    EXPECT_STREQ(stored, "1");
}

