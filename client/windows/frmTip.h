// The tip-of-the-day window: one tip, the next one on request, and the start-up check box
// that decides (registry value Update) whether the window opens when the client starts.
#pragma once
#include <string>

#include "runtime/Control.h"
#include "runtime/Form.h"

namespace skx {

class frmTipForm : public Form {
public:
    frmTipForm();

    Control lblTipText;
    Control chkLoadTipsAtStartup;
    Control cmdNextTip;
    Control cmdOK;

    // The tip shown now (0-based) and how many there are.
    int CurrentTip() const { return current_; }
    static int TipCount();
    void ShowNextTip();
    // Writes Update ("True"/"False") from the check box.
    void chkLoadTipsAtStartup_Click();

protected:
    void OnLoad() override;
    void OnActivate(bool active) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int current_ = 0;
};

frmTipForm& frmTip();

}  // namespace skx
