// The self-click options window: the commands a click on the own square runs.
#pragma once
#include "FeatureWindow.h"

namespace skx {

class frmClickForm : public FeatureWindow {
public:
    frmClickForm();
};

frmClickForm& frmClick();

}  // namespace skx
