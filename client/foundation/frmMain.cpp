#include "frmMain.h"

#include "runtime/App.h"

namespace skx {

frmMainForm::frmMainForm() : Form("frmMain", FormKind::MdiFrame) {
    initialCaption_ = App::Title();
    initialRect_ = RECT{CW_USEDEFAULT, CW_USEDEFAULT, 1024, 768};
}

void frmMainForm::OnLoad() {}

bool frmMainForm::OnUnload() {
    PostQuitMessage(0);
    return false;
}

frmMainForm& frmMain() { return TheForm<frmMainForm>(); }

}  // namespace skx
