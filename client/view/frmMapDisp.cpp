#include "frmMapDisp.h"

#include "ClientLinks.h"
#include "MapClick.h"
#include "SelfClick.h"
#include "OptionMenuItems.h"
#include "SystemServices.h"
#include "runtime/ErrorGuard.h"
#include "runtime/PictureBox.h"

namespace skx {

namespace {

void FocusEntryLine() {
    if (const auto& focus = ClientLinks().FocusEntryLine) focus();
}

}  // namespace

frmMapDispForm::frmMapDispForm() : Form("frmMapDisp", FormKind::MdiChild) {
    initialCaption_ = "Map Display";
    initialRect_ = RECT{0, 0, 520, 420};
    style_ = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    picMap.SetEnabled(false);
    picMap.MouseDown = [this](int, int, int, int) { picMap_MouseDown(); };
    picMap.MouseUp = [this](int button, int shift, int x, int y) { picMap_MouseUp(button, shift, x, y); };
    // The picture's class shows the arrow; a mouse icon of its own replaces it on every move.
    picMap.MouseMove = [this](int, int, int, int) {
        if (mouseIcon_) SetCursor(mouseIcon_.get());
    };
}

bool frmMapDispForm::SetMouseIcon(const std::string& file) {
    auto icon = static_cast<HCURSOR>(LoadImageA(nullptr, file.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
    if (!icon) return false;
    mouseIcon_.reset(icon);
    return true;
}

void frmMapDispForm::OnLoad() {
    picMap.Create(hWnd(), PictureBoxClass(), WS_CLIPCHILDREN);
    OnResize();
    Guard("frmMapDisp", "Form_Load", [&] { RemoveMenus(hWnd(), {true, true, true, true, true, true, true}); });
}

void frmMapDispForm::OnResize() {
    HWND hwnd = Handle();
    if (!hwnd) return;
    // The window's outer size: the part beyond the client area is clipped by the window.
    RECT outer{};
    GetWindowRect(hwnd, &outer);
    picMap.Move(0, 0, outer.right - outer.left, outer.bottom - outer.top);
}

void frmMapDispForm::picMap_MouseDown() {
    // The release comes here wherever the pointer is by then.
    if (picMap.hWnd()) SetCapture(picMap.hWnd());
    FocusEntryLine();
}

void frmMapDispForm::picMap_MouseUp(int Button, int Shift, int X, int Y) {
    if (GetCapture() == picMap.hWnd()) ReleaseCapture();
    const auto& connected = ClientLinks().Connected;
    if (!connected || !connected()) return;
    // A release beside the picture is no click on the map.
    RECT client{};
    GetClientRect(picMap.hWnd(), &client);
    if (X < client.left || Y < client.top || X >= client.right || Y >= client.bottom) return;
    const MapClickAction action = MapClick(Button, Shift, X, Y, MenuChecked(MenuOption::TrueMovement));
    const auto& server = ClientLinks().Server;
    switch (action.kind) {
        case MapClickAction::Kind::None:
            return;
        case MapClickAction::Kind::SelfClickLeft:
        case MapClickAction::Kind::SelfClickRight:
            ClickingOptions(action.kind == MapClickAction::Kind::SelfClickLeft);
            return;
        case MapClickAction::Kind::Move:
            if (server) server("m", action.data);
            break;
        case MapClickAction::Kind::Fire:
            if (server) server("C", action.data);
            break;
    }
    FocusEntryLine();
}

bool frmMapDispForm::OnQueryUnload(UnloadMode mode) {
    // The user cannot close the map; the program unloads it at the end.
    return mode == UnloadMode::FormControlMenu;
}

LRESULT frmMapDispForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) picMap.Detach();
    return Form::WindowProc(msg, wParam, lParam);
}

frmMapDispForm& frmMapDisp() { return TheForm<frmMapDispForm>(); }

}  // namespace skx
