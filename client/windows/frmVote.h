// The vote window: the server's tally of game kinds, with the player's own vote and hated
// games flagged in its game list. The player votes for the selected game, and hates or likes a
// game by clicking its row; "Auto-Update" asks for the tally every three seconds.
#pragma once
#include <string>

#include "FeatureWindow.h"
#include "GdiHandle.h"
#include "VoteList.h"
#include "runtime/FormTimer.h"
#include "RowCap.h"
#include "window_ids.h"

namespace skx {

class frmVoteForm : public FeatureWindow {
public:
    frmVoteForm();

    // The games: keyed by name, small icon 1 voted for, 2 hated, 3 neither.
    VoteList gridVoteWindow{*this, IDC_VOTE_GRIDVOTEWINDOW, "gridVoteWindow"};
    CheckBox chkAutoUpdate{*this, IDC_VOTE_CHKAUTOUPDATE, "chkAutoUpdate"};
    Button cmdVote{*this, IDC_VOTE_CMDVOTE, "cmdVote"};
    Button cmdRefresh{*this, IDC_VOTE_CMDREFRESH, "cmdRefresh"};
    Button cmdDone{*this, IDC_VOTE_CMDDONE, "cmdDone"};
    // Asks for the tally every 3 s while enabled.
    FormTimer tmrVote;

    // Refills the list from a vote tally: records separated by ";", each the game's name and its
    // vote count separated by ":". The own vote ([Vote] Game) and the hated games ([Hate] under
    // each game's HateKey) of Game.DAT, values still waiting for their write included, choose
    // the icons; the caption then counts the rows.
    void Update(const std::string& Data);

protected:
    void FormLoad() override;
    bool OnUnload() override;

private:
    void cmdVote_Click();
    void gridVoteWindow_ItemClick(int Index);
    void ShowLegend();

    Label picYes{*this, IDC_VOTE_PICYES, "picYes"};
    Label picNo{*this, IDC_VOTE_PICNO, "picNo"};
    IconHandle yesIcon_, noIcon_;
    RowCap cap_{"frmVote", "Update", "vote"};
};

frmVoteForm& frmVote();

}  // namespace skx
