// The options and sound windows in the running client, driven through the test hook. (Not
// logged in: the who requests on the wire and the button count, which needs an account level,
// are not seen here.)
#include "LoggedInClient.h"
#include "frmMsgBox.h"
#include "window_ids.h"

using namespace clienttest;
using testsupport::DumpLineHas;
using OptionsAndSound = ClientTest;

TEST_F(OptionsAndSound, AutoUpdateFontSizeAndPlaylistInTheRunningClient) {
    const std::string song = dir.File("song.mp3"), list = "\"" + song + "\"\r\n";
    ASSERT_TRUE(testsupport::WriteFileBytes(song, std::string("ID3\3\0\0\0\0\0\x1A" "TIT2\0\0\0\3\0\0\0T1" "TPE1\0\0\0\3\0\0\0A1\xFF\xFB", 38)));
    ASSERT_TRUE(testsupport::WriteFileBytes(run.DatFile("HoldingMusic.DAT"), list));
    ASSERT_TRUE(Start({.server = false, .game = "[Options]\r\nAutoChatUpdate=1\r\n", .logIn = false}));

    // Unticking the automatic update and Okay stop the chat bar's requests.
    hook.Ask("menu mnuOptionsGeneral");
    ASSERT_TRUE(Shown("frmOptions")) << last;
    EXPECT_TRUE(DumpLineHas(last, "value chkAutoUpdate", "1")) << last;
    hook.Ask("frmOptions.chkAutoUpdate click");
    hook.Ask("frmOptions.cmdOK click");
    EXPECT_TRUE(Dump("frmChatBar", [](const std::string& d) { return DumpLineHas(d, "timer tmrUpdate", "enabled=0"); })) << last;

    // A font size that is no byte: the box says so and the window stays.
    hook.Ask("menu mnuOptionsGeneral");
    ASSERT_TRUE(Shown("frmOptions")) << last;
    hook.Ask("frmOptions.txtType set Impact");
    hook.Ask("frmOptions.txtFontSize set 300");
    hook.Ask("frmOptions.cmdOK click");
    const HWND box = WaitForProcessWindow(run.process.Pid(), skx::frmMsgBox::BoxClassName(), "Options", kComes);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(FindChild(box, "Static", "300 is not a valid font size."), nullptr);
    PostMessageA(box, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Shown("frmOptions")) << last;
    hook.Ask("frmOptions.cmdCancel click");
    Dump("frmOptions", "not loaded");
    hook.Ask("menu mnuOptionsGeneral");  // the font name was not stored either
    EXPECT_TRUE(Dump("frmOptions", [](const std::string& d) { return DumpLineHas(d, "control " + std::to_string(IDC_OPTIONS_TXTTYPE) + " txtType", "text=\"MS Sans Serif\""); })) << last;
    hook.Ask("frmOptions.cmdCancel click");

    // The playlist as the file holds it, the entry's tag, and the file written back as it was.
    hook.Ask("menu mnuOptionsSound");
    ASSERT_TRUE(Dump("frmSound", [](const std::string& d) { return DumpLineHas(d, "item lstHoldingMusic 0", "song.mp3\""); })) << last;
    hook.Ask("frmSound.lstHoldingMusic click 1");
    const std::string title = "control " + std::to_string(IDC_SOUND_LBLTITLE) + " lblTitle";
    const std::string artist = "control " + std::to_string(IDC_SOUND_LBLARTIST) + " lblArtist";
    EXPECT_TRUE(Dump("frmSound", [&](const std::string& d) {
        return DumpLineHas(d, title, "text=\"T1\"") && DumpLineHas(d, artist, "text=\"A1\"");
    })) << last;
    hook.Ask("frmSound.cmdDone click");
    EXPECT_TRUE(Dump("frmSound", "not loaded"));
    EXPECT_EQ(testsupport::ReadFileBytes(run.DatFile("HoldingMusic.DAT")), list);

    EXPECT_TRUE(Exit());
    EXPECT_EQ(IniValue(Game(), "Options", "AutoChatUpdate"), "0");
}
