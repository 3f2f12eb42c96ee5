// The command button editor ("Edit Button"): edits one entry of the custom command buttons
// (Buttons), shows the accepted texts on the entry's button at once and writes them to
// Buttons.DAT.
#pragma once
#include "FeatureWindow.h"
#include "window_ids.h"

namespace skx {

class frmBtnEditForm : public FeatureWindow {
public:
    frmBtnEditForm();

    // Shows the window, modeless and owned by the main window, with the texts of entry Index
    // of Buttons; an index outside the table is reported (error 9) and nothing is shown.
    void EditButton(int Index);
    // The entry being edited (0 before the first call).
    int EditedIndex() const { return index_; }

    Label lblCaption{*this, IDC_BTNEDIT_LBLCAPTION, "lblCaption"};
    TextBox txt1{*this, IDC_BTNEDIT_TXT1, "txt1"};  // caption
    Label lblTip{*this, IDC_BTNEDIT_LBLTIP, "lblTip"};
    TextBox txt2{*this, IDC_BTNEDIT_TXT2, "txt2"};  // tool tip
    Label lblCommands{*this, IDC_BTNEDIT_LBLCOMMANDS, "lblCommands"};
    TextBox txt3{*this, IDC_BTNEDIT_TXT3, "txt3"};  // command
    Label lblCmdSeparate{*this, IDC_BTNEDIT_LBLCMDSEPARATE, "lblCmdSeparate"};
    Button cmdOK{*this, IDC_BTNEDIT_CMDOK, "cmdOK"};
    Button cmdCancel{*this, IDC_BTNEDIT_CMDCANCEL, "cmdCancel"};

protected:
    void FormLoad() override;

private:
    void cmdOK_Click();
    int index_ = 0;
};

frmBtnEditForm& frmBtnEdit();

}  // namespace skx
