#include "frmCommand.h"

#include "CommandBox.h"
#include "TextUtilities.h"
#include "runtime/ErrorGuard.h"

namespace skx {

frmCommandForm::frmCommandForm() : FeatureWindow("frmCommand", IDD_COMMAND) {}

LRESULT frmCommandForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
        txtCommand_Enter();
        return 0;
    }
    return FeatureWindow::WindowProc(msg, wParam, lParam);
}

void frmCommandForm::txtCommand_Enter() {
    Guard("frmCommand", "ProcessCommand",
          [&] { ProcessCommand(CleanString(txtCommand.Text()), CommandBoxTargets()); });
    // Whatever the command did, the box is emptied and put away.
    Guard("frmCommand", "txtCommand_KeyPress", [&] {
        txtCommand.SetText("");
        Hide();
    });
}

frmCommandForm& frmCommand() { return TheForm<frmCommandForm>(); }

}  // namespace skx
