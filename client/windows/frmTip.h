// The tip-of-the-day window: one tip, the next one on request, and the start-up check box
// that decides (registry value Update) whether the window opens when the client starts.
#pragma once
#include <string>

#include "FeatureWindow.h"
#include "window_ids.h"

namespace skx {

class frmTipForm : public FeatureWindow {
public:
    frmTipForm();

    Label lblTipText{*this, IDC_TIP_LBLTIPTEXT, "lblTipText"};
    CheckBox chkLoadTipsAtStartup{*this, IDC_TIP_CHKLOADTIPSATSTARTUP, "chkLoadTipsAtStartup"};
    Button cmdNextTip{*this, IDC_TIP_CMDNEXTTIP, "cmdNextTip"};
    Button cmdOK{*this, IDC_TIP_CMDOK, "cmdOK"};

    // The tip shown now (0-based) and how many there are.
    int CurrentTip() const { return current_; }
    static int TipCount();
    void ShowNextTip();
    // Writes Update ("True"/"False") from the check box.
    void chkLoadTipsAtStartup_Click();

protected:
    void FormLoad() override;

private:
    int current_ = 0;
};

frmTipForm& frmTip();

}  // namespace skx
