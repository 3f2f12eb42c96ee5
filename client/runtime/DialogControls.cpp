#include "DialogControls.h"

#include "RunTimeError.h"

namespace skx {

bool Button::OnCommand(int code) {
    if (code != BN_CLICKED) return false;
    RunEvent("Click", Click);
    return true;
}

// ---- CheckBox ----

int CheckBox::Value() const {
    if (!hwnd_) return value_;
    LRESULT state = SendMessageA(hwnd_, BM_GETCHECK, 0, 0);
    return state == BST_CHECKED ? 1 : state == BST_INDETERMINATE ? 2 : 0;
}

void CheckBox::SetValue(int value) {
    if (value < 0 || value > 2) Raise(errInvalidPropertyValue);
    value_ = value;
    valueSet_ = true;
    if (hwnd_) SendMessageA(hwnd_, BM_SETCHECK, value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED, 0);
}

void CheckBox::OnCreated() {
    if (valueSet_) SetValue(value_);
    else value_ = Value();
}

bool CheckBox::OnCommand(int code) {
    if (code != BN_CLICKED) return false;
    value_ = Value();
    RunEvent("Click", Click);
    return true;
}

// ---- TextBox ----

bool TextBox::OnCommand(int code) {
    if (code != EN_CHANGE) return false;
    // The program's own changes run the handler once, from OnTextSet.
    if (!SettingText()) RunEvent("Change", Change);
    return true;
}

void TextBox::OnTextSet() { RunEvent("Change", Change); }

// ---- ListBox ----

void ListBox::OnCreated() {
    SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
    for (const std::string& s : items_) SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    items_.clear();  // the window holds them now
}

void ListBox::AddItem(const std::string& text) {
    if (!hwnd_) {
        items_.push_back(text);
        return;
    }
    SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) Raise(errInvalidProcedureCall);
    if (!hwnd_) items_.erase(items_.begin() + index);
    else SendMessageA(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ListBox::Clear() {
    items_.clear();
    if (hwnd_) SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
}

int ListBox::ListCount() const {
    return hwnd_ ? static_cast<int>(SendMessageA(hwnd_, LB_GETCOUNT, 0, 0)) : static_cast<int>(items_.size());
}

std::string ListBox::List(int index) const {
    if (index < 0 || index >= ListCount()) return {};
    if (!hwnd_) return items_[static_cast<size_t>(index)];
    LRESULT n = SendMessageA(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n <= 0) return {};
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = SendMessageA(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
    s.resize(n < 0 ? 0 : static_cast<size_t>(n));
    return s;
}

int ListBox::ListIndex() const {
    return hwnd_ ? static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0)) : -1;
}

void ListBox::SetListIndex(int index) {
    if (hwnd_) SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool ListBox::Selected(int index) const {
    return hwnd_ && index >= 0 && SendMessageA(hwnd_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void ListBox::SetSelected(int index, bool selected) {
    if (!hwnd_ || index < 0 || index >= ListCount()) return;
    if (GetWindowLongA(hwnd_, GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) {
        SendMessageA(hwnd_, LB_SETSEL, selected ? TRUE : FALSE, index);
    } else {
        SendMessageA(hwnd_, LB_SETCURSEL, selected ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1), 0);
    }
}

bool ListBox::OnCommand(int code) {
    if (code != LBN_SELCHANGE) return false;
    RunEvent("Click", Click);
    return true;
}

}  // namespace skx
