// The self-click options window ("Self-Clicking Options"): edits the commands a left and a
// right click on the own square run. Okay stores them (cleaned) and closes; Close and Esc
// close without storing.
#pragma once
#include "FeatureWindow.h"
#include "window_ids.h"

namespace skx {

class frmClickForm : public FeatureWindow {
public:
    frmClickForm();

    ControlArray<Label, 3> lblInformation{*this, IDC_CLICK_LBLINFORMATION, "lblInformation"};
    TextBox txtLeft{*this, IDC_CLICK_TXTLEFT, "txtLeft"};
    TextBox txtRight{*this, IDC_CLICK_TXTRIGHT, "txtRight"};
    Button cmdOkay{*this, IDC_CLICK_CMDOKAY, "cmdOkay"};
    Button cmdClose{*this, IDC_CLICK_CMDCLOSE, "cmdClose"};

protected:
    void FormLoad() override;

private:
    void cmdOkay_Click();
};

frmClickForm& frmClick();

}  // namespace skx
