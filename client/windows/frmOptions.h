// The options window: on three tab pages, the movement keys, auto-chat, instant centre, the
// chat bar's automatic who-list update and the main window's button count; the chat font; the
// four chat colour sets. The option boxes act at once on the main window's menu items and the
// chat bar; the font and colours are stored by "&Apply" and "&Okay".
#pragma once
#include <array>
#include <vector>

#include "FeatureWindow.h"
#include "runtime/TabPages.h"
#include "window_ids.h"

namespace skx {

class frmOptionsForm : public FeatureWindow {
    // picOptions(0 to 2): the pages of the tabs "General", "Font" and "Text Colours".
    std::array<DialogPage, 3> picOptions{{{"frmOptions", IDD_OPTIONS_GENERAL},
                                          {"frmOptions", IDD_OPTIONS_FONT},
                                          {"frmOptions", IDD_OPTIONS_COLOURS}}};

public:
    frmOptionsForm();

    TabStrip tbsOptions{*this, IDC_OPTIONS_TBSOPTIONS, "tbsOptions"};
    Button cmdOK{*this, IDC_OPTIONS_CMDOK, "cmdOK"};
    Button cmdApply{*this, IDC_OPTIONS_CMDAPPLY, "cmdApply"};
    Button cmdCancel{*this, IDC_OPTIONS_CMDCANCEL, "cmdCancel"};

    // "General"
    CheckBox chkWASD{picOptions[0], IDC_OPTIONS_CHKWASD, "chkWASD"};
    CheckBox chkKeyPad{picOptions[0], IDC_OPTIONS_CHKKEYPAD, "chkKeyPad"};
    CheckBox chkAutoChat{picOptions[0], IDC_OPTIONS_CHKAUTOCHAT, "chkAutoChat"};
    CheckBox chkInstantCenter{picOptions[0], IDC_OPTIONS_CHKINSTANTCENTER, "chkInstantCenter"};
    CheckBox chkAutoUpdate{picOptions[0], IDC_OPTIONS_CHKAUTOUPDATE, "chkAutoUpdate"};
    Label lblButtons{picOptions[0], IDC_OPTIONS_LBLBUTTONS, "lblButtons"};
    TextBox txtButtons{picOptions[0], IDC_OPTIONS_TXTBUTTONS, "txtButtons"};
    Label lblMax{picOptions[0], IDC_OPTIONS_LBLMAX, "lblMax"};

    // "Font"
    CheckBox chkItalic{picOptions[1], IDC_OPTIONS_CHKITALIC, "chkItalic"};
    CheckBox chkBoldNames{picOptions[1], IDC_OPTIONS_CHKBOLDNAMES, "chkBoldNames"};
    TextBox txtType{picOptions[1], IDC_OPTIONS_TXTTYPE, "txtType"};
    ListBox lstType{picOptions[1], IDC_OPTIONS_LSTTYPE, "lstType"};
    TextBox txtFontSize{picOptions[1], IDC_OPTIONS_TXTFONTSIZE, "txtFontSize"};
    ListBox lstSize{picOptions[1], IDC_OPTIONS_LSTSIZE, "lstSize"};

    // "Text Colours"
    ComboBox cmbChat{picOptions[2], IDC_OPTIONS_CMBCHAT, "cmbChat"};
    ComboBox cmbPlan{picOptions[2], IDC_OPTIONS_CMBPLAN, "cmbPlan"};
    ComboBox cmbAnnounce{picOptions[2], IDC_OPTIONS_CMBANNOUNCE, "cmbAnnounce"};
    ComboBox cmbTells{picOptions[2], IDC_OPTIONS_CMBTELLS, "cmbTells"};

    std::vector<ControlHost*> ControlHosts() override { return {this, &picOptions[0], &picOptions[1], &picOptions[2]}; }

protected:
    void FormLoad() override;
    // Ctrl+Tab selects the next tab; every key brings the three menu-item boxes up to date.
    bool KeyPreview(const MSG& msg) override;
    bool OnUnload() override;

private:
    void tbsOptions_Click();
    void txtButtons_Change();
    // The font and colours from the boxes; false (nothing stored) when the size is no byte.
    bool Store();
    void ShowMenuStates();

    TabPages pages_{tbsOptions};
};

frmOptionsForm& frmOptions();

}  // namespace skx
