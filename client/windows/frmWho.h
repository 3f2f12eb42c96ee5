// The who window: every player online with level, splats, status, team, games left and idle
// time. It asks for the list every three seconds while "Auto-Update" is ticked, sorts by any
// column, and its six custom command buttons run their command for the selected players.
#pragma once
#include <string>
#include <vector>

#include "CommandButtonBar.h"
#include "FeatureWindow.h"
#include "runtime/FormTimer.h"
#include "runtime/KeyedListView.h"
#include "window_ids.h"

namespace skx {

class frmWhoForm : public FeatureWindow {
public:
    frmWhoForm();

    // One row per player: text and key the name; sub-items "level", "splats", "status",
    // "team", "game", "idle".
    KeyedListView gridWhoWindow{*this, IDC_WHO_GRIDWHOWINDOW, "gridWhoWindow"};
    StatusBar StatusBar1{*this, IDC_WHO_STATUSBAR1, "StatusBar1"};
    CheckBox chkAutoUpdate{*this, IDC_WHO_CHKAUTOUPDATE, "chkAutoUpdate"};
    Button cmdUpdate{*this, IDC_WHO_CMDUPDATE, "cmdUpdate"};
    Button cmdOkay{*this, IDC_WHO_CMDOKAY, "cmdOkay"};
    Label Label1{*this, IDC_WHO_LABEL1, "Label1"};
    // The custom command buttons of entries 23 to 28 of Buttons.
    CommandButtonBar cmdAlias{*this, IDC_WHO_CMDALIAS, FirstButton, ButtonCount};
    // Asks for the list every 3 s while enabled.
    FormTimer tmrWho;

    // Refills the list from a who reply; the caption then counts the rows.
    void Update(const std::string& Data);

    static constexpr int FirstButton = 23;
    static constexpr int ButtonCount = 6;

protected:
    void FormLoad() override;
    void OnActivate(bool active) override;
    bool OnUnload() override;

private:
    void Form_GotFocus();
    void cmdAlias_Click(int Index);
    void SetStatus(const std::string& text);

    std::vector<std::string> SelectedNames() const;
};

frmWhoForm& frmWho();

}  // namespace skx
