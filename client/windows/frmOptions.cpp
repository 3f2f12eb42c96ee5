#include "frmOptions.h"

#include "ButtonCountStep.h"
#include "ClientLinks.h"
#include "ColourSets.h"
#include "MessageBox.h"
#include "OptionMenuItems.h"
#include "ProgramSettings.h"
#include "frmChatBar.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

const std::vector<std::string> FontNames{"Arial",   "Comic Sans MS", "Courier", "Courier New",   "Georgia",
                                         "Impact",  "Modern",        "MS Sans Serif", "Roman", "Script",
                                         "Symbol",  "Times New Roman", "Verdana", "Webdings", "Wingdings"};
const std::vector<std::string> FontSizes{"8", "10", "12", "14", "16", "18", "20"};
const std::vector<std::string> ColourNames{"Blue", "Green", "Grey",      "Maroon", "Orange",
                                           "Pink", "Purple", "Red", "Turquoise", "Yellow"};

int16_t AccountLevel() {
    const ClientLinkTable& links = ClientLinks();
    return links.AccountLevel ? links.AccountLevel() : 0;
}

void FocusEntryLine() {
    if (ClientLinks().FocusEntryLine) ClientLinks().FocusEntryLine();
}

// The chat bar's automatic who-list update: its timer and its box.
void SetChatBarAutoUpdate(bool on) {
    frmChatBarForm& chat = frmChatBar();
    chat.tmrUpdate.SetEnabled(on);
    chat.chkAutoUpdate.SetValue(on ? 1 : 0);
}

int Checked(bool on) { return on ? 1 : 0; }

}  // namespace

frmOptionsForm::frmOptionsForm() : FeatureWindow("frmOptions", IDD_OPTIONS) {
    for (DialogPage& page : picOptions) pages_.Add(page);
    tbsOptions.SetTabs({"General", "Font", "Text Colours"});
    tbsOptions.SetTabTips({"General Options", "Font Settings", "Set the colour of different chat."});
    tbsOptions.Click = [this] { tbsOptions_Click(); };
    for (ComboBox* box : {&cmbChat, &cmbPlan, &cmbAnnounce, &cmbTells}) box->SetList(ColourNames);

    // The boxes set their menu items directly: the items' own clicks would untick the other
    // movement item, and here WASD and keypad are independent.
    chkWASD.Click = [this] { SetMenuChecked(MenuOption::WASD, chkWASD.Value() == 1); };
    chkKeyPad.Click = [this] { SetMenuChecked(MenuOption::Keypad, chkKeyPad.Value() == 1); };
    chkAutoChat.Click = [this] { SetMenuChecked(MenuOption::AutoChat, chkAutoChat.Value() == 1); };
    chkAutoUpdate.Click = [this] { SetChatBarAutoUpdate(chkAutoUpdate.Value() == 1); };
    lstType.Click = [this] {
        if (const int i = lstType.ListIndex(); i >= 0) txtType.SetText(lstType.List(i));
    };
    lstSize.Click = [this] {
        if (const int i = lstSize.ListIndex(); i >= 0) txtFontSize.SetText(lstSize.List(i));
    };
    txtButtons.Change = [this] { txtButtons_Change(); };
    cmdApply.Click = [this] { Store(); };
    cmdOK.Click = [this] {
        if (!Store()) return;
        FocusEntryLine();
        Unload();
    };
    cmdCancel.Click = [this] {
        Unload();
        FocusEntryLine();
    };
}

void frmOptionsForm::FormLoad() {
    tbsOptions.Select(1);
    if (!pages_.Create()) Raise(errOutOfMemory, "frmOptions", "Unable to create the option pages");
    lstType.Clear();
    for (const std::string& name : FontNames) lstType.AddItem(name);
    lstSize.Clear();
    for (const std::string& size : FontSizes) lstSize.AddItem(size);

    txtType.SetText(FontType);
    txtFontSize.SetText(CStr(FontSize));
    chkItalic.SetValue(Checked(Italic));
    chkBoldNames.SetValue(Checked(BoldNames));
    cmbChat.SetText(ChatColours.Name);
    cmbTells.SetText(TellColours.Name);
    cmbPlan.SetText(PlanColours.Name);
    cmbAnnounce.SetText(AnnounceColours.Name);
    ShowMenuStates();
    frmChatBarForm& chat = frmChatBar();
    chat.Load();
    chkAutoUpdate.SetValue(Checked(chat.tmrUpdate.Enabled()));
    chkInstantCenter.SetValue(Checked(MenuChecked(MenuOption::AutoCenter)));
    if (AccountLevel() >= ButtonRowLevel) {
        txtButtons.SetVisible(true);
        lblMax.SetVisible(true);
        lblButtons.SetVisible(true);
        txtButtons.SetText(CStr(ButtonCount));  // runs the count step
    }
}

void frmOptionsForm::ShowMenuStates() {
    chkAutoChat.SetValue(Checked(MenuChecked(MenuOption::AutoChat)));
    chkKeyPad.SetValue(Checked(MenuChecked(MenuOption::Keypad)));
    chkWASD.SetValue(Checked(MenuChecked(MenuOption::WASD)));
}

bool frmOptionsForm::KeyPreview(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    const int shift = (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                      (GetKeyState(VK_MENU) < 0 ? 4 : 0);
    bool taken = false;
    if (msg.wParam == VK_TAB && shift == 2 && tbsOptions.TabCount() > 0) {
        tbsOptions.Select(tbsOptions.SelectedIndex() % tbsOptions.TabCount() + 1);
        tbsOptions_Click();
        taken = true;
    }
    ShowMenuStates();
    return taken;
}

void frmOptionsForm::tbsOptions_Click() { pages_.ShowSelected(); }

void frmOptionsForm::txtButtons_Change() {
    const std::string text = txtButtons.Text();
    const ButtonCountResult step = ButtonCountStep(text, AccountLevel());
    if (step.Text != text) {
        txtButtons.SetText(step.Text);  // runs this step again
        return;
    }
    if (!step.CountSet) return;
    ButtonCount = step.Count;
    if (ClientLinks().ShowCommandButtons) ClientLinks().ShowCommandButtons(step.Buttons);
}

bool frmOptionsForm::Store() {
    // The size is checked before anything is stored, so a size that is no byte stores nothing.
    const std::string sizeText = txtFontSize.Text();
    uint8_t size = 0;
    try {
        size = CByte(sizeText);
    } catch (const RunTimeError&) {
        CSendMessage(sizeText + " is not a valid font size.", WindowNoticeStyle, "Options");
        return false;
    }
    FontType = txtType.Text();
    FontSize = size;
    Italic = chkItalic.Value() != 0;
    BoldNames = chkBoldNames.Value() != 0;
    SetColor(ChatColours, cmbChat.Text());
    SetColor(TellColours, cmbTells.Text());
    SetColor(PlanColours, cmbPlan.Text());
    SetColor(AnnounceColours, cmbAnnounce.Text());
    return true;
}

bool frmOptionsForm::OnUnload() {
    Guard("frmOptions", "Form_Unload", [&] {
        SetChatBarAutoUpdate(chkAutoUpdate.Value() == 1);
        SetMenuChecked(MenuOption::AutoCenter, chkInstantCenter.Value() == 1);
    });
    return false;
}

frmOptionsForm& frmOptions() { return TheForm<frmOptionsForm>(); }

}  // namespace skx
