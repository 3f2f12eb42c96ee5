#include "frmAbout.h"

namespace skx {

frmAboutForm::frmAboutForm() : FeatureDialog("frmAbout", "Skirmora", 360, 300) {}

frmAboutForm& frmAbout() { return TheForm<frmAboutForm>(); }

}  // namespace skx
