// The main window's life: its load, its close request and unload, its timers and the orderly
// end of the program (Shutdown).
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "AccountState.h"
#include "CrashGuard.h"
#include "ReceiveTurns.h"
#include "ProgramSettings.h"
#include "ReceiveBuffer.h"
#include "Registry.h"
#include "Renderer.h"
#include "ServerSettings.h"
#include "SettingsFiles.h"
#include "SocketControlEvents.h"
#include "Startup.h"
#include "SystemServices.h"
#include "frmMain.h"
#include "WirelatchDispids.h"
#include "frmTip.h"
#include "runtime/ErrorGuard.h"
#include "runtime/MessagePump.h"

namespace skx {

namespace {
// Dispatch identifiers of the socket control members used here.
constexpr DISPID DispAutoResolve = 4;
constexpr DISPID DispBlocking = 6;
constexpr DISPID DispConnected = 17;
constexpr DISPID DispInLine = 24;
constexpr DISPID DispProtocol = 47;
constexpr DISPID DispState = 58;
constexpr DISPID DispThrowError = 59;
constexpr DISPID DispAbort = 67;
constexpr int32_t ProtocolTcp = 6;
constexpr int32_t StateConnecting = 3;
}  // namespace

void frmMainForm::OnLoad() {
    loadStarted_ = true;
    ProcLine line;
    bool shown = false;
    Guard("frmMain", "MDIForm_Load", [&] {
        line.Line = 1;
        Show();
        shown = true;
    }, &line);
    if (shown) {
        // The socket control is made and set up right after the show, before any pending
        // message can run: the warm-up below runs the message loop, and a connect made from
        // there must already be in event mode (a blocking connect switched to events afterwards
        // never tells of its completion, so it would never log in). Made here rather than with
        // the window's other controls, loading the control's library does not hold back the
        // window's first appearance. A failure here is reported and the load goes on.
        Guard("frmMain", "sckConnect", [&] { sckConnect.Create(SocketControlClassId); });
        line.Line = 7;
        Guard("frmMain", "MDIForm_Load", [&] { SetUpSocketControl(); }, &line);
        Guard("frmMain", "MDIForm_Load", [&] {
            line.Line = 2;
            MemoryWarmUp();
            line.Line = 3;
            ShowCustomButtons();
            line.Line = 4;
            cmdConnect.SetCaption("&Connect");
            line.Line = 5;
            // The system menu loses Close and the separator above it.
            RemoveMenus(hWnd(), {false, false, false, false, false, true, true});
            line.Line = 6;
            ReadyToClose = false;
            iGameInfoUpdate = 1;
            line.Line = 8;
            ShowTipOfTheDay();
            line.Line = 9;
            keyboard_.SetUp(hWnd());
        }, &line);
    }
    // Exit is the one way the user ends the program.
    if (!mnuFileExit.OnClick) {
        mnuFileExit.OnClick = [this] {
            ReadyToClose = true;
            Shutdown(false);
        };
    }
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

void frmMainForm::ShowCustomButtons() {
    for (int i = 0; i <= 16; ++i) {
        Control& b = alias_[static_cast<size_t>(i)];
        b.SetCaption(Buttons[static_cast<size_t>(i)].Name);
        b.SetToolTipText(Buttons[static_cast<size_t>(i)].Tip);
    }
    // Entries 17 to 34 belong to other windows.
    for (int i = 35; i <= 54; ++i) {
        Control& b = alias_[static_cast<size_t>(i)];
        b.SetCaption(Buttons[static_cast<size_t>(i)].Name);
        b.SetToolTipText(Buttons[static_cast<size_t>(i)].Tip);
    }
    const int shown = std::clamp<int>(ButtonCount, 0, 17);
    std::vector<ButtonShown> first;
    for (int i = 0; i <= 16; ++i) first.push_back({i, i < shown});
    ShowCommandButtons(first);
}

void frmMainForm::ShowCommandButtons(const std::vector<ButtonShown>& buttons) {
    for (const ButtonShown& b : buttons) cmdAlias(b.index).SetVisible(b.shown);
    ArrangeControls();
}

void frmMainForm::SetUpSocketControl() {
    // Its creation failed and was reported with the window: nothing to set.
    if (!sckConnect.IsCreated()) return;
    ConnectSocketControlEvents(*this);
    sckConnect.PropertyPut(DispProtocol, Variant(ProtocolTcp));
    sckConnect.PropertyPut(DispBlocking, Variant(false));
    sckConnect.PropertyPut(DispAutoResolve, Variant(true));
    sckConnect.PropertyPut(DispInLine, Variant(true));
    sckConnect.PropertyPut(DispThrowError, Variant(true));
}

void frmMainForm::ShowTipOfTheDay() {
    RegistryValue update;
    fReadValue(ClientRegistryRoot, ClientRegistryKey(AccessCode), "Update", "S", std::string("True"), update);
    const std::string* text = std::get_if<std::string>(&update);
    if (text && *text == "True") {
        frmTip().Load();
        frmTip().Show(ShowMode::Modeless, this);
    }
}

bool frmMainForm::OnQueryUnload(UnloadMode) { return !ReadyToClose; }

namespace {
// Windows owned by the main window would go with it unasked; they are unloaded on their own
// (and may refuse), so they lose their owner first.
BOOL CALLBACK ReleaseOwned(HWND hwnd, LPARAM owner) {
    if (GetWindow(hwnd, GW_OWNER) == reinterpret_cast<HWND>(owner)) {
        if (Form* f = Form::FromHandle(hwnd)) {
            if (f->IsLoaded()) SetWindowLongPtrA(hwnd, GWLP_HWNDPARENT, 0);
        }
    }
    return TRUE;
}
}  // namespace

bool frmMainForm::OnUnload() {
    EnumThreadWindows(GetCurrentThreadId(), &ReleaseOwned, reinterpret_cast<LPARAM>(Handle()));
    // The main window is gone for good: nothing re-creates it, and the loop ends.
    released_ = true;
    sckConnectEvents.Disconnect();
    PostQuitMessage(0);
    return false;
}

void frmMainForm::DXTimer_Timer() {
    // Received bytes are dispatched first, so a frame drawn after shows what they changed.
    Guard("frmMain", "DXTimer_Timer", [&] {
        FrameTick({[] { return HasReceivedData(); }, [] { ProcessData(); },
                   [this] {
                       const bool connected = sckConnect.IsCreated() && sckConnect.PropertyGet(DispConnected).ToBool();
                       return MapReady && connected;
                   },
                   [this] {
                       Render({AccessLevel, mnuOptionsShowNames.Checked()});
                       DoEvents();
                   }});
    });
}

void frmMainForm::Shutdown(bool) {
    ProcLine line;
    Guard("frmMain", "Shutdown", [&] {
        line.Line = 1;
        RemoveExceptionHandler();
        line.Line = 2;
        if (sckConnect.IsCreated()) {
            if (sckConnect.PropertyGet(DispConnected).ToBool()) {
                CloseSocket();
            } else if (sckConnect.PropertyGet(DispState).ToLong() == StateConnecting) {
                sckConnect.Invoke(DispAbort);
            }
        }
        // Nothing more is read or handled, nor does a fetch or a drain finish later.
        StopReceiving();
        line.Line = 3;
        tmrGameInfo.SetEnabled(false);
        DXTimer.SetEnabled(false);
        line.Line = 4;
        CleanUp();
        line.Line = 5;
        FlushServerSettings();  // what the server set in the last second
        SaveClientSettings();
        line.Line = 6;
        keyboard_.Release();
        line.Line = 7;
        // In the order the windows were loaded; a window may refuse.
        std::vector<Form*> forms = LoadedForms();
        for (Form* f : forms) {
            const auto& now = LoadedForms();
            if (std::find(now.begin(), now.end(), f) != now.end()) f->Unload(UnloadMode::FormCode);
        }
        line.Line = 8;
        if (LoadedForms().empty()) {
            // Nothing is left: the message loop ends and with it the program.
            PostQuitMessage(0);
        } else {
            EndProgram(0);
        }
    }, &line);
}

}  // namespace skx
