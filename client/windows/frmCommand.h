// The command box ("Enter Command"): one line for the commands the client carries out
// itself (frame rate, no-delay, ignoring a player). Enter carries out the line, then empties
// and hides the box.
#pragma once
#include "FeatureWindow.h"
#include "window_ids.h"

namespace skx {

class frmCommandForm : public FeatureWindow {
public:
    frmCommandForm();

    // The command line.
    TextBox txtCommand{*this, IDC_COMMAND_TXTCOMMAND, "txtCommand"};

protected:
    // Enter in the line comes as the dialog's OK command (the box has no button).
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void txtCommand_Enter();
};

frmCommandForm& frmCommand();

}  // namespace skx
