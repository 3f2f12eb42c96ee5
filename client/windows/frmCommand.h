// The command box: one line for the commands the client carries out itself (frame rate,
// no-delay, ignoring a player).
#pragma once
#include "FeatureWindow.h"
#include "window_ids.h"

namespace skx {

class frmCommandForm : public FeatureWindow {
public:
    frmCommandForm();

    // The command line.
    TextBox txtCommand{*this, IDC_COMMAND_TXTCOMMAND, "txtCommand"};
};

frmCommandForm& frmCommand();

}  // namespace skx
