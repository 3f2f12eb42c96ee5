// The login dialog: server, port, user name and password; its OK checks them, stores them and
// starts the connect on the main window's socket control.
#pragma once
#include <array>
#include <string>

#include "runtime/Control.h"
#include "runtime/Form.h"

namespace skx {

// The game operator's servers offered in the server list (the first is the default).
inline constexpr std::array<const char*, 2> GameServerHosts{"game.orlenby.com", "game2.orlenby.com"};

class frmConnectForm : public Form {
public:
    frmConnectForm();

    Control lblUsername, lblPassword, lblServer, lblPort;
    Control txtUsername;   // letters only, at most 15 characters, single blanks
    Control txtPassword;   // letters and digits, at most 50 characters, shown as "*"
    Control chkSavePass;   // "Save Password?": a click checks or unchecks it (grey unchecks)
    ComboBox cmbServer;    // chosen from the list or set by the program, never typed
    Control txtPort;       // locked: the port comes from the settings
    Control cmdOkay;       // "&Connect"
    Control cmdCancel;     // "&Cancel"
    Control lblLocalHost;  // the caption-less label that picks 127.0.0.1

    // Check state of chkSavePass: 0 unchecked, 1 checked, 2 grey.
    int SavePassValue() const;
    void SetSavePassValue(int value);

    void LoadFormSettings();
    void cmdOkay_Click();
    void cmdCancel_Click();
    void lblLocalHost_Click();
    void chkSavePass_Click();
    void txtUsername_Change();
    void txtPassword_Change();
    // Key filters: false when the typed character is dropped.
    static bool txtUsername_KeyPress(int KeyAscii);
    static bool txtPassword_KeyPress(int KeyAscii);
    static bool cmbServer_KeyPress(int KeyAscii);

protected:
    void OnLoad() override;
    void OnActivate(bool active) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    // Shows a failed check in the client's message box; the dialog stays open.
    static void CheckFailed(const std::string& text);

    bool inOkay_ = false;
    int changeDepth_ = 0;
};

frmConnectForm& frmConnect();

}  // namespace skx
