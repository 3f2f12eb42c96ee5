#include "frmTip.h"

#include "ProgramSettings.h"
#include "Registry.h"
#include "WindowLook.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

constexpr int CheckId = 10;
constexpr int NextId = 11;
constexpr int OkId = 1;
constexpr int WindowWidth = 400;
constexpr int WindowHeight = 230;

const char* const Tips[] = {
    "Press the arrow keys or the keypad to walk; turn on WASD Movement in the Options menu to walk with W, A, S and D.",
    "Type /Tell 'name' message in the entry line to send a private message.",
    "Right-click a name in the player list for the profile, a tell or the ignore list.",
    "The Location Scanner in the Options menu lights the direction of the nearest players and bots.",
    "Vote for the next game kind from the View menu; games you hate are never voted for you.",
    "Your command buttons can be set up from the Alias window and sent with one click.",
};

}  // namespace

frmTipForm::frmTipForm() : Form("frmTip", FormKind::Dialog) {
    initialCaption_ = "Tip of the Day";
    initialRect_ = RECT{(GetSystemMetrics(SM_CXSCREEN) - WindowWidth) / 2, (GetSystemMetrics(SM_CYSCREEN) - WindowHeight) / 2,
                        WindowWidth, WindowHeight};
    chkLoadTipsAtStartup.SetCaption("&Show tips at start-up");
    cmdNextTip.SetCaption("&Next Tip");
    cmdOK.SetCaption("OK");
}

int frmTipForm::TipCount() { return static_cast<int>(sizeof Tips / sizeof Tips[0]); }

void frmTipForm::OnLoad() {
    Guard("frmTip", "Form_Load", [&] {
        HWND hwnd = hWnd();
        DialogLookOnLoad(hwnd);
        int w = ScaleWidth(), h = ScaleHeight();
        lblTipText.Move(12, 12, w - 24, h - 64);
        chkLoadTipsAtStartup.Move(12, h - 38, 170, 24);
        cmdNextTip.Move(w - 180, h - 38, 80, 26);
        cmdOK.Move(w - 92, h - 38, 80, 26);
        current_ = static_cast<int>(GetTickCount() % static_cast<DWORD>(TipCount()));
        lblTipText.SetCaption(Tips[current_]);
        lblTipText.Create(hwnd, "STATIC", SS_LEFT | SS_NOPREFIX, WS_EX_CLIENTEDGE);
        chkLoadTipsAtStartup.Create(hwnd, "BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, CheckId);
        cmdNextTip.Create(hwnd, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, NextId);
        cmdOK.Create(hwnd, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, OkId);
        RegistryValue update;
        fReadValue(ClientRegistryRoot, ClientRegistryKey(AccessCode), "Update", "S", std::string("True"), update);
        const std::string* text = std::get_if<std::string>(&update);
        SendMessageA(chkLoadTipsAtStartup.hWnd(), BM_SETCHECK, text && *text == "True" ? BST_CHECKED : BST_UNCHECKED, 0);
    });
}

void frmTipForm::OnActivate(bool active) {
    Guard("frmTip", active ? "Form_Activate" : "Form_Deactivate", [&] { DialogLookOnActivate(Handle(), active); });
}

void frmTipForm::ShowNextTip() {
    current_ = (current_ + 1) % TipCount();
    lblTipText.SetCaption(Tips[current_]);
}

void frmTipForm::chkLoadTipsAtStartup_Click() {
    Guard("frmTip", "chkLoadTipsAtStartup_Click", [&] {
        bool on = SendMessageA(chkLoadTipsAtStartup.hWnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
        fWriteValue(ClientRegistryRoot, ClientRegistryKey(AccessCode), "Update", "S", std::string(on ? "True" : "False"));
    });
}

LRESULT frmTipForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                switch (LOWORD(wParam)) {
                    case CheckId: chkLoadTipsAtStartup_Click(); return 0;
                    case NextId: ShowNextTip(); return 0;
                    case OkId:
                    case IDCANCEL: Unload(); return 0;
                    default: break;
                }
            }
            break;
        case WM_DESTROY:
            for (Control* c : {&lblTipText, &chkLoadTipsAtStartup, &cmdNextTip, &cmdOK}) c->Detach();
            break;
        default:
            break;
    }
    return Form::WindowProc(msg, wParam, lParam);
}

frmTipForm& frmTip() { return TheForm<frmTipForm>(); }

}  // namespace skx
