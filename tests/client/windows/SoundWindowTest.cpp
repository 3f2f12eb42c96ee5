#include <gtest/gtest.h>

#include "HoldingMusicList.h"
#include "ProgramSettings.h"
#include "WinTestSupport.h"
#include "frmSound.h"
#include "runtime/MessagePump.h"

using namespace skx;

TEST(HoldingMusicList, QuotedLinesBothWays) {
    const std::vector<std::string> entries{"C:\\a.mp3", "C:\\b.wav"};
    EXPECT_EQ(HoldingMusicText(entries), "\"C:\\a.mp3\"\r\n\"C:\\b.wav\"\r\n");
    EXPECT_EQ(HoldingMusicEntries(HoldingMusicText(entries) + "no quotes\r\n\"\n"), entries);
    EXPECT_EQ(HoldingMusicText({}), "");
}

TEST(SoundWindow, HideKeepsDoneStoresWritesAndStartsAfresh) {
    testsupport::ScratchDir dir("sound");
    DatPath = dir.Path() + "\\";
    SoundOn = true;
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
    EXPECT_EQ(testsupport::ReadFileBytes(dir.File("HoldingMusic.DAT")), std::string());
    EXPECT_EQ(frmSound().SelectedGame(), 0);  // a fresh window: a closed one keeps its pick
}
