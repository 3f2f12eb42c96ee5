// The self-click options window: the commands a click on the own square runs.
#pragma once
#include "FeatureDialog.h"

namespace skx {

class frmClickForm : public FeatureDialog {
public:
    frmClickForm();
};

frmClickForm& frmClick();

}  // namespace skx
