// The options window: general options, the chat font and the chat colours.
#pragma once
#include "FeatureWindow.h"

namespace skx {

class frmOptionsForm : public FeatureWindow {
public:
    frmOptionsForm();
};

frmOptionsForm& frmOptions();

}  // namespace skx
