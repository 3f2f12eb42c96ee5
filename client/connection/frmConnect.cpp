#include "frmConnect.h"

#include <commctrl.h>

#include <string_view>

#include "AccessCode.h"
#include "ConnectionState.h"
#include "FrameWriter.h"
#include "MessageBox.h"
#include "ProgramSettings.h"
#include "SettingsFiles.h"
#include "TextUtilities.h"
#include "WindowLook.h"
#include "WirelatchDispids.h"
#include "frmChatBar.h"
#include "MainWindowLinks.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

constexpr int UsernameId = 101;
constexpr int PasswordId = 102;
constexpr int SavePassId = 103;
constexpr int ServerId = 104;
constexpr int PortId = 105;
constexpr int LocalHostId = 106;
constexpr int WindowWidth = 300;
constexpr int WindowHeight = 196;

constexpr std::string_view Letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view LettersAndDigits = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

// The key filters run on the boxes' typed characters before the boxes see them.
using KeyFilter = bool (*)(int);
LRESULT CALLBACK FilterKeys(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR filter) {
    if (msg == WM_CHAR && !reinterpret_cast<KeyFilter>(filter)(static_cast<int>(wParam))) return 0;
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &FilterKeys, 1);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void FilterTypedKeys(HWND box, KeyFilter filter) {
    if (box) SetWindowSubclass(box, &FilterKeys, 1, reinterpret_cast<DWORD_PTR>(filter));
}

// Puts text into a box (its change handler runs) with the caret after the text.
void SetBoxText(Control& box, const std::string& text) {
    box.SetCaption(text);
    if (HWND h = box.hWnd()) SendMessageA(h, EM_SETSEL, text.size(), text.size());
}

// The control's socket handle (-1 when it holds none).
constexpr DISPID HandleProperty = 18;

// Ends a connect still under way: one waiting in the control (State 3) or one issued in event
// mode whose connected event has not come yet. The control then lets its socket go, so that a
// new connect can be set up and the old one never logs in.
void AbortPendingConnect(DispatchObject& sck) {
    if (!sck.IsCreated() || IsConnected(sck)) return;
    const bool waiting = sck.PropertyGet(wl::State).ToLong() == wl::StatusConnect;
    if (!waiting && sck.PropertyGet(HandleProperty).ToLong() == -1) return;
    try {
        sck.Invoke(wl::Abort);
    } catch (const RunTimeError&) {
        // A socket the library no longer knows: the disconnect below lets it go all the same.
    }
    sck.Invoke(wl::Disconnect);
}

}  // namespace

frmConnectForm::frmConnectForm() : Form("frmConnect", FormKind::Dialog) {
    initialCaption_ = "Connect";
    initialRect_ = RECT{(GetSystemMetrics(SM_CXSCREEN) - WindowWidth) / 2,
                        (GetSystemMetrics(SM_CYSCREEN) - WindowHeight) / 2, WindowWidth, WindowHeight};
    lblUsername.SetCaption("Username");
    lblPassword.SetCaption("Password");
    lblServer.SetCaption("Server:");
    lblPort.SetCaption("Port:");
    chkSavePass.SetCaption("Save Password?");
    txtPort.SetCaption("10001");
    cmbServer.SetText(GameServerHosts[0]);
    cmdOkay.SetCaption("&Connect");
    cmdCancel.SetCaption("&Cancel");
}

void frmConnectForm::CreateControls() {
    HWND hwnd = Handle();
    lblUsername.Move(10, 12, 70, 16);
    txtUsername.Move(84, 9, 196, 21);
    lblPassword.Move(10, 39, 70, 16);
    txtPassword.Move(84, 36, 196, 21);
    chkSavePass.Move(84, 61, 196, 18);
    lblServer.Move(10, 88, 70, 16);
    cmbServer.Move(84, 85, 180, 120);
    lblLocalHost.Move(268, 88, 12, 16);
    lblPort.Move(10, 115, 70, 16);
    txtPort.Move(84, 112, 60, 21);
    cmdOkay.Move(108, 140, 84, 24);
    cmdCancel.Move(198, 140, 84, 24);
    for (Control* label : {&lblUsername, &lblPassword, &lblServer, &lblPort}) label->Create(hwnd, "STATIC", SS_LEFT);
    txtUsername.Create(hwnd, "EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, UsernameId);
    txtPassword.Create(hwnd, "EDIT", ES_AUTOHSCROLL | ES_PASSWORD | WS_TABSTOP, WS_EX_CLIENTEDGE, PasswordId);
    SendMessageA(txtPassword.hWnd(), EM_SETPASSWORDCHAR, '*', 0);
    // Three states for the program (grey), two for the user: its clicks are handled here.
    chkSavePass.Create(hwnd, "BUTTON", BS_3STATE | WS_TABSTOP, 0, SavePassId);
    std::vector<std::string> hosts(GameServerHosts.begin(), GameServerHosts.end());
    std::string initial = cmbServer.Text();
    cmbServer.Create(hwnd, hosts, ServerId);
    cmbServer.SetText(initial);
    lblLocalHost.Create(hwnd, "STATIC", SS_NOTIFY, 0, LocalHostId);
    txtPort.Create(hwnd, "EDIT", ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE, PortId);
    cmdOkay.Create(hwnd, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, IDOK);
    cmdCancel.Create(hwnd, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, IDCANCEL);
    FilterTypedKeys(txtUsername.hWnd(), &txtUsername_KeyPress);
    FilterTypedKeys(txtPassword.hWnd(), &txtPassword_KeyPress);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(cmbServer.hWnd(), &info)) FilterTypedKeys(info.hwndItem, &cmbServer_KeyPress);
}

void frmConnectForm::OnLoad() {
    Guard("frmConnect", "Form_Load", [&] {
        CreateControls();
        DropShadow(hWnd());
        LoadFormSettings();
        SetBoxText(txtUsername, Username);
        SetBoxText(txtPassword, Password);
    });
}

void frmConnectForm::OnActivate(bool active) {
    Guard("frmConnect", active ? "Form_Activate" : "Form_Deactivate", [&] { DialogLookOnActivate(Handle(), active); });
}

void frmConnectForm::LoadFormSettings() {
    Guard("frmConnect", "LoadFormSettings", [&] {
        const std::string file = DatPath + GameDat;
        SetBoxText(txtUsername, Username);
        SetBoxText(txtPassword, Password);
        std::string savePass = Trim(mfncGetFromIni(file, "Options", "SavePass", false, ""));
        if (!savePass.empty()) SetSavePassValue(LCase(savePass) == "false" ? BST_UNCHECKED : BST_CHECKED);
        cmbServer.SetText(Trim(mfncGetFromIni(file, "LASTSERVER", "Host", false, GameServerHosts[0])));
        txtPort.SetCaption(Trim(mfncGetFromIni(file, "LASTSERVER", "Port", false, "10001")));
    });
}

int frmConnectForm::SavePassValue() const {
    if (!chkSavePass.hWnd()) return BST_UNCHECKED;
    return static_cast<int>(SendMessageA(chkSavePass.hWnd(), BM_GETCHECK, 0, 0));
}

void frmConnectForm::SetSavePassValue(int value) {
    if (chkSavePass.hWnd()) SendMessageA(chkSavePass.hWnd(), BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

bool frmConnectForm::txtUsername_KeyPress(int KeyAscii) {
    return KeyAscii == 8 || (KeyAscii > 0 && KeyAscii < 256 && Letters.find(static_cast<char>(KeyAscii)) != std::string_view::npos);
}

bool frmConnectForm::txtPassword_KeyPress(int KeyAscii) {
    return KeyAscii == 8 ||
           (KeyAscii > 0 && KeyAscii < 256 && LettersAndDigits.find(static_cast<char>(KeyAscii)) != std::string_view::npos);
}

bool frmConnectForm::cmbServer_KeyPress(int) { return false; }

void frmConnectForm::txtUsername_Change() {
    Guard("frmConnect", "txtUsername_Change", [&] {
        const std::string text = txtUsername.Caption();
        std::string clean = Compress2(CleanString(text), " ", 0);
        if (clean.size() >= 16) clean = clean.substr(0, 15);
        if (clean != text) SetBoxText(txtUsername, clean);
        // A name edited away from the stored one drops the stored password from the dialog.
        if (!IsSameText2(txtUsername.Caption(), Username, 1) && !txtPassword.Caption().empty()) {
            SetBoxText(txtPassword, "");
        }
    });
}

void frmConnectForm::txtPassword_Change() {
    Guard("frmConnect", "txtPassword_Change", [&] {
        const std::string text = txtPassword.Caption();
        std::string clean = CleanString(text);
        if (clean.size() > 50) clean = clean.substr(0, 50);
        if (clean != text) SetBoxText(txtPassword, clean);
    });
}

void frmConnectForm::lblLocalHost_Click() {
    Guard("frmConnect", "lblLocalHost_Click", [&] { cmbServer.SetText("127.0.0.1"); });
}

void frmConnectForm::chkSavePass_Click() {
    Guard("frmConnect", "chkSavePass_Click", [&] {
        const int value = SavePassValue();
        SetSavePassValue(value == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED);
    });
}

void frmConnectForm::CheckFailed(const std::string& text) {
    CSendMessage(text, 6, "Connect", 0, true, true, -1, "Tahoma", nullptr);
}

void frmConnectForm::cmdOkay_Click() {
    // The close of an old connection below turns the message loop: no second click meanwhile.
    if (inOkay_) return;
    inOkay_ = true;
    cmdOkay.SetEnabled(false);
    cmdCancel.SetEnabled(false);
    ProcLine line;
    Guard("frmConnect", "cmdOkay_Click", [&] {
        const MainWindowLinkTable& main = MainWindowLinks();
        line.Line = 1;
        if (main.DataLength) main.DataLength() = 0;
        UpdateDataLength(0);
        line.Line = 2;
        Username = txtUsername.Caption();
        Password = txtPassword.Caption();
        AccessCode = GetDriveInformation();
        line.Line = 3;
        const std::string server = cmbServer.Text();
        const std::string port = txtPort.Caption();
        if (Username.empty()) return CheckFailed("Please enter in your username!");
        if (Password.empty()) return CheckFailed("Please enter in your user password!");
        if (server.empty()) return CheckFailed("Please select a server!");
        if (port.empty()) return CheckFailed("Please enter in the servers port number (default 10001)!");
        if (Username.size() < 3) return CheckFailed("The username you have entered is too short!");
        if (Password.size() < 4) return CheckFailed("The password you have entered is too short!");
        if (server.size() < 8) return CheckFailed("Please enter a valid Server!");
        line.Line = 4;
        Clean_Up();
        frmChatBar().WhoList.Clear();
        line.Line = 5;
        DispatchObject& sck = MainSocket();
        if (IsConnected(sck)) {
            if (main.CloseSocket) main.CloseSocket();
        } else {
            AbortPendingConnect(sck);
        }
        line.Line = 6;
        if (!sck.IsCreated()) Raise(errObjectNotSet, "frmConnect");
        int32_t portNumber = CLng(port);
        sck.PropertyPut(wl::HostName, Variant(server));
        sck.PropertyPut(wl::RemotePort, Variant(portNumber));
        sck.Invoke(wl::Connect, {Variant(server), Variant(portNumber)});
        line.Line = 7;
        const std::string file = DatPath + GameDat;
        mfncWriteIni(file, "LASTUSER", "Username", Username, false);
        if (SavePassValue() == BST_CHECKED) mfncWriteIni(file, "LASTUSER", "Password", Password, true);
        mfncWriteIni(file, "LASTSERVER", "Host", server, false);
        mfncWriteIni(file, "LASTSERVER", "Port", port, false);
        mfncWriteIni(file, "Options", "SavePass", SavePassValue() == BST_UNCHECKED ? "False" : "True", false);
        line.Line = 8;
        Unload();
    }, &line);
    // The controls keep their state for the next load when the dialog is gone.
    cmdOkay.SetEnabled(true);
    cmdCancel.SetEnabled(true);
    inOkay_ = false;
}

void frmConnectForm::cmdCancel_Click() {
    if (inOkay_) return;
    Guard("frmConnect", "cmdCancel_Click", [&] {
        // A connect still under way ends here too, or its connected event would log in after all.
        AbortPendingConnect(MainSocket());
        if (MainWindowLinks().CloseSocket) MainWindowLinks().CloseSocket();
        Hide();
    });
}

LRESULT frmConnectForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (id == IDOK && (code == BN_CLICKED || lParam == 0)) {
                cmdOkay_Click();
                return 0;
            }
            if (id == IDCANCEL && (code == BN_CLICKED || lParam == 0)) {
                cmdCancel_Click();
                return 0;
            }
            if (id == SavePassId && code == BN_CLICKED) chkSavePass_Click();
            if (id == LocalHostId && code == STN_CLICKED) lblLocalHost_Click();
            if (id == UsernameId && code == EN_CHANGE) txtUsername_Change();
            if (id == PasswordId && code == EN_CHANGE) txtPassword_Change();
            break;
        }
        case WM_DESTROY:
            for (Control* c : {&lblUsername, &lblPassword, &lblServer, &lblPort, &txtUsername, &txtPassword,
                               &chkSavePass, static_cast<Control*>(&cmbServer), &txtPort, &cmdOkay, &cmdCancel,
                               &lblLocalHost}) {
                c->Detach();
            }
            break;
        default:
            break;
    }
    return Form::WindowProc(msg, wParam, lParam);
}

frmConnectForm& frmConnect() { return TheForm<frmConnectForm>(); }

}  // namespace skx
