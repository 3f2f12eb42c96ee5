// The character registration window: the e-mail address and the registration code.
#pragma once
#include "FeatureWindow.h"

namespace skx {

class frmRegistrationForm : public FeatureWindow {
public:
    frmRegistrationForm();
};

frmRegistrationForm& frmRegistration();

}  // namespace skx
