// The ignore window: the user's list of players whose chat lines the client drops, kept in
// Ignore.Dat. The window owns the list also while it is hidden: it reads the file when it
// loads and each time it becomes active, and saves every change at once. The names to add
// come from a copy of the chat window's player list.
#pragma once
#include <string>

#include "FeatureWindow.h"
#include "IgnoreList.h"
#include "window_ids.h"

namespace skx {

class frmIgnoreForm : public FeatureWindow {
public:
    frmIgnoreForm();

    // A copy of the chat window's player list, refilled by "&Update".
    ListBox lstOnline{*this, IDC_IGNORE_LSTONLINE, "lstOnline"};
    // The ignore list as the user sees it.
    ListBox lstIgnored{*this, IDC_IGNORE_LSTIGNORED, "lstIgnored"};
    Button cmdAdd{*this, IDC_IGNORE_CMDADD, "cmdAdd"};
    Button cmdRem{*this, IDC_IGNORE_CMDREM, "cmdRem"};
    Button cmdUpdate{*this, IDC_IGNORE_CMDUPDATE, "cmdUpdate"};
    Button cmdClear{*this, IDC_IGNORE_CMDCLEAR, "cmdClear"};
    Button cmdDone{*this, IDC_IGNORE_CMDDONE, "cmdDone"};

    // Appends a name, each "_" made a blank, without looking for it first; then saves.
    void IgnoreAdd(const std::string& Name);
    // The ignore list (loads the window, whose load reads the file).
    const IgnoreList& Ignored();

protected:
    void FormLoad() override;
    void OnActivate(bool active) override;
    bool OnUnload() override;

private:
    void LoadFormSettings();
    void SaveFormSettings();
    void ShowIgnored();
    void cmdAdd_Click();
    void cmdRem_Click();
    void cmdClear_Click();
    void cmdUpdate_Click();
    void cmdDone_Click();

    IgnoreList list_;
};

frmIgnoreForm& frmIgnore();

}  // namespace skx
