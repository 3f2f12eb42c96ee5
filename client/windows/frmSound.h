// The sound window: the sound-effect and music switches, the holding-music playlist (kept in
// HoldingMusic.DAT) with the title and artist of a chosen MP3, and the music file of each game
// kind (GameMusic). The client plays no music itself: "&Play" and "&Stop" only enable each other.
#pragma once
#include "FeatureWindow.h"
#include "runtime/OpenFileDialog.h"
#include "window_ids.h"

namespace skx {

class frmSoundForm : public FeatureWindow {
public:
    frmSoundForm();

    CheckBox chkPlay{*this, IDC_SOUND_CHKPLAY, "chkPlay"};
    CheckBox chkSound{*this, IDC_SOUND_CHKSOUND, "chkSound"};
    CheckBox chkRandom{*this, IDC_SOUND_CHKRANDOM, "chkRandom"};
    ListBox lstHoldingMusic{*this, IDC_SOUND_LSTHOLDINGMUSIC, "lstHoldingMusic"};
    Button cmdPlay{*this, IDC_SOUND_CMDPLAY, "cmdPlay"};
    Button cmdStop{*this, IDC_SOUND_CMDSTOP, "cmdStop"};
    Button cmdRemove{*this, IDC_SOUND_CMDREMOVE, "cmdRemove"};
    Button cmdAdd{*this, IDC_SOUND_CMDADD, "cmdAdd"};
    Label lblTitle{*this, IDC_SOUND_LBLTITLE, "lblTitle"};
    Label lblArtist{*this, IDC_SOUND_LBLARTIST, "lblArtist"};
    // One box per GameMusic slot: 0 "Capture The Flag", 1 "Classic Teams", 2 "Hunt",
    // 3 "Invaders", 4 "Random Teams", 5 "Survival", 6 "Tournament".
    ControlArray<TextBox, 7> txtGames{*this, IDC_SOUND_TXTGAMES, "txtGames"};
    Button cmdBrowse{*this, IDC_SOUND_CMDBROWSE, "cmdBrowse"};
    Button cmdDone{*this, IDC_SOUND_CMDDONE, "cmdDone"};
    Button cmdHide{*this, IDC_SOUND_CMDHIDE, "cmdHide"};
    // The open-file dialog of "&Add" and "&Browse": what one showing set, the next one uses.
    OpenFileDialog ComDiag;

    // The game box "&Browse" fills.
    int SelectedGame() const { return selectedGame_; }

protected:
    void FormLoad() override;
    // A key pressed in a game box picks that box.
    bool KeyPreview(const MSG& msg) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void SngListLoad_Game();
    void SngListSave_Game();
    void SngListLoad_Holding();
    void SngListSave_Holding();
    void cmdAdd_Click();
    void cmdBrowse_Click();
    void cmdStop_Click();
    void lstHoldingMusic_Click();
    void txtGames_Pick(int Index);
    void cmdDone_Click();
    // Shows the open-file dialog; false when it was cancelled.
    bool ShowOpen();

    int selectedGame_ = 0;
    bool gamePicked_ = false;  // since the window was loaded: the selected box shows it
};

frmSoundForm& frmSound();

}  // namespace skx
