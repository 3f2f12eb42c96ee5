#include "frmOptions.h"

namespace skx {

frmOptionsForm::frmOptionsForm() : FeatureDialog("frmOptions", "Options", 440, 360) {}

frmOptionsForm& frmOptions() { return TheForm<frmOptionsForm>(); }

}  // namespace skx
