#include "frmRegistration.h"

namespace skx {

frmRegistrationForm::frmRegistrationForm() : FeatureDialog("frmRegistration", "Registration (FREE!)", 420, 300) {}

frmRegistrationForm& frmRegistration() { return TheForm<frmRegistrationForm>(); }

}  // namespace skx
