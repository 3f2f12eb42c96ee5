#include <gtest/gtest.h>

#include "HoldingMusicList.h"
#include "ProgramSettings.h"
#include "WinTestSupport.h"
#include "frmSound.h"
#include "runtime/MessagePump.h"

using namespace skx;
using testsupport::ReadFileBytes;

namespace {
class SoundWindow : public ::testing::Test {
protected:
    void SetUp() override { DatPath = dir_.Path() + "\\"; }
    testsupport::ScratchDir dir_{"sound"};
};
}  // namespace

TEST(HoldingMusicList, QuotedLinesBothWays) {
    const std::vector<std::string> entries{"C:\\a.mp3", "C:\\b.wav"};
    EXPECT_EQ(HoldingMusicText(entries), "\"C:\\a.mp3\"\r\n\"C:\\b.wav\"\r\n");
    EXPECT_EQ(HoldingMusicEntries(HoldingMusicText(entries) + "no quotes\r\n\"\n"), entries);
    EXPECT_EQ(HoldingMusicText({}), "");
}

TEST_F(SoundWindow, HideKeepsDoneStoresWritesAndStartsAfresh) {
    SoundOn = true;
    GameMusic.fill("<none>");
    frmSoundForm* first = &frmSound();
    first->Show();
    EXPECT_EQ(first->lstHoldingMusic.ListCount(), 0);  // no HoldingMusic.DAT
    first->chkSound.SetValue(0);
    first->cmdHide.PerformClick();
    EXPECT_TRUE(SoundOn);
    EXPECT_EQ(frmSound().chkSound.Value(), 0);
    PostMessageA(first->txtGames[3].hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(first->txtGames[3].hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    DoEvents();
    EXPECT_EQ(first->SelectedGame(), 3);
    first->txtGames[3].SetText("C:\\inv.mid");
    first->cmdDone.PerformClick();
    EXPECT_FALSE(SoundOn);
    EXPECT_EQ(GameMusic[3], "C:\\inv.mid");
    EXPECT_EQ(ReadFileBytes(dir_.File("HoldingMusic.DAT")), std::string());
    EXPECT_EQ(frmSound().SelectedGame(), 0);  // a fresh window: a closed one keeps its pick
}

TEST_F(SoundWindow, AnMp3EntryShowsItsTagAndDoneWritesTheListBackUnchanged) {
    const std::string song = dir_.File("song.mp3");
    ASSERT_TRUE(testsupport::WriteFileBytes(song, std::string("ID3\x03\0\0\0\0\0\x1A", 10) + std::string("TIT2\0\0\0\x03\0\0\0T1", 13) +
                                                      std::string("TPE1\0\0\0\x03\0\0\0A1", 13) + "\xFF\xFB"));
    const std::string list = "\"" + song + "\"\r\n\"C:\\b.wav\"\r\n";
    ASSERT_TRUE(testsupport::WriteFileBytes(dir_.File("HoldingMusic.DAT"), list));
    frmSoundForm& s = frmSound();
    s.Show();
    ASSERT_EQ(s.lstHoldingMusic.ListCount(), 2);
    auto pick = [&](int row) {
        SendMessageA(s.lstHoldingMusic.hWnd(), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        SendMessageA(s.Handle(), WM_COMMAND, MAKEWPARAM(s.lstHoldingMusic.Id(), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(s.lstHoldingMusic.hWnd()));
    };
    pick(0);
    EXPECT_EQ(s.lblTitle.Caption(), "T1");
    EXPECT_EQ(s.lblArtist.Caption(), "A1");
    pick(1);  // not an MP3: the labels stay
    EXPECT_EQ(s.lblTitle.Caption(), "T1");
    s.cmdPlay.PerformClick();
    EXPECT_TRUE(s.cmdStop.Enabled());
    s.cmdDone.PerformClick();
    EXPECT_EQ(ReadFileBytes(dir_.File("HoldingMusic.DAT")), list);
}
