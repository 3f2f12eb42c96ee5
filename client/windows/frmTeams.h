// The team console: looks a team up and shows its name, splats, website, news and members;
// creates a team; a member of the team shown changes its news and website and promotes,
// demotes or kicks members through the list's pop-up menu.
#pragma once
#include <string>

#include "FeatureWindow.h"
#include "runtime/ImageList.h"
#include "runtime/KeyedListView.h"
#include "runtime/MenuItem.h"
#include "RowCap.h"
#include "window_ids.h"

namespace skx {

class frmTeamsForm : public FeatureWindow {
public:
    frmTeamsForm();

    // Shows the team information the server sent for a look-up.
    void RecvData(const std::string& Data);

    TextBox txtTeamName{*this, IDC_TEAMS_TXTTEAMNAME, "txtTeamName"};
    Label txtSplats{*this, IDC_TEAMS_TXTSPLATS, "txtSplats"};
    Label txtPlayers{*this, IDC_TEAMS_TXTPLAYERS, "txtPlayers"};
    TextBox txtTeamNews{*this, IDC_TEAMS_TXTTEAMNEWS, "txtTeamNews"};
    TextBox txtTeamWebsite{*this, IDC_TEAMS_TXTTEAMWEBSITE, "txtTeamWebsite"};
    // One row per member: rank text, a blank and the name.
    KeyedListView ListTeam{*this, IDC_TEAMS_LISTTEAM, "ListTeam"};
    Button cmdUpdate{*this, IDC_TEAMS_CMDUPDATE, "cmdUpdate"};
    Button cmdCreate{*this, IDC_TEAMS_CMDCREATE, "cmdCreate"};
    Button cmdChangeNews{*this, IDC_TEAMS_CMDCHANGENEWS, "cmdChangeNews"};
    Button cmdChangeWebsite{*this, IDC_TEAMS_CMDCHANGEWEBSITE, "cmdChangeWebsite"};
    Button cmdClose{*this, IDC_TEAMS_CMDCLOSE, "cmdClose"};
    // The members' pop-up menu (not in a menu bar).
    MenuItem mnuTeam{"mnuTeam", "Team", false, true, false};
    MenuItem mnuTeamPromote{"mnuTeamPromote", "Promote"};
    MenuItem mnuTeamDemote{"mnuTeamDemote", "Demote"};
    MenuItem mnuTeamSeparator{"mnuTeamSeparator", "-"};
    MenuItem mnuTeamKick{"mnuTeamKick", "Kick"};

protected:
    void FormLoad() override;
    bool KeyPreview(const MSG& msg) override;
    bool OnUnload() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void cmdUpdate_Click();
    void cmdCreate_Click();
    // Promote, Demote and Kick on the selected member.
    void MemberCommand(std::string (*command)(const std::string&));
    // The news and website boxes, their buttons and the member menu.
    void SetMemberControls(bool enabled);

    // imgRank: "General", "Colonal", "Major", "Captain", "Lieutanent", "Sergeant", "Corporal", "Private".
    ImageList imgRank;
    RowCap cap_{"frmTeams", "RecvData", "team member"};
};

frmTeamsForm& frmTeams();

}  // namespace skx
