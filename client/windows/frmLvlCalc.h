// The level calculator: what reaching a goal level takes from a start level (splats below
// level 30, money and bonus cash from 30 on). Offline: it sends nothing and reads no settings.
#pragma once
#include "FeatureWindow.h"
#include "window_ids.h"

namespace skx {

class frmLvlCalcForm : public FeatureWindow {
public:
    frmLvlCalcForm();

    ComboBox cmbStart{*this, IDC_LVLCALC_CMBSTART, "cmbStart"};
    ComboBox cmbGoal{*this, IDC_LVLCALC_CMBGOAL, "cmbGoal"};
    TextBox txtCash{*this, IDC_LVLCALC_TXTCASH, "txtCash"};
    TextBox txtSplats{*this, IDC_LVLCALC_TXTSPLATS, "txtSplats"};
    TextBox txtCost{*this, IDC_LVLCALC_TXTCOST, "txtCost"};
    Button cmdDone{*this, IDC_LVLCALC_CMDDONE, "cmdDone"};

protected:
    void FormLoad() override;

private:
    // Works the results out again; chosen is the list just chosen in (its text is the chosen
    // entry, which its box does not show yet), or null.
    void CalculateCost(const ComboBox* chosen);
};

frmLvlCalcForm& frmLvlCalc();

}  // namespace skx
