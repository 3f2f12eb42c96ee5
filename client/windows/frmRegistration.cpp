#include "frmRegistration.h"

#include "window_ids.h"

namespace skx {

frmRegistrationForm::frmRegistrationForm() : FeatureWindow("frmRegistration", IDD_REGISTRATION) {}

frmRegistrationForm& frmRegistration() { return TheForm<frmRegistrationForm>(); }

}  // namespace skx
