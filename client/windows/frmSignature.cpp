#include "frmSignature.h"

#include "window_ids.h"

namespace skx {

frmSignatureForm::frmSignatureForm() : FeatureWindow("frmSignature", IDD_SIGNATURE) {}

frmSignatureForm& frmSignature() { return TheForm<frmSignatureForm>(); }

}  // namespace skx
