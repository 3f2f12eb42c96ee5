// The signature window: edits the signature put under every note.
#pragma once
#include "FeatureDialog.h"

namespace skx {

class frmSignatureForm : public FeatureDialog {
public:
    frmSignatureForm();
};

frmSignatureForm& frmSignature();

}  // namespace skx
