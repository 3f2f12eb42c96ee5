#include "frmAbout.h"

#include "window_ids.h"

namespace skx {

frmAboutForm::frmAboutForm() : FeatureWindow("frmAbout", IDD_ABOUT) {}

frmAboutForm& frmAbout() { return TheForm<frmAboutForm>(); }

}  // namespace skx
