// The main window: the MDI frame that holds the game, map and chat windows.
#pragma once
#include "runtime/Form.h"

namespace skx {

class frmMainForm : public Form {
public:
    frmMainForm();

protected:
    void OnLoad() override;
    bool OnUnload() override;
};

frmMainForm& frmMain();

}  // namespace skx
