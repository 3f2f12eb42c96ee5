// The About window: the product's title, version and credits.
#pragma once
#include "FeatureDialog.h"

namespace skx {

class frmAboutForm : public FeatureDialog {
public:
    frmAboutForm();
};

frmAboutForm& frmAbout();

}  // namespace skx
