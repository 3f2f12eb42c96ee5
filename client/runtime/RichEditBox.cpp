#include "RichEditBox.h"

#include <richedit.h>

#include "RichTextEditing.h"

namespace skx {

std::string RichEditBox::Text() const { return RtbTextCrLf(*this); }

void RichEditBox::SetPlainText(const std::string& text) {
    setting_ = true;
    RtbSetPlainText(*this, text);
    setting_ = false;
    RunEvent("Change", Change);
}

void RichEditBox::OnCreated() {
    RichTextBox::OnCreated();
    const LRESULT mask = SendMessageA(hwnd_, EM_GETEVENTMASK, 0, 0);
    SendMessageA(hwnd_, EM_SETEVENTMASK, 0, mask | ENM_CHANGE);
}

bool RichEditBox::OnCommand(int code) {
    if (code != EN_CHANGE) return false;
    if (!setting_) RunEvent("Change", Change);
    return true;
}

}  // namespace skx
