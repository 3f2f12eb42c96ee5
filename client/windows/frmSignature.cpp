#include "frmSignature.h"

namespace skx {

frmSignatureForm::frmSignatureForm() : FeatureDialog("frmSignature", "Signature Capture", 360, 240) {}

frmSignatureForm& frmSignature() { return TheForm<frmSignatureForm>(); }

}  // namespace skx
