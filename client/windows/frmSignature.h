// The signature window: edits the signature put under every note.
#pragma once
#include "FeatureWindow.h"

namespace skx {

class frmSignatureForm : public FeatureWindow {
public:
    frmSignatureForm();
};

frmSignatureForm& frmSignature();

}  // namespace skx
