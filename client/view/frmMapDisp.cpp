#include "frmMapDisp.h"

#include "runtime/PictureBox.h"

namespace skx {

frmMapDispForm::frmMapDispForm() : Form("frmMapDisp", FormKind::MdiChild) {
    initialCaption_ = "Map";
    initialRect_ = RECT{0, 0, 520, 420};
    style_ = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    picMap.SetEnabled(false);
}

void frmMapDispForm::OnLoad() {
    picMap.Create(hWnd(), PictureBoxClass(), WS_CLIPCHILDREN);
    OnResize();
}

void frmMapDispForm::OnResize() {
    if (Handle()) picMap.Move(0, 0, ScaleWidth(), ScaleHeight());
}

bool frmMapDispForm::OnQueryUnload(UnloadMode mode) {
    // The user cannot close the map; the program unloads it at the end.
    return mode == UnloadMode::FormControlMenu;
}

LRESULT frmMapDispForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) picMap.Detach();
    return Form::WindowProc(msg, wParam, lParam);
}

frmMapDispForm& frmMapDisp() { return TheForm<frmMapDispForm>(); }

}  // namespace skx
