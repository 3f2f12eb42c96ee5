// The tournament console: the tournament's details, the signed-up teams, its log and status.
#pragma once
#include <array>

#include "FeatureDialog.h"

namespace skx {

class frmTournamentForm : public FeatureDialog {
public:
    frmTournamentForm();

    // The details: tournament master, start, fee, most and fewest teams, rules, pot.
    Control txtTM;
    Control txtStarted;
    Control txtFee;
    Control txtMax;
    Control txtMin;
    Control txtRules;
    Control txtPot;
    // The four team trees, indices 1 to 4; any other index raises error 340.
    Control& trvTeams(int index);
    RichTextBox rtbTLog;
    StatusBar StatusBar1;

protected:
    void CreateControls() override;

private:
    std::array<Control, 4> teams_;
    std::array<Control, 7> labels_;
};

frmTournamentForm& frmTournament();

}  // namespace skx
