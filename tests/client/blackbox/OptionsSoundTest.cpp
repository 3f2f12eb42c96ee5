// The options and sound windows in the running client, driven through the test hook. (Not
// logged in: the who requests on the wire and the button count, which needs an account level,
// are not seen here.)
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ClientProcess.h"
#include "HookClient.h"
#include "WinTestSupport.h"
#include "frmMain.h"
#include "frmMsgBox.h"
#include "window_ids.h"

using namespace clienttest;
using testsupport::DumpLineHas;

TEST(OptionsAndSound, AutoUpdateFontSizeAndPlaylistInTheRunningClient) {
    testsupport::ScratchDir dir("optionssound");
    ClientRun run(dir.Path());
    const std::string game = run.DatFile("Game.DAT");
    WritePrivateProfileStringA("Options", "AutoChatUpdate", "1", game.c_str());
    const std::string song = dir.File("song.mp3"), list = "\"" + song + "\"\r\n";
    ASSERT_TRUE(testsupport::WriteFileBytes(song, std::string("ID3\3\0\0\0\0\0\x1A" "TIT2\0\0\0\3\0\0\0T1" "TPE1\0\0\0\3\0\0\0A1\xFF\xFB", 38)));
    ASSERT_TRUE(testsupport::WriteFileBytes(run.DatFile("HoldingMusic.DAT"), list));
    testsupport::HookClient hook;
    ASSERT_TRUE(run.Start(hook));
    auto shown = [](const std::string& d) { return DumpLineHas(d, "form", "visible=1"); };
    std::string dump;

    // Unticking the automatic update and Okay stop the chat bar's requests.
    hook.Ask("menu mnuOptionsGeneral");
    ASSERT_TRUE(hook.WaitForDump("frmOptions", shown, 10000, &dump)) << dump;
    EXPECT_TRUE(DumpLineHas(dump, "value chkAutoUpdate", "1")) << dump;
    hook.Ask("frmOptions.chkAutoUpdate click");
    hook.Ask("frmOptions.cmdOK click");
    EXPECT_TRUE(hook.WaitForDump("frmChatBar", [](const std::string& d) { return DumpLineHas(d, "timer tmrUpdate", "enabled=0"); }, 5000, &dump)) << dump;

    // A font size that is no byte: the box says so and the window stays.
    hook.Ask("menu mnuOptionsGeneral");
    ASSERT_TRUE(hook.WaitForDump("frmOptions", shown, 10000, &dump)) << dump;
    hook.Ask("frmOptions.txtType set Impact");
    hook.Ask("frmOptions.txtFontSize set 300");
    hook.Ask("frmOptions.cmdOK click");
    const HWND box = WaitForProcessWindow(run.process.Pid(), skx::frmMsgBox::BoxClassName(), "Options", 10000);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(FindChild(box, "Static", "300 is not a valid font size."), nullptr);
    PostMessageA(box, WM_CLOSE, 0, 0);
    EXPECT_TRUE(hook.WaitForDump("frmOptions", shown, 5000, &dump)) << dump;
    hook.Ask("frmOptions.cmdCancel click");
    hook.WaitForDump("frmOptions", [](const std::string& d) { return d.find("not loaded") != std::string::npos; }, 5000);
    hook.Ask("menu mnuOptionsGeneral");  // the font name was not stored either
    EXPECT_TRUE(hook.WaitForDump("frmOptions", [](const std::string& d) { return DumpLineHas(d, "control " + std::to_string(IDC_OPTIONS_TXTTYPE) + " txtType", "text=\"MS Sans Serif\""); }, 5000, &dump)) << dump;
    hook.Ask("frmOptions.cmdCancel click");

    // The playlist as the file holds it, the entry's tag, and the file written back as it was.
    hook.Ask("menu mnuOptionsSound");
    ASSERT_TRUE(hook.WaitForDump("frmSound", [&](const std::string& d) { return DumpLineHas(d, "item lstHoldingMusic 0", "song.mp3\""); }, 10000, &dump)) << dump;
    hook.Ask("frmSound.lstHoldingMusic click 1");
    const std::string title = "control " + std::to_string(IDC_SOUND_LBLTITLE) + " lblTitle";
    const std::string artist = "control " + std::to_string(IDC_SOUND_LBLARTIST) + " lblArtist";
    EXPECT_TRUE(hook.WaitForDump("frmSound", [&](const std::string& d) {
        return DumpLineHas(d, title, "text=\"T1\"") && DumpLineHas(d, artist, "text=\"A1\"");
    }, 5000, &dump)) << dump;
    hook.Ask("frmSound.cmdDone click");
    EXPECT_TRUE(hook.WaitForDump("frmSound", [](const std::string& d) { return d.find("not loaded") != std::string::npos; }, 5000, &dump));
    EXPECT_EQ(testsupport::ReadFileBytes(run.DatFile("HoldingMusic.DAT")), list);

    EXPECT_EQ(hook.Ask("menu mnuFileExit"), "ok");
    EXPECT_TRUE(run.process.Wait(20000));
    char stored[16] = {};
    GetPrivateProfileStringA("Options", "AutoChatUpdate", "", stored, sizeof stored, game.c_str());
    EXPECT_STREQ(stored, "0");
}
