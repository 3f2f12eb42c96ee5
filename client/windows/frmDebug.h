// The staff's debug view of the client's player table.
#pragma once
#include "FeatureDialog.h"

namespace skx {

class frmDebugForm : public FeatureDialog {
public:
    frmDebugForm();
};

frmDebugForm& frmDebug();

}  // namespace skx
