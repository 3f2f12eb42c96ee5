// The vote window: the server's tally of game kinds, with the player's own vote and hated
// games flagged in its game list.
#pragma once
#include <string>

#include "FeatureWindow.h"
#include "VoteList.h"
#include "window_ids.h"

namespace skx {

class frmVoteForm : public FeatureWindow {
public:
    frmVoteForm();

    // The games: keyed by name, small icon 1 voted for, 2 hated, 3 neither.
    VoteList gridVoteWindow{*this, IDC_VOTE_GRIDVOTEWINDOW, "gridVoteWindow"};

    // Refills the list from a vote tally: records separated by ";", each the game's name and its
    // vote count separated by ":". The own vote ([Vote] Game) and the hated games ([Hate] <game>)
    // of Game.DAT choose the icons; the caption then counts the rows.
    void Update(const std::string& Data);

protected:
    void OnResize() override;
};

frmVoteForm& frmVote();

}  // namespace skx
