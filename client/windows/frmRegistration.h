// The character registration window: a three-page wizard. Page 1 takes the e-mail address the
// server mails a registration code to, page 2 the code, page 3 says it is done. The client
// only checks the form of both before it sends them.
#pragma once
#include <cstdint>
#include <string>

#include "FeatureWindow.h"
#include "window_ids.h"

namespace skx {

class frmRegistrationForm : public FeatureWindow {
public:
    frmRegistrationForm();

    ControlArray<Label, 3> lblInformation{*this, IDC_REGISTRATION_LBLINFORMATION, "lblInformation"};
    Label lblUsername{*this, IDC_REGISTRATION_LBLUSERNAME, "lblUsername"};
    TextBox txtUsername{*this, IDC_REGISTRATION_TXTUSERNAME, "txtUsername"};
    Label lblEMail{*this, IDC_REGISTRATION_LBLEMAIL, "lblEMail"};
    TextBox txtEmail{*this, IDC_REGISTRATION_TXTEMAIL, "txtEmail"};
    Label lblCode{*this, IDC_REGISTRATION_LBLCODE, "lblCode"};
    TextBox txtCode{*this, IDC_REGISTRATION_TXTCODE, "txtCode"};
    Button cmdBack{*this, IDC_REGISTRATION_CMDBACK, "cmdBack"};
    Button cmdNext{*this, IDC_REGISTRATION_CMDNEXT, "cmdNext"};

    // Whether the address has the form of an e-mail address; shows the free-mail warning for a
    // HotMail or Yahoo! address.
    bool ValidateEmail(std::string& address);

protected:
    void FormLoad() override;

private:
    void cmdNext_Click();
    void cmdBack_Click();
    void ShowPage(int16_t page);

    int16_t page_ = 1;
};

frmRegistrationForm& frmRegistration();

}  // namespace skx
