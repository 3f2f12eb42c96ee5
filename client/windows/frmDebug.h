// The staff's debug view: a snapshot of the client's player table taken when it opens.
#pragma once
#include "FeatureWindow.h"
#include "window_ids.h"

namespace skx {

class frmDebugForm : public FeatureWindow {
public:
    frmDebugForm();

    RichTextBox rtbPlayerData{*this, IDC_DEBUG_RTBPLAYERDATA, "rtbPlayerData"};
    RichTextBox rtbDebug{*this, IDC_DEBUG_RTBDEBUG, "rtbDebug"};
    Button cmdExit{*this, IDC_DEBUG_CMDEXIT, "cmdExit"};

protected:
    // The debug view keeps the plain look: no shadow, no translucency.
    void OnLoad() override;
    void OnActivate(bool) override {}
};

frmDebugForm& frmDebug();

}  // namespace skx
