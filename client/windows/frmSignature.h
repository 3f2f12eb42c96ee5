// The signature window ("Signature Capture"): edits the signature the note editor puts in
// the footer of every note. Line breaks are kept as tokens in the stored signature.
#pragma once
#include "FeatureWindow.h"
#include "runtime/RichEditBox.h"
#include "window_ids.h"

namespace skx {

class frmSignatureForm : public FeatureWindow {
public:
    frmSignatureForm();

    RichEditBox rtbSignature{*this, IDC_SIGNATURE_RTBSIGNATURE, "rtbSignature"};
    Button cmdAccept{*this, IDC_SIGNATURE_CMDACCEPT, "cmdAccept"};
    Button cmdClose{*this, IDC_SIGNATURE_CMDCLOSE, "cmdClose"};

protected:
    void FormLoad() override;

private:
    void cmdAccept_Click();
};

frmSignatureForm& frmSignature();

}  // namespace skx
