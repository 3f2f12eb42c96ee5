// The About window: the product's title, version and credits.
#pragma once
#include "FeatureWindow.h"

namespace skx {

class frmAboutForm : public FeatureWindow {
public:
    frmAboutForm();
};

frmAboutForm& frmAbout();

}  // namespace skx
