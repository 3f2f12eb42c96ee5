// The tournament console: the tournament's details, the signed-up teams, its log and status.
#pragma once
#include "FeatureWindow.h"
#include "runtime/KeyedTreeView.h"
#include "window_ids.h"

namespace skx {

class frmTournamentForm : public FeatureWindow {
public:
    frmTournamentForm();

    // The details: tournament master, start, fee, most and fewest teams, rules, pot.
    TextBox txtTM{*this, IDC_TOURNAMENT_TXTTM, "txtTM"};
    TextBox txtStarted{*this, IDC_TOURNAMENT_TXTSTARTED, "txtStarted"};
    TextBox txtFee{*this, IDC_TOURNAMENT_TXTFEE, "txtFee"};
    TextBox txtMax{*this, IDC_TOURNAMENT_TXTMAX, "txtMax"};
    TextBox txtMin{*this, IDC_TOURNAMENT_TXTMIN, "txtMin"};
    TextBox txtRules{*this, IDC_TOURNAMENT_TXTRULES, "txtRules"};
    TextBox txtPot{*this, IDC_TOURNAMENT_TXTPOT, "txtPot"};
    // The four team trees, indices 1 to 4; any other index raises error 340.
    KeyedTreeView& trvTeams(int index);
    RichTextBox rtbTLog{*this, IDC_TOURNAMENT_RTBTLOG, "rtbTLog"};
    StatusBar StatusBar1{*this, IDC_TOURNAMENT_STATUSBAR1, "StatusBar1"};

private:
    ControlArray<KeyedTreeView, 4> teams_{*this, IDC_TOURNAMENT_TRVTEAMS + 1, "trvTeams"};
};

frmTournamentForm& frmTournament();

}  // namespace skx
