#include "ToolBar.h"

#include "RunTimeError.h"

namespace skx {

namespace {
constexpr int FirstCommand = 1;  // button i has the command FirstCommand + i - 1
}

void ToolBar::SetButtons(std::vector<Button> buttons) {
    buttons_ = std::move(buttons);
    pressed_.assign(buttons_.size(), false);
    if (hwnd_) OnCreated();
}

void ToolBar::SetImageList(HIMAGELIST images) {
    images_ = images;
    if (hwnd_) OnCreated();
}

void ToolBar::CheckIndex(int index) const {
    if (index < 1 || index > ButtonCount()) Raise(35600);
}

const ToolBar::Button& ToolBar::ButtonAt(int index) const {
    CheckIndex(index);
    return buttons_[static_cast<size_t>(index - 1)];
}

bool ToolBar::Pressed(int index) const {
    CheckIndex(index);
    return pressed_[static_cast<size_t>(index - 1)];
}

void ToolBar::SetPressed(int index, bool pressed) {
    CheckIndex(index);
    pressed_[static_cast<size_t>(index - 1)] = pressed;
    if (hwnd_) SendMessageA(hwnd_, TB_CHECKBUTTON, FirstCommand + index - 1, MAKELPARAM(pressed ? TRUE : FALSE, 0));
}

RECT ToolBar::ButtonRect(int index) const {
    RECT r{};
    if (hwnd_) SendMessageA(hwnd_, TB_GETITEMRECT, static_cast<WPARAM>(index - 1), reinterpret_cast<LPARAM>(&r));
    return r;
}

bool ToolBar::OnNotify(const NMHDR& hdr, LRESULT& result) {
    if (hdr.code != NM_CLICK) return false;
    // The clicked button's command; a click beside the buttons names none.
    const auto& click = reinterpret_cast<const NMMOUSE&>(hdr);
    const INT_PTR command = static_cast<INT_PTR>(click.dwItemSpec);
    const int index = static_cast<int>(command) - FirstCommand + 1;
    result = 0;
    if (command < FirstCommand || index > ButtonCount()) return true;
    RunEvent("ButtonClick", [&] {
        if (ButtonClick) ButtonClick(index);
    });
    return true;
}

void ToolBar::OnCreated() {
    SendMessageA(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    while (SendMessageA(hwnd_, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageA(hwnd_, TB_DELETEBUTTON, 0, 0);
    SendMessageA(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    std::vector<TBBUTTON> made;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        TBBUTTON b{};
        b.iBitmap = buttons_[i].Image > 0 ? buttons_[i].Image - 1 : I_IMAGENONE;
        b.idCommand = FirstCommand + static_cast<int>(i);
        b.fsState = static_cast<BYTE>(TBSTATE_ENABLED | (pressed_[i] ? TBSTATE_CHECKED : 0));
        b.fsStyle = BTNS_BUTTON;
        b.iString = reinterpret_cast<INT_PTR>(buttons_[i].Caption.c_str());
        made.push_back(b);
    }
    if (!made.empty()) SendMessageA(hwnd_, TB_ADDBUTTONSA, made.size(), reinterpret_cast<LPARAM>(made.data()));
    SendMessageA(hwnd_, TB_AUTOSIZE, 0, 0);
}

}  // namespace skx
