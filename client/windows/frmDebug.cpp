#include "frmDebug.h"

#include "window_ids.h"

namespace skx {

frmDebugForm::frmDebugForm() : FeatureWindow("frmDebug", IDD_DEBUG) {}

frmDebugForm& frmDebug() { return TheForm<frmDebugForm>(); }

}  // namespace skx
