// The character registration window: the e-mail address and the registration code.
#pragma once
#include "FeatureDialog.h"

namespace skx {

class frmRegistrationForm : public FeatureDialog {
public:
    frmRegistrationForm();
};

frmRegistrationForm& frmRegistration();

}  // namespace skx
