#include "frmTip.h"

#include "ProgramSettings.h"
#include "Registry.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

const char* const Tips[] = {
    "Press the arrow keys or the keypad to walk; turn on WASD Movement in the Options menu to walk with W, A, S and D.",
    "Type /Tell 'name' message in the entry line to send a private message.",
    "Right-click a name in the player list for the profile, a tell or the ignore list.",
    "The Location Scanner in the Options menu lights the direction of the nearest players and bots.",
    "Vote for the next game kind from the View menu; games you hate are never voted for you.",
    "Your command buttons can be set up from the Alias window and sent with one click.",
};

}  // namespace

frmTipForm::frmTipForm() : FeatureWindow("frmTip", IDD_TIP) {
    chkLoadTipsAtStartup.Click = [this] { chkLoadTipsAtStartup_Click(); };
    cmdNextTip.Click = [this] { ShowNextTip(); };
    cmdOK.Click = [this] { Unload(); };
}

int frmTipForm::TipCount() { return static_cast<int>(sizeof Tips / sizeof Tips[0]); }

void frmTipForm::FormLoad() {
    current_ = static_cast<int>(GetTickCount() % static_cast<DWORD>(TipCount()));
    lblTipText.SetCaption(Tips[current_]);
    RegistryValue update;
    fReadValue(ClientRegistryRoot, ClientRegistryKey(AccessCode), "Update", "S", std::string("True"), update);
    const std::string* text = std::get_if<std::string>(&update);
    chkLoadTipsAtStartup.SetValue(text && *text == "True" ? 1 : 0);
}

void frmTipForm::ShowNextTip() {
    current_ = (current_ + 1) % TipCount();
    lblTipText.SetCaption(Tips[current_]);
}

void frmTipForm::chkLoadTipsAtStartup_Click() {
    Guard("frmTip", "chkLoadTipsAtStartup_Click", [&] {
        bool on = chkLoadTipsAtStartup.Value() == 1;
        fWriteValue(ClientRegistryRoot, ClientRegistryKey(AccessCode), "Update", "S", std::string(on ? "True" : "False"));
    });
}

frmTipForm& frmTip() { return TheForm<frmTipForm>(); }

}  // namespace skx
