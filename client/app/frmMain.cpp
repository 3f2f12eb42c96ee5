#include "frmMain.h"

#include <commctrl.h>

#include <algorithm>

#include "Layout.h"
#include "frmMainMenus.h"
#include "frmMapDisp.h"
#include "runtime/App.h"
#include "runtime/ErrorGuard.h"
#include "runtime/PictureBox.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {

constexpr int ConnectButtonId = 200;
constexpr int AliasButtonFirstId = 300;  // + the button's index
constexpr int EntryLineId = 201;
constexpr int BarHeight = 30;            // the row of command buttons
constexpr int AliasRowHeight = 28;       // the row of buttons 35 to 54, when any shows
constexpr int EntryHeight = 24;          // the entry line
constexpr int EntryListHeight = 200;     // the entry line with its list dropped down
constexpr int ScannerSize = 96;          // the location scanner panel, without its panel made

}  // namespace

frmMainForm::frmMainForm()
    : Form("frmMain", FormKind::MdiFrame),
      DXTimer("frmMain", "DXTimer", [this] { DXTimer_Timer(); }),
      tmrGameInfo("frmMain", "tmrGameInfo", [this] { tmrGameInfo_Timer(); }),
      tmrSoundCheck("frmMain", "tmrSoundCheck", [this] { tmrSoundCheck_Timer(); }) {
    initialCaption_ = App::Title();
    initialRect_ = RECT{CW_USEDEFAULT, CW_USEDEFAULT, 1024, 768};
    DXTimer.SetInterval(200);
    tmrGameInfo.SetInterval(1000);
    tmrSoundCheck.SetInterval(2500);
    BuildMenus();
    for (int i = 0; i < static_cast<int>(alias_.size()); ++i) alias_[static_cast<size_t>(i)].SetVisible(false);
    WireEntryAndTargeting();
    cmdConnect.SetCaption("&Connect");
    lblInformation.SetVisible(false);
    txtSend.SetEnabled(false);
    TxtBuffer.SetVisible(false);
    picSpace.SetVisible(false);
}

frmMainForm::~frmMainForm() = default;

void frmMainForm::BuildMenus() {
    MenuItem& bar = menuBar_;
    bar.Add(mnuFile);
    for (MenuItem* m : {&mnuFileConnect, &mnuFileBar0, &mnuFileExit}) mnuFile.Add(*m);

    bar.Add(mnuView);
    for (MenuItem* m : {&mnuViewBuy, &mnuLine2, &mnuViewWho, &mnuViewIgnore, &mnuViewAlias, &mnuLine3,
                        &mnuViewTeam, &mnuTournament, &mnuVote, &mnuViewTop}) {
        mnuView.Add(*m);
    }

    bar.Add(mnuCommands);
    for (MenuItem* m : {&mnuCommandScreen, &mnuCommandClear, &mnuLine4, &mnuTarget}) mnuCommands.Add(*m);
    for (MenuItem& m : mnuTargetSub) mnuTarget.Add(m);

    bar.Add(mnuOptions);
    for (MenuItem* m : {&mnuDisplayTimeStamp, &mnuDisplayTimeStampBreak, &mnuOptionsTrue, &mnuOptionsWASD,
                        &mnuOptionsKeypad, &mnuLine5, &mnuOptionsGameInformation, &mnuOptionsReady, &mnuLine6,
                        &mnuOptionLangFilter, &mnuOptionsChat, &mnuOptionsScroll, &mnuLine7,
                        &mnuOptionsSelfClicking, &mnuAutoCenter, &mnuOptionsSound, &mnuOptionsGeneral,
                        &mnuLine8, &mnuOptionSplatIgnore, &mnuOptionsShowGrid, &mnuOptionsShowSatellite,
                        &mnuOptionsShowNames, &mnuLocationScanner, &mnuLine9, &mnuOptionsShowErrors}) {
        mnuOptions.Add(*m);
    }
    for (MenuItem* m : {&mnuOptionsReadyNot, &mnuOptionsReadyYes, &mnuOptionsReadyAuto}) mnuOptionsReady.Add(*m);

    bar.Add(mnuForum);
    for (MenuItem* m : {&mnuForumRead, &mnuForumPost, &mnuLine10, &mnuForumSignature}) mnuForum.Add(*m);

    bar.Add(mnuWindow);
    for (MenuItem* m : {&mnuWindowAutoTileWindows, &mnuWindowTileWindows}) mnuWindow.Add(*m);

    bar.Add(mnuHelp);
    for (MenuItem* m : {&mnuDebug, &mnuDebugBar, &mnuHelpTips, &mnuContents, &mnuLine11, &mnuHelpLevelup,
                        &mnuHelpCommands, &mnuHelpNews, &mnuHelpRegistration, &mnuHelpEULA, &mnuLine12,
                        &mnuVisitHomepage, &mnuHelpAbout}) {
        mnuHelp.Add(*m);
    }

    for (MenuItem* m : {&mnuMiscProfile, &mnuMiscProfileBar, &mnuMiscTell, &mnuMiscIgnore, &mnuAdminBar,
                        &mnuMiscBan, &mnuMiscKick, &mnuMiscReset, &mnuMiscShutup}) {
        mnuMisc.Add(*m);
    }
    WireMainMenus(*this);
}

Control& frmMainForm::cmdAlias(int index) {
    if (!IsAliasIndex(index)) Raise(340, "frmMain", "Control array element '" + std::to_string(index) + "' doesn't exist");
    return alias_[static_cast<size_t>(index)];
}

HWND frmMainForm::CreateFormWindow(HWND owner) {
    // Once unloaded, the main window stays gone: the program is ending.
    if (released_) Raise(errObjectNotSet, "frmMain", "The main window has been unloaded");
    HINSTANCE instance = GetModuleHandleA(nullptr);
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &Form::StaticProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hIcon = LoadIcon(instance, MAKEINTRESOURCE(1));
        if (!wc.hIcon) wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        wc.lpszClassName = MainWindowClass;
        registered = RegisterClassExA(&wc) != 0;
    }
    HWND hwnd = CreateWindowExA(exStyle_, MainWindowClass, initialCaption_.c_str(), style_ & ~WS_VISIBLE,
                                initialRect_.left, initialRect_.top, initialRect_.right, initialRect_.bottom,
                                owner, nullptr, instance, this);
    if (!hwnd) return hwnd;
    CLIENTCREATESTRUCT ccs{};
    ccs.idFirstChild = 0xFF00;
    mdiClient_ = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                 WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, 0, 0,
                                 hwnd, nullptr, instance, &ccs);
    menuBar_.AttachTo(hwnd);
    CreateControls();
    return hwnd;
}

void frmMainForm::CreateControls() {
    HWND hwnd = Handle();
    if (!hwnd) return;
    tips_ = CreateToolTips(hwnd);
    StatBar.Create(hwnd, {160, 120, 220, 200});
    cmdConnect.Create(hwnd, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, ConnectButtonId);
    for (int i = 0; i < static_cast<int>(alias_.size()); ++i) {
        if (!IsAliasIndex(i)) continue;
        Control& b = alias_[static_cast<size_t>(i)];
        b.Create(hwnd, "BUTTON", BS_PUSHBUTTON, 0, AliasButtonFirstId + i);
        b.UseToolTips(tips_);
    }
    lblInformation.Create(hwnd, "STATIC", SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE);
    picSpace.Create(hwnd, PictureBoxClass(), WS_CLIPCHILDREN, WS_EX_CLIENTEDGE);
    if (picSpace.hWnd()) scanner_.Create(picSpace.hWnd());
    txtSend.Control::Create(hwnd, WC_COMBOBOXA, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0,
                            EntryLineId);
    TxtBuffer.Create(hwnd);
    ArrangeControls();
    // The socket control is made by the load, right after the window shows.
}

void frmMainForm::ArrangeControls() {
    HWND hwnd = Handle();
    if (!hwnd) return;
    RECT rc{};
    GetClientRect(hwnd, &rc);
    int w = rc.right, h = rc.bottom;
    StatBar.Reposition();
    int statusHeight = StatBar.BarHeight();

    // Row of the connect button and custom buttons 0 to 16.
    int x = 4;
    cmdConnect.Move(x, 3, 76, BarHeight - 6);
    x += 80;
    int shown = 0;
    for (int i = 0; i <= 16; ++i) shown += alias_[static_cast<size_t>(i)].Visible() ? 1 : 0;
    // Up to 64 pixels a button, narrower when the row would not fit.
    int buttonWidth = shown > 0 ? std::clamp((w - x - 4) / shown - 2, 24, 64) : 64;
    for (int i = 0; i <= 16; ++i) {
        Control& b = alias_[static_cast<size_t>(i)];
        if (!b.Visible()) continue;
        b.Move(x, 3, buttonWidth, BarHeight - 6);
        x += buttonWidth + 2;
    }
    lblInformation.Move(x + 8, 3, std::max(w - x - 12, 0), BarHeight - 6);
    int top = BarHeight;
    // Buttons 35 to 54 get their own row when any of them shows.
    bool secondRow = false;
    x = 4;
    for (int i = 35; i <= 54; ++i) {
        Control& b = alias_[static_cast<size_t>(i)];
        if (!b.Visible()) continue;
        secondRow = true;
        b.Move(x, top + 2, 64, AliasRowHeight - 4);
        x += 66;
    }
    if (secondRow) top += AliasRowHeight;

    int bottom = h - statusHeight;
    int entryTop = bottom - EntryHeight;
    txtSend.Move(2, entryTop + 1, std::max(w - 4, 0), EntryListHeight);
    // The scanner panel sits at the right, beside the child windows' area, as large as its
    // inner panel (and its border).
    SIZE panel{ScannerSize, ScannerSize};
    if (HWND inner = scanner_.hWnd()) {
        RECT r{};
        GetWindowRect(inner, &r);
        panel = SIZE{r.right - r.left + 4, r.bottom - r.top + 4};
    }
    int scannerWidth = picSpace.Visible() ? panel.cx + 4 : 0;
    picSpace.Move(w - panel.cx - 2, top + 2, panel.cx, panel.cy);
    if (mdiClient_) MoveWindow(mdiClient_, 0, top, std::max(w - scannerWidth, 0), std::max(entryTop - top, 0), TRUE);
}

void frmMainForm::OnResize() {
    ArrangeControls();
    // The window's own creation sizes it too; the resize handler runs from the load on.
    if (!loadStarted_ || !Handle() || IsIconic(Handle())) return;
    Guard("frmMain", "MDIForm_Resize", [&] {
        InitiateLayout();
        if (mnuWindowAutoTileWindows.Checked()) TileChildWindows();
    });
}

void frmMainForm::TileChildWindows() {
    frmMapDisp().Load();
    if (mdiClient_) SendMessageA(mdiClient_, WM_MDITILE, MDITILE_HORIZONTAL, 0);
}

void frmMainForm::PopupMisc() {
    HWND hwnd = hWnd();
    mnuMisc.Popup(hwnd);
}

LRESULT frmMainForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND: {
            if (lParam == 0) {
                if (MenuItem* item = MenuItem::FromId(LOWORD(wParam))) {
                    std::string proc = item->Name() + "_Click";
                    Guard("frmMain", proc.c_str(), [&] { item->Click(); });
                    return 0;
                }
            } else if (reinterpret_cast<HWND>(lParam) == cmdConnect.hWnd() && HIWORD(wParam) == BN_CLICKED) {
                // The toolbar's connect button: the same toggle as the File menu's item.
                Guard("frmMain", "cmdConnect_Click", [&] { RequestConnect(); });
                return 0;
            } else if (reinterpret_cast<HWND>(lParam) == txtSend.hWnd() && HIWORD(wParam) == CBN_EDITCHANGE) {
                Guard("frmMain", "txtSend_Change", [&] { txtSend_Change(); });
                return 0;
            }
            break;
        }
        case WM_INITMENUPOPUP: {
            MenuItem* item = menuBar_.FindPopup(reinterpret_cast<HMENU>(wParam));
            if (!item) item = mnuMisc.FindPopup(reinterpret_cast<HMENU>(wParam));
            if (item && !HIWORD(lParam)) {
                std::string proc = item->Name() + "_Click";
                Guard("frmMain", proc.c_str(), [&] { item->Click(); });
            }
            break;
        }
        case KeyboardInput::NotifyMessage:
            Guard("frmMain", "DirectXEvent8_DXCallback", [&] { DirectXEvent8_DXCallback(0); });
            return 0;
        case FocusEntryLineMessage:
            if (txtSend.Enabled()) txtSend.SetFocus();
            return 0;
        case WM_DESTROY:
            menuBar_.Release();
            for (Control* c : {static_cast<Control*>(&StatBar), &cmdConnect, &picSpace, &lblInformation, static_cast<Control*>(&txtSend),
                               static_cast<Control*>(&TxtBuffer)}) {
                c->Detach();
            }
            for (Control& c : alias_) c.Detach();
            tips_ = nullptr;
            break;
        default:
            break;
    }
    return Form::WindowProc(msg, wParam, lParam);
}

frmMainForm& frmMain() { return TheForm<frmMainForm>(); }

}  // namespace skx
