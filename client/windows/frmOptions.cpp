#include "frmOptions.h"

#include "window_ids.h"

namespace skx {

frmOptionsForm::frmOptionsForm() : FeatureWindow("frmOptions", IDD_OPTIONS) {}

frmOptionsForm& frmOptions() { return TheForm<frmOptionsForm>(); }

}  // namespace skx
