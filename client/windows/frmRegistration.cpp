#include "frmRegistration.h"

#include "ClientLinks.h"
#include "MessageBox.h"
#include "ProgramSettings.h"
#include "RegistrationRules.h"
#include "TextUtilities.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {
constexpr int32_t ErrorBox = 22;     // a single OK button and the error icon
constexpr int32_t QuestionBox = 292;  // Yes/No, the question icon, No the default
constexpr char NextCaption[] = "&Next ->";

const char* const PageTexts[3] = {"", "", "Congratulations!  You have registered your character!"};

constexpr char ConfirmNotice[] =
    "A valid e-mail address is required to complete this process.  A validation code is sent to that address to "
    "confirm a valid address.  Without this confirmation code your character will not save gained statistics or "
    "equipment.  If you do not want to enter an e-mail address at this time please do not complete this process "
    "and select the Cancel option.  Please make sure that the address you enter is capable of receiving messages.";

constexpr char FreeMailWarning[] =
    "Using a HotMail or Yahoo! e-mail address, although protects your privacy to a degree, can result in the "
    "possibility you may not receive your confirmation code.  Please make sure your account is active and capable "
    "of receiving e-mail before proceeding!";

int32_t Box(const std::string& text, int32_t style, const std::string& title) {
    return CSendMessage(text, style, title, 0, true, true, -1, "Tahoma");
}

void ClientError(const std::string& what) {
    Box("Skirmora Client:\r\nYou did not enter a valid " + what + ".  Please try again.", ErrorBox, "Client Error:");
}

void SendCommand(const std::string& line) {
    const ClientLinkTable& links = ClientLinks();
    if (links.Server) links.Server("C", line);
}
}  // namespace

frmRegistrationForm::frmRegistrationForm() : FeatureWindow("frmRegistration", IDD_REGISTRATION) {
    cmdNext.Click = [this] { cmdNext_Click(); };
    cmdBack.Click = [this] { cmdBack_Click(); };
}

void frmRegistrationForm::FormLoad() {
    for (size_t i = 0; i < lblInformation.size(); ++i) lblInformation[i].SetCaption(PageTexts[i]);
    txtUsername.SetText(Username);
    txtEmail.SetText("");
    txtCode.SetText("");
    ShowPage(1);
}

void frmRegistrationForm::ShowPage(int16_t page) {
    page_ = page;
    for (size_t i = 0; i < lblInformation.size(); ++i) lblInformation[i].SetVisible(static_cast<int>(i) + 1 == page);
    for (Control* c : {static_cast<Control*>(&lblUsername), static_cast<Control*>(&txtUsername),
                       static_cast<Control*>(&lblEMail), static_cast<Control*>(&txtEmail)}) {
        c->SetVisible(page == 1);
    }
    lblCode.SetVisible(page == 2);
    txtCode.SetVisible(page == 2);
    cmdBack.SetEnabled(page > 1);
    cmdNext.SetCaption(page == 3 ? "Finished!" : NextCaption);
}

bool frmRegistrationForm::ValidateEmail(std::string& address) {
    return skx::ValidateEmail(address, [] { Box(FreeMailWarning, WindowNoticeStyle, "Registration Warning!"); });
}

void frmRegistrationForm::cmdNext_Click() {
    if (page_ == 1) {
        // What is checked is what is sent: the address without control characters.
        std::string address = CleanString(txtEmail.Text());
        if (address.empty()) return ClientError("e-mail address");
        const std::string question = std::string(ConfirmNotice) + "\r\n\r\nIs the address you entered a valid e-mail address?\r\n" + txtEmail.Text();
        switch (Box(question, QuestionBox, "E-mail Address Validation")) {
            case mbrYes:
                if (!ValidateEmail(address)) return ClientError("e-mail address");
                SendCommand("email " + address);
                ShowPage(2);
                return;
            case mbrCancel:
                ReleaseForm<frmRegistrationForm>();
                return;
            default:  // No, or the box closed: the page stays as it is
                return;
        }
    }
    if (page_ == 2) {
        const std::optional<std::string> code = RegistrationCode(txtCode.Text());
        if (!code) return ClientError("code");
        if (*code != txtCode.Text()) txtCode.SetText(*code);
        SendCommand("code " + *code);
        ShowPage(3);
        return;
    }
    ReleaseForm<frmRegistrationForm>();
}

void frmRegistrationForm::cmdBack_Click() {
    if (page_ > 1) ShowPage(static_cast<int16_t>(page_ - 1));
}

frmRegistrationForm& frmRegistration() { return TheForm<frmRegistrationForm>(); }

}  // namespace skx
