#include "ControlHost.h"

#include <commctrl.h>

#include <algorithm>

#include "Control.h"
#include "ErrorGuard.h"
#include "Form.h"

namespace skx {

Control* ControlHost::FindControl(int id) const {
    for (Control* c : controls_) {
        if (c->Id() == id) return c;
    }
    return nullptr;
}

void ControlHost::Register(Control& control) { controls_.push_back(&control); }

void ControlHost::Unregister(Control& control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
}

void ControlHost::AttachControls(HWND dialog) {
    tips_ = nullptr;
    for (Control* c : controls_) {
        HWND h = GetDlgItem(dialog, c->Id());
        if (!h) {
            ReportCaught(owner_.c_str(), "Form_Load", 0, 730, owner_,
                         "The template has no control " + c->Name() + " (" + std::to_string(c->Id()) + ")");
            continue;
        }
        c->Attach(h);
    }
}

HWND ControlHost::ToolTipWindow(HWND dialog) {
    if (!tips_ || !IsWindow(tips_)) tips_ = CreateToolTips(dialog);
    return tips_;
}

void ControlHost::DetachControls() {
    for (Control* c : controls_) c->Detach();
    tips_ = nullptr;
}

bool ControlHost::RouteCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) return false;  // menus and accelerators
    Control* c = FindControl(LOWORD(wParam));
    if (!c || c->hWnd() != reinterpret_cast<HWND>(lParam)) return false;
    return c->OnCommand(HIWORD(wParam));
}

bool ControlHost::RouteNotify(LPARAM lParam, LRESULT& result) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (!hdr) return false;
    for (Control* c : controls_) {
        if (c->hWnd() && c->hWnd() == hdr->hwndFrom) return c->OnNotify(*hdr, result);
    }
    return false;
}

// ---- DialogPage ----

DialogPage::~DialogPage() { Destroy(); }

bool DialogPage::Create(HWND parent) {
    if (hwnd_) return true;
    LoadControlClasses();
    hwnd_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), parent, &DialogPage::Proc,
                               reinterpret_cast<LPARAM>(this));
    return hwnd_ != nullptr;
}

void DialogPage::Destroy() {
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

bool DialogPage::IsDialogKey(MSG& msg) {
    if (!hwnd_ || !(msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd))) return false;
    return IsDialogMessageA(hwnd_, &msg) != FALSE;
}

INT_PTR CALLBACK DialogPage::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    DialogPage* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<DialogPage*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        if (self) {
            self->hwnd_ = hwnd;
            self->AttachControls(hwnd);
        }
        return FALSE;  // the page's window takes no focus of its own
    }
    self = reinterpret_cast<DialogPage*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!self) return FALSE;
    if (msg == WM_DESTROY) {
        self->DetachControls();
        return FALSE;
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        if (self->hwnd_ == hwnd) self->hwnd_ = nullptr;
        return FALSE;
    }
    detail::HandlerScope scope;
    LRESULT result = 0;
    bool handled = false;
    Guard(self->OwnerName().c_str(), "WindowProc", [&] {
        if (msg == WM_COMMAND) handled = self->RouteCommand(wParam, lParam);
        else if (msg == WM_NOTIFY) handled = self->RouteNotify(lParam, result);
        if (!handled) handled = self->PageMessage(msg, wParam, lParam, result);
    });
    if (!handled) return FALSE;
    // The colour messages answer with the brush itself, not through the message result.
    if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace skx
