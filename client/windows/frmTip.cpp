#include "frmTip.h"

#include "ProgramSettings.h"
#include "Registry.h"
#include "TipFile.h"
#include "WholeFile.h"
#include "runtime/App.h"
#include "runtime/ErrorGuard.h"
#include "runtime/VbRandom.h"

namespace skx {

frmTipForm::frmTipForm() : FeatureWindow("frmTip", IDD_TIP) {
    chkLoadTipsAtStartup.Click = [this] { chkLoadTipsAtStartup_Click(); };
    cmdNextTip.Click = [this] { DoNextTip(); };
    cmdOK.Click = [this] { Unload(); };
}

void frmTipForm::FormLoad() {
    // Ticking the box writes Update = "True": opening the window turns the start-up tip on.
    chkLoadTipsAtStartup.SetValue(1);
    chkLoadTipsAtStartup_Click();
    // The generator was seeded once at start-up; every tip draws from it.
    TipList.clear();
    if (!LoadTips(App::Path() + "\\" + TipFileName)) lblTipText.SetCaption(TipFileMissingText());
}

LRESULT frmTipForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CTLCOLORSTATIC) {
        const HWND control = reinterpret_cast<HWND>(lParam);
        if (control == Label1.hWnd() || control == lblTipText.hWnd() || control == imgBulb.hWnd()) {
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
    }
    return FeatureWindow::WindowProc(msg, wParam, lParam);
}

void frmTipForm::DisplayCurrentTip() {
    Guard("frmTip", "DisplayCurrentTip", [&] {
        if (TipList.empty()) return;
        lblTipText.SetCaption(TipList.at(static_cast<size_t>(TipIndex - 1)));
    });
}

void frmTipForm::DoNextTip() {
    Guard("frmTip", "DoNextTip", [&] {
        TipIndex = PickTip(Rnd(), static_cast<int32_t>(TipList.size()));
        DisplayCurrentTip();
    });
}

bool frmTipForm::LoadTips(const std::string& path) {
    bool loaded = false;
    Guard("frmTip", "LoadTips", [&] {
        std::string bytes;
        if (path.empty() || !IsFilePresent(path) || !ReadWholeFile(path, bytes)) return;
        TipList = ReadTips(bytes);
        DoNextTip();
        loaded = true;
    });
    return loaded;
}

void frmTipForm::chkLoadTipsAtStartup_Click() {
    Guard("frmTip", "chkLoadTipsAtStartup_Click", [&] {
        const bool on = chkLoadTipsAtStartup.Value() == 1;
        fWriteValue(ClientRegistryRoot, ClientRegistryKey(AccessCode), "Update", "S", std::string(on ? "True" : "False"));
    });
}

frmTipForm& frmTip() { return TheForm<frmTipForm>(); }

}  // namespace skx
