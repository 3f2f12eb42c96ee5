#include "FeatureDialog.h"

#include "WindowLook.h"
#include "runtime/ErrorGuard.h"

namespace skx {

FeatureDialog::FeatureDialog(std::string name, std::string caption, int width, int height)
    : Form(std::move(name), FormKind::Dialog) {
    initialCaption_ = std::move(caption);
    // Centred on the screen: a pop-up window gets no default place.
    initialRect_ = RECT{(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                        width, height};
    style_ |= WS_MINIMIZEBOX;
}

void FeatureDialog::Own(Control& control) { controls_.push_back(&control); }

void FeatureDialog::AddControl(Control& control, const char* windowClass, DWORD style, int x, int y, int w,
                               int h, DWORD exStyle, int id) {
    control.Move(x, y, w, h);
    control.Create(Handle(), windowClass, style, exStyle, id);
    Own(control);
}

void FeatureDialog::AddCloseButton(Control& button, int x, int y) {
    button.SetCaption("&Close");
    AddControl(button, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, x, y, 80, 26, 0, CloseButtonId);
}

void FeatureDialog::OnLoad() {
    Guard(Name().c_str(), "Form_Load", [&] {
        DialogLookOnLoad(Handle());
        CreateControls();
    });
}

void FeatureDialog::OnActivate(bool active) {
    Guard(Name().c_str(), active ? "Form_Activate" : "Form_Deactivate",
          [&] { DialogLookOnActivate(Handle(), active); });
}

LRESULT FeatureDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (LOWORD(wParam) == CloseButtonId && HIWORD(wParam) == BN_CLICKED) {
                Unload();
                return 0;
            }
            break;
        case WM_DESTROY:
            for (Control* c : controls_) c->Detach();
            controls_.clear();
            break;
        default:
            break;
    }
    return Form::WindowProc(msg, wParam, lParam);
}

}  // namespace skx
