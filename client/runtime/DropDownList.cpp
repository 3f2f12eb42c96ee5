#include "DropDownList.h"

namespace skx {

void DropDownList::SetList(const std::vector<std::string>& items) {
    list_ = items;
    if (hwnd_) OnCreated();
}

bool DropDownList::OnCommand(int code) {
    if (code != CBN_SELCHANGE) return false;
    wanted_ = Text();
    RunEvent("Click", Click);
    return true;
}

void DropDownList::OnCreated() {
    SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
    for (const auto& s : list_) SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    SelectWanted();
}

void DropDownList::OnTextSet() {
    if (!hwnd_) wanted_ = Caption();  // with a window, SetText has kept it already
    else SelectWanted();
}

void DropDownList::SelectWanted() {
    LRESULT at = CB_ERR;
    for (size_t i = 0; i < list_.size() && at == CB_ERR; ++i) {
        if (list_[i] == wanted_) at = static_cast<LRESULT>(i);
    }
    SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(at == CB_ERR ? -1 : at), 0);
}

}  // namespace skx
