// The options window: general options, the chat font and the chat colours.
#pragma once
#include "FeatureDialog.h"

namespace skx {

class frmOptionsForm : public FeatureDialog {
public:
    frmOptionsForm();
};

frmOptionsForm& frmOptions();

}  // namespace skx
