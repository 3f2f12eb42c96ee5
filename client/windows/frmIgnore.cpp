#include "frmIgnore.h"

namespace skx {

namespace {
constexpr int ListId = 101;
}

frmIgnoreForm::frmIgnoreForm() : Form("frmIgnore", FormKind::Dialog) {
    initialCaption_ = "Ignore List";
    initialRect_ = RECT{CW_USEDEFAULT, CW_USEDEFAULT, 260, 300};
}

void frmIgnoreForm::OnLoad() {
    RECT client{};
    GetClientRect(Handle(), &client);
    list_ = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0,
                            client.right, client.bottom, Handle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(ListId)), GetModuleHandleA(nullptr),
                            nullptr);
    SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

void frmIgnoreForm::OnResize() {
    if (!list_) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    MoveWindow(list_, 0, 0, client.right, client.bottom, TRUE);
}

HWND frmIgnoreForm::lstIgnored() {
    if (!IsLoaded()) Load();
    return list_;
}

void frmIgnoreForm::AddItem(const std::string& name) {
    SendMessageA(lstIgnored(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void frmIgnoreForm::Clear() { SendMessageA(lstIgnored(), LB_RESETCONTENT, 0, 0); }

frmIgnoreForm& frmIgnore() { return TheForm<frmIgnoreForm>(); }

}  // namespace skx
