// The alias console ("Alias"): the account's aliases, kept by the server, listed with their
// commands; one alias at a time is edited (its name and its commands, one per line), saved to
// the server or removed there.
#pragma once
#include <string>

#include "FeatureWindow.h"
#include "runtime/KeyedListView.h"
#include "runtime/RichEditBox.h"
#include "RowCap.h"
#include "window_ids.h"

namespace skx {

class frmAliasForm : public FeatureWindow {
public:
    frmAliasForm();

    // Takes the whole alias reply: a list (kind 0) refills the list, other kinds are let be.
    void ProcessAlias(const std::string& Data);
    // Replaces the list's aliases with those of a list reply.
    void ParseAlias(const std::string& Data);

    Button cmdUpdate{*this, IDC_ALIAS_CMDUPDATE, "cmdUpdate"};
    Button cmdRem{*this, IDC_ALIAS_CMDREM, "cmdRem"};
    Button cmdAddNew{*this, IDC_ALIAS_CMDADDNEW, "cmdAddNew"};
    Button cmdExit{*this, IDC_ALIAS_CMDEXIT, "cmdExit"};
    Label fraAlias{*this, IDC_ALIAS_FRAALIAS, "fraAlias"};
    Label Label1{*this, IDC_ALIAS_LABEL1, "Label1"};
    TextBox txtName{*this, IDC_ALIAS_TXTNAME, "txtName"};
    RichEditBox rtbCommands{*this, IDC_ALIAS_RTBCOMMANDS, "rtbCommands"};
    Button Command1{*this, IDC_ALIAS_COMMAND1, "Command1"};
    Label fraNames{*this, IDC_ALIAS_FRANAMES, "fraNames"};
    // One row per alias: keyed and captioned by name, its stored commands in "commands".
    KeyedListView lvAliases{*this, IDC_ALIAS_LVALIASES, "lvAliases"};

    // Whether the boxes hold edits that were not saved.
    bool Unsaved() const { return unsaved_; }

protected:
    void FormLoad() override;

private:
    // Saves the alias in the boxes; false when it could not go out for want of a connection.
    bool cmdUpdateAlias_Click();
    // Asks whether to save unsaved edits; false when the asking handler is to stop.
    bool SaveChangesQuestion();
    void cmdRem_Click();
    void cmdAddNew_Click();
    void lvAliases_ItemClick(int Index);
    void txtName_Change();

    bool unsaved_ = false;
    bool sorted_ = false;  // a header click sorted the list: refills keep its order
    RowCap cap_{"frmAlias", "ParseAlias", "alias"};
};

frmAliasForm& frmAlias();

}  // namespace skx
