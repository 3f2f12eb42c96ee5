// The tournament console: the tournament's details, the signed-up teams in four trees, the
// log, sign-up and donation; from level 90 the Admin and Game tabs start, run and end
// tournaments and choose the next game. The protocol handlers write into its controls.
#pragma once
#include <array>
#include <vector>

#include "CommandButtonBar.h"
#include "FeatureWindow.h"
#include "runtime/KeyedTreeView.h"
#include "runtime/TabPages.h"
#include "RowCap.h"
#include "window_ids.h"

namespace skx {

class frmTournamentForm : public FeatureWindow {
    // fraInformation(1 to 5): the pages of the tabs "Information", "Signup", "Log", "Admin", "Game".
    std::array<DialogPage, 5> fraInformation{{{"frmTournament", IDD_TOURNAMENT_INFORMATION},
                                              {"frmTournament", IDD_TOURNAMENT_SIGNUP},
                                              {"frmTournament", IDD_TOURNAMENT_LOG},
                                              {"frmTournament", IDD_TOURNAMENT_ADMIN},
                                              {"frmTournament", IDD_TOURNAMENT_GAME}}};
    // trvTeams(1 to 4), one on each of the first two pages and the last two.
    KeyedTreeView trvTeams1_{fraInformation[0], IDC_TOURNAMENT_TRVTEAMS + 1, "trvTeams", 1};
    KeyedTreeView trvTeams2_{fraInformation[1], IDC_TOURNAMENT_TRVTEAMS + 2, "trvTeams", 2};
    KeyedTreeView trvTeams3_{fraInformation[3], IDC_TOURNAMENT_TRVTEAMS + 3, "trvTeams", 3};
    KeyedTreeView trvTeams4_{fraInformation[4], IDC_TOURNAMENT_TRVTEAMS + 4, "trvTeams", 4};

public:
    frmTournamentForm();

    TabStrip tabTournament{*this, IDC_TOURNAMENT_TABTOURNAMENT, "tabTournament"};
    Button cmdUpdate{*this, IDC_TOURNAMENT_CMDUPDATE, "cmdUpdate"};
    Button cmdDone{*this, IDC_TOURNAMENT_CMDDONE, "cmdDone"};
    Label lblTeamA{*this, IDC_TOURNAMENT_LBLTEAMA, "lblTeamA"};
    Label lblTeamB{*this, IDC_TOURNAMENT_LBLTEAMB, "lblTeamB"};
    StatusBar StatusBar1{*this, IDC_TOURNAMENT_STATUSBAR1, "StatusBar1"};
    // The nodes one teams reply puts in each team tree (the tournament handler fills them).
    RowCap TeamsCap{"frmTournament", "trvTeams_Add", "tournament team"};
    // The custom command buttons of entries 29 to 34.
    CommandButtonBar cmdAlias{*this, IDC_TOURNAMENT_CMDALIAS, 29, 6};

    // "Information": the details (tournament master, start, fee, most teams, fewest members,
    // rules, pot) and the donation.
    TextBox txtTM{fraInformation[0], IDC_TOURNAMENT_TXTTM, "txtTM"};
    TextBox txtStarted{fraInformation[0], IDC_TOURNAMENT_TXTSTARTED, "txtStarted"};
    TextBox txtFee{fraInformation[0], IDC_TOURNAMENT_TXTFEE, "txtFee"};
    TextBox txtMax{fraInformation[0], IDC_TOURNAMENT_TXTMAX, "txtMax"};
    TextBox txtMin{fraInformation[0], IDC_TOURNAMENT_TXTMIN, "txtMin"};
    TextBox txtRules{fraInformation[0], IDC_TOURNAMENT_TXTRULES, "txtRules"};
    TextBox txtPot{fraInformation[0], IDC_TOURNAMENT_TXTPOT, "txtPot"};
    TextBox txtDonate{fraInformation[0], IDC_TOURNAMENT_TXTDONATE, "txtDonate"};
    Button cmdDonate{fraInformation[0], IDC_TOURNAMENT_CMDDONATE, "cmdDonate"};
    // "Signup"
    TextBox txtTeam{fraInformation[1], IDC_TOURNAMENT_TXTTEAM, "txtTeam"};
    TextBox txtPassword{fraInformation[1], IDC_TOURNAMENT_TXTPASSWORD, "txtPassword"};
    Button cmdCreateJoin{fraInformation[1], IDC_TOURNAMENT_CMDCREATEJOIN, "cmdCreateJoin"};
    // "Log"
    RichTextBox rtbTLog{fraInformation[2], IDC_TOURNAMENT_RTBTLOG, "rtbTLog"};
    // "Admin"
    TextBox txtGameFee{fraInformation[3], IDC_TOURNAMENT_TXTGAMEFEE, "txtGameFee"};
    TextBox txtMinMembers{fraInformation[3], IDC_TOURNAMENT_TXTMINMEMBERS, "txtMinMembers"};
    TextBox txtMaxTeams{fraInformation[3], IDC_TOURNAMENT_TXTMAXTEAMS, "txtMaxTeams"};
    TextBox txtGameRules{fraInformation[3], IDC_TOURNAMENT_TXTGAMERULES, "txtGameRules"};
    Button cmdStart{fraInformation[3], IDC_TOURNAMENT_CMDSTART, "cmdStart"};
    Button cmdReady{fraInformation[3], IDC_TOURNAMENT_CMDREADY, "cmdReady"};
    Button cmdUnready{fraInformation[3], IDC_TOURNAMENT_CMDUNREADY, "cmdUnready"};
    Button cmdKick{fraInformation[3], IDC_TOURNAMENT_CMDKICK, "cmdKick"};
    Button cmdDisqualify{fraInformation[3], IDC_TOURNAMENT_CMDDISQUALIFY, "cmdDisqualify"};
    Button cmdEnd{fraInformation[3], IDC_TOURNAMENT_CMDEND, "cmdEnd"};
    // "Game"
    CheckBox optTeamA{fraInformation[4], IDC_TOURNAMENT_OPTTEAMA, "optTeamA"};
    CheckBox optTeamB{fraInformation[4], IDC_TOURNAMENT_OPTTEAMB, "optTeamB"};
    TextBox txtTeamA{fraInformation[4], IDC_TOURNAMENT_TXTTEAMA, "txtTeamA"};
    TextBox txtTeamB{fraInformation[4], IDC_TOURNAMENT_TXTTEAMB, "txtTeamB"};
    Button cmdStartGame{fraInformation[4], IDC_TOURNAMENT_CMDSTARTGAME, "cmdStartGame"};

    // The four team trees, indices 1 to 4; any other index raises error 340.
    KeyedTreeView& trvTeams(int index);

    std::vector<ControlHost*> ControlHosts() override;

protected:
    void FormLoad() override;

private:
    void tabTournament_Click();
    void cmdCreateJoin_Click();
    void cmdDonate_Click();
    void txtDonate_Change();
    // Kick and Disqualify: the Admin tree's selected team.
    void ActOnSelectedTeam(bool kick);
    void cmdStart_Click();
    void cmdStartGame_Click();
    void trvTeams_Click(int Index, int node);
    void trvTeams_MouseDown(int Button, int Shift);
    void cmdAlias_Click(int Index);
    // The team key of a node (its own for a team, its parent's for a member).
    std::string TeamKey(const KeyedTreeView& tree, int node) const;
    void SetStatus(const std::string& text);

    TabPages pages_{tabTournament};
};

frmTournamentForm& frmTournament();

}  // namespace skx
