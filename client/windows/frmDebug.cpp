#include "frmDebug.h"

namespace skx {

frmDebugForm::frmDebugForm() : FeatureDialog("frmDebug", "Debug Information", 420, 320) {}

frmDebugForm& frmDebug() { return TheForm<frmDebugForm>(); }

}  // namespace skx
