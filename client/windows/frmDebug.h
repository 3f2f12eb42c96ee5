// The staff's debug view of the client's player table.
#pragma once
#include "FeatureWindow.h"

namespace skx {

class frmDebugForm : public FeatureWindow {
public:
    frmDebugForm();
};

frmDebugForm& frmDebug();

}  // namespace skx
