// The tip-of-the-day window: a random line of ToTD.Dat beside the program, another random one
// on request, and the start-up check box that decides (registry value Update) whether the
// window opens when the client starts.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "FeatureWindow.h"
#include "window_ids.h"

namespace skx {

class frmTipForm : public FeatureWindow {
public:
    frmTipForm();

    Label Picture1{*this, IDC_TIP_PICTURE1, "Picture1"};
    Label imgBulb{*this, IDC_TIP_IMGBULB, "imgBulb"};
    Label Label1{*this, IDC_TIP_LABEL1, "Label1"};
    Label lblTipText{*this, IDC_TIP_LBLTIPTEXT, "lblTipText"};
    CheckBox chkLoadTipsAtStartup{*this, IDC_TIP_CHKLOADTIPSATSTARTUP, "chkLoadTipsAtStartup"};
    Button cmdNextTip{*this, IDC_TIP_CMDNEXTTIP, "cmdNextTip"};
    Button cmdOK{*this, IDC_TIP_CMDOK, "cmdOK"};

    // Puts tip number TipIndex into lblTipText when there are tips.
    void DisplayCurrentTip();

protected:
    void FormLoad() override;
    // The picture area and its labels are white.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void DoNextTip();
    bool LoadTips(const std::string& path);
    void chkLoadTipsAtStartup_Click();

    std::vector<std::string> TipList;
    int32_t TipIndex = 0;
};

frmTipForm& frmTip();

}  // namespace skx
