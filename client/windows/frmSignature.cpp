#include "frmSignature.h"

#include <richedit.h>

#include "LineBreakTokens.h"
#include "ProgramSettings.h"
#include "TextUtilities.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {
constexpr LPARAM SignatureLimit = 1000;
}

frmSignatureForm::frmSignatureForm() : FeatureWindow("frmSignature", IDD_SIGNATURE) {
    cmdAccept.Click = [this] { cmdAccept_Click(); };
    cmdClose.Click = [] { ReleaseForm<frmSignatureForm>(); };
}

void frmSignatureForm::FormLoad() {
    SendMessageA(rtbSignature.hWnd(), EM_EXLIMITTEXT, 0, SignatureLimit);
    rtbSignature.SetPlainText(DecodeSignatureLineBreaks(CleanString(Signature)));
}

void frmSignatureForm::cmdAccept_Click() {
    Guard("frmSignature", "cmdAccept_Click", [&] {
        Signature = CleanString(EncodeLineBreaks(rtbSignature.Text()));
        ReleaseForm<frmSignatureForm>();
    });
}

frmSignatureForm& frmSignature() { return TheForm<frmSignatureForm>(); }

}  // namespace skx
