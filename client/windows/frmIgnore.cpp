#include "frmIgnore.h"

namespace skx {

frmIgnoreForm::frmIgnoreForm() : FeatureWindow("frmIgnore", IDD_IGNORE) {}

void frmIgnoreForm::OnResize() {
    if (Handle()) list_.Move(0, 0, ScaleWidth(), ScaleHeight());
}

HWND frmIgnoreForm::lstIgnored() {
    Load();
    return list_.hWnd();
}

void frmIgnoreForm::AddItem(const std::string& name) {
    Load();
    list_.AddItem(name);
}

void frmIgnoreForm::Clear() {
    Load();
    list_.Clear();
}

frmIgnoreForm& frmIgnore() { return TheForm<frmIgnoreForm>(); }

}  // namespace skx
