// The command box: one line for the commands the client carries out itself (frame rate,
// no-delay, ignoring a player).
#pragma once
#include "FeatureDialog.h"

namespace skx {

class frmCommandForm : public FeatureDialog {
public:
    frmCommandForm();

    // The command line.
    Control txtCommand;

protected:
    void CreateControls() override;
};

frmCommandForm& frmCommand();

}  // namespace skx
