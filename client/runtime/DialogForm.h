// A form made from a dialog template: the template gives the caption, the style and the
// controls; the form's control members take hold of them by id when the window is made
// (WM_INITDIALOG, which is the form's load). The dialog keys work in every message loop of
// the program, waits included; Esc acts as the close box.
#pragma once
#include "ControlHost.h"
#include "Form.h"

namespace skx {

class DialogForm : public Form, public ControlHost {
public:
    DialogForm(const std::string& name, int templateId, FormKind kind = FormKind::Dialog);
    std::vector<ControlHost*> ControlHosts() override { return {this}; }

protected:
    void OnDialogCreated() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace skx
