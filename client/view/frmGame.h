// The game information window: the running game's type, time left and number of teams with
// the ready-status box, the players with their teams and splats, and the teams, in three
// frames the tool bar chooses between. The server's game-information replies fill it while it
// is visible; a hidden counter of bot splats shows on Shift + right-click.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "RowCap.h"
#include "runtime/ControlHost.h"
#include "runtime/DialogControls.h"
#include "runtime/DropDownList.h"
#include "runtime/Form.h"
#include "runtime/ImageList.h"
#include "runtime/KeyedListView.h"
#include "runtime/ToolBar.h"
#include "window_ids.h"

namespace skx {

// The window's inner dialog: its value boxes take the window's back colour, so they read as
// labels.
class GamePage : public DialogPage {
public:
    using DialogPage::DialogPage;
    std::vector<const Control*> PlainBoxes;

protected:
    bool PageMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

class frmGameForm : public Form {
    GamePage inner_{"frmGame", IDD_GAME};

public:
    frmGameForm();

    // Buttons "Info     ", "Players", "Teams"; button k shows frame k - 1.
    ToolBar tbGame{inner_, IDC_GAME_TBGAME, "tbGame"};
    ControlArray<Label, 3> fraSection{inner_, IDC_GAME_FRASECTION, "fraSection"};
    // Frame 0: the game.
    TextBox txtGameType{inner_, IDC_GAME_TXTGAMETYPE, "txtGameType"};
    TextBox txtTimeLeft{inner_, IDC_GAME_TXTTIMELEFT, "txtTimeLeft"};
    TextBox txtNumTeams{inner_, IDC_GAME_TXTNUMTEAMS, "txtNumTeams"};
    // The ready status: "Unready", "Ready" or "Auto-Ready".
    DropDownList cmbStatus{inner_, IDC_GAME_CMBSTATUS, "cmbStatus"};
    Label lblBotSplats{inner_, IDC_GAME_LBLBOTSPLATS, "lblBotSplats"};
    Label lblDispBotSplats{inner_, IDC_GAME_LBLDISPBOTSPLATS, "lblDispBotSplats"};
    // Frame 1: the players, keyed by name, sub-items "team" and "splats".
    KeyedListView lstPlayers{inner_, IDC_GAME_LSTPLAYERS, "lstPlayers"};
    // Frame 2: the teams.
    TextBox txtYourTeam{inner_, IDC_GAME_TXTYOURTEAM, "txtYourTeam"};
    TextBox txtGameInfo{inner_, IDC_GAME_TXTGAMEINFO, "txtGameInfo"};
    KeyedListView lstTeams{inner_, IDC_GAME_LSTTEAMS, "lstTeams"};

    // Shows a ready status in cmbStatus without sending it (the server told it; only the
    // user's own choice is sent back).
    void ShowReadyStatus(const std::string& status);

    // Fills the window from one section of a game-information reply (1 game type, time left and
    // team count; 2 players; 3 own team, game information and teams), then shows the
    // bot-splat count.
    void Update(const std::string& Data, int Section);

    bool PreTranslate(MSG& msg) override;
    std::vector<ControlHost*> ControlHosts() override { return {&inner_}; }

protected:
    void OnLoad() override;
    void OnResize() override;
    bool OnQueryUnload(UnloadMode mode) override;

private:
    void ShowFrame(size_t frame, bool shown);
    void cmbStatus_Click();
    void tbGame_Click(int Button);
    void lblDispBotSplats_MouseDown(int Button, int Shift);

    Label lblType_{inner_, IDC_GAME_LBLTYPE, "lblType"};
    Label lblTime_{inner_, IDC_GAME_LBLTIME, "lblTime"};
    Label lblTeams_{inner_, IDC_GAME_LBLTEAMS, "lblTeams"};
    Label lblStatus_{inner_, IDC_GAME_LBLSTATUS, "lblStatus"};
    Label lblYourTeam_{inner_, IDC_GAME_LBLYOURTEAM, "lblYourTeam"};
    ImageList imgObjects_;
    std::array<std::vector<Control*>, 3> frames_;
    bool counterShown_ = false;
    RowCap playerCap_{"frmGame", "Update", "game player"};
    RowCap teamCap_{"frmGame", "Update", "game team"};
};

frmGameForm& frmGame();

}  // namespace skx
