#include "frmClick.h"

namespace skx {

frmClickForm::frmClickForm() : FeatureDialog("frmClick", "Self-Clicking Options", 320, 180) {}

frmClickForm& frmClick() { return TheForm<frmClickForm>(); }

}  // namespace skx
