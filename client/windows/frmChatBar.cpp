#include "frmChatBar.h"

#include <commctrl.h>

#include <algorithm>

#include "runtime/Twips.h"

namespace skx {

namespace {
constexpr int TabStripId = 100;
constexpr int TabHeight = 24;
constexpr int MinSplitter = 60;
}  // namespace

frmChatBarForm::frmChatBarForm() : Form("frmChatBar", FormKind::MdiChild) {
    initialCaption_ = "Chat";
    initialRect_ = RECT{0, 0, 640, 220};
    style_ = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    for (auto& pane : txtStatus) pane.SetEnabled(false);
    WhoList.SetEnabled(false);
}

void frmChatBarForm::OnLoad() {
    tabChat.Create(hWnd(), {"General", "Game", "Public Chat", "Private Chat", "Team Chat", "Wizard Chat"},
                   TabStripId);
    for (auto& pane : txtStatus) pane.Create(hWnd(), 0);
    WhoList.Create(hWnd(), {"Name", "Level"});
    if (splitter_ <= 0) splitter_ = TwipsFromPixels(std::max(ScaleWidth() - 170, MinSplitter));
    OnResize();
    ShowSelectedPane();
}

void frmChatBarForm::SetSplitter(int twips) {
    splitter_ = twips;
    OnResize();
}

void frmChatBarForm::OnResize() {
    if (!Handle()) return;
    int w = ScaleWidth(), h = ScaleHeight();
    int split = std::clamp(PixelsFromTwips(splitter_), std::min(MinSplitter, w), std::max(w - 4, 0));
    tabChat.Move(0, 0, split, TabHeight);
    for (auto& pane : txtStatus) pane.Move(0, TabHeight, split, std::max(h - TabHeight, 0));
    WhoList.Move(split + 4, 0, std::max(w - split - 4, 0), h);
}

void frmChatBarForm::ShowSelectedPane() {
    int sel = tabChat.SelectedIndex();
    for (size_t i = 0; i < txtStatus.size(); ++i) {
        txtStatus[i].SetVisible(static_cast<int>(i) + 1 == sel);
    }
}

bool frmChatBarForm::OnQueryUnload(UnloadMode mode) {
    // The user cannot close the chat; the program unloads it at the end.
    return mode == UnloadMode::FormControlMenu;
}

LRESULT frmChatBarForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr && hdr->hwndFrom == tabChat.hWnd() && hdr->code == TCN_SELCHANGE) {
            ShowSelectedPane();
            return 0;
        }
    } else if (msg == WM_DESTROY) {
        tabChat.Detach();
        for (auto& pane : txtStatus) pane.Detach();
        WhoList.Detach();
    }
    return Form::WindowProc(msg, wParam, lParam);
}

frmChatBarForm& frmChatBar() { return TheForm<frmChatBarForm>(); }

}  // namespace skx
