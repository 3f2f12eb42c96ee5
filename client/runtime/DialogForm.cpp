#include "DialogForm.h"

namespace skx {

DialogForm::DialogForm(const std::string& name, int templateId, FormKind kind) : Form(name, kind), ControlHost(name) {
    templateId_ = templateId;
}

void DialogForm::OnDialogCreated() { AttachControls(Handle()); }

LRESULT DialogForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (RouteCommand(wParam, lParam)) return 0;
            if (LOWORD(wParam) == IDCANCEL && !FindControl(IDCANCEL)) {
                // Esc (or a Cancel button nobody handles): as the close box.
                SendMessageA(Handle(), WM_CLOSE, 0, 0);
                return 0;
            }
            break;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (RouteNotify(lParam, result)) return result;
            break;
        }
        case WM_DESTROY:
            DetachControls();
            break;
        default:
            break;
    }
    return Form::WindowProc(msg, wParam, lParam);
}

}  // namespace skx
