#include "frmClick.h"

#include "window_ids.h"

namespace skx {

frmClickForm::frmClickForm() : FeatureWindow("frmClick", IDD_CLICK) {}

frmClickForm& frmClick() { return TheForm<frmClickForm>(); }

}  // namespace skx
