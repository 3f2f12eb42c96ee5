#include "frmCommand.h"

namespace skx {

frmCommandForm::frmCommandForm() : FeatureDialog("frmCommand", "Enter Command", 320, 80) {}

void frmCommandForm::CreateControls() {
    AddControl(txtCommand, "EDIT", ES_AUTOHSCROLL | WS_TABSTOP, 8, 10, ScaleWidth() - 16, 22, WS_EX_CLIENTEDGE);
}

frmCommandForm& frmCommand() { return TheForm<frmCommandForm>(); }

}  // namespace skx
