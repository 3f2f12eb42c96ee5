#include "frmGame.h"

#include "ArenaModel.h"
#include "runtime/ErrorGuard.h"

namespace skx {

frmGameForm::frmGameForm() : Form("frmGame", FormKind::MdiChild) {
    initialCaption_ = "Game Information";
    initialRect_ = RECT{0, 0, 240, 300};
    style_ = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    cmbStatus.SetCaption("Unready");
}

void frmGameForm::OnLoad() {
    cmbStatus.Create(hWnd(), {"Unready", "Ready", "Auto-Ready"});
    lblInfo.Create(hWnd(), "STATIC", SS_LEFT | SS_NOPREFIX);
    OnResize();
    ShowText();
}

void frmGameForm::OnResize() {
    if (!Handle()) return;
    cmbStatus.Move(4, 4, ScaleWidth() - 8, 200);
    lblInfo.Move(4, 32, ScaleWidth() - 8, ScaleHeight() - 36);
}

bool frmGameForm::OnQueryUnload(UnloadMode mode) {
    // Closing from the title bar hides the window; the Game Information item follows.
    if (mode == UnloadMode::FormControlMenu) {
        Hide();
        return true;
    }
    return false;
}

void frmGameForm::Update(const std::string& Data, int Section) {
    std::string details = "iCommand:\r\n" + std::to_string(Section) + "\r\n\r\nRawData:\r\n" + Data + "\r\n";
    Guard("frmGame", "Update", [&] {
        if (Section >= 1 && Section <= 3) sections_[Section - 1] = Data;
        ShowText();
    }, nullptr, details);
}

void frmGameForm::ShowReadyStatus(const std::string& status) { cmbStatus.SetText(status); }

std::string frmGameForm::SectionText(int Section) const {
    return Section >= 1 && Section <= 3 ? sections_[Section - 1] : std::string();
}

void frmGameForm::ShowText() {
    std::string text;
    for (const auto& s : sections_) {
        if (!s.empty()) text += s + "\r\n";
    }
    text += "Bot Splats: " + std::to_string(BotSplats);
    lblInfo.SetCaption(text);
}

LRESULT frmGameForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        cmbStatus.Detach();
        lblInfo.Detach();
    }
    return Form::WindowProc(msg, wParam, lParam);
}

frmGameForm& frmGame() { return TheForm<frmGameForm>(); }

}  // namespace skx
