// The main window's life: its load, its close request and unload, its timers and the orderly
// end of the program (Shutdown).
#include <string>
#include <vector>

#include "frmMain.h"
#include "runtime/ErrorGuard.h"
#include "runtime/MessagePump.h"

namespace skx {

void frmMainForm::OnLoad() {
    ProcLine line;
    Guard("frmMain", "MDIForm_Load", [&] {
        line.Line = 1;
        Show();
        line.Line = 2;
        MemoryWarmUp();
        line.Line = 4;
        cmdConnect.SetCaption("&Connect");
        line.Line = 6;
        ReadyToClose = false;
        iGameInfoUpdate = 1;
        line.Line = 7;
        SetUpSocketControl();
        line.Line = 9;
        keyboard_.SetUp(hWnd());
    }, &line);
}

void frmMainForm::MemoryWarmUp() {
    std::vector<std::string> slots(21);
    for (int i = 0; i <= 20; ++i) {
        slots[static_cast<size_t>(i)].assign(500000, ' ');
        DoEvents();
        StatBar.SetPanelText(3, "[" + std::to_string(i * 100 / 20) + "%] Optimizing...");
    }
    slots.clear();
    slots.shrink_to_fit();
    StatBar.SetPanelText(3, "");
}

void frmMainForm::SetUpSocketControl() {
    // Properties by dispatch identifier: Protocol 47, Blocking 6, AutoResolve 4, InLine 24,
    // ThrowError 59.
    if (!sckConnect.IsCreated()) return;
    sckConnect.PropertyPut(47, Variant(int32_t{6}));
    sckConnect.PropertyPut(6, Variant(false));
    sckConnect.PropertyPut(4, Variant(true));
    sckConnect.PropertyPut(24, Variant(true));
    sckConnect.PropertyPut(59, Variant(true));
}

bool frmMainForm::OnQueryUnload(UnloadMode) { return !ReadyToClose; }

bool frmMainForm::OnUnload() {
    // The main window is gone for good: nothing re-creates it, and the loop ends.
    released_ = true;
    PostQuitMessage(0);
    return false;
}

void frmMainForm::DirectXEvent8_DXCallback(int32_t) {
    std::vector<KeyEvent> events = keyboard_.ReadEvents();
    if (!events.empty() && OnKeyEvents) OnKeyEvents(events);
}

void frmMainForm::DXTimer_Timer() {}
void frmMainForm::tmrGameInfo_Timer() {}
void frmMainForm::tmrSoundCheck_Timer() {}

void frmMainForm::Shutdown(bool) {
    Guard("frmMain", "Shutdown", [&] {
        tmrGameInfo.SetEnabled(false);
        DXTimer.SetEnabled(false);
        keyboard_.Release();
        sckConnect.Release();
        UnloadAllForms(UnloadMode::FormCode);
    });
}

}  // namespace skx
