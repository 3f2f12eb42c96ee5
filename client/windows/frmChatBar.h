// The chat display: six rich-text chat panes behind a tab strip and, beside them across a
// divider, the players online. The handlers and the chat writer fill the panes; the window
// shows the pane of the selected tab, highlights the tabs of panes that received text since
// they were last shown, empties a pane on Shift+Delete and asks for the player list again at
// a rate that follows the list's length.
#pragma once
#include <string>

#include "GdiHandle.h"
#include "RowCap.h"
#include "runtime/ControlHost.h"
#include "runtime/DialogControls.h"
#include "runtime/Form.h"
#include "runtime/FormTimer.h"
#include "runtime/KeyedListView.h"
#include "runtime/Splitter.h"
#include "window_ids.h"

namespace skx {

class frmChatBarForm : public Form {
    // The window's controls live in an inner dialog made from the template.
    DialogPage inner_{"frmChatBar", IDD_CHATBAR};

public:
    frmChatBarForm();

    // The chat panes: 0 "General", 1 "Game", 2 "Public Chat", 3 "Private Chat", 4 "Team Chat",
    // 5 "Wizard Chat"; pane n - 1 belongs to tab n.
    ControlArray<RichTextBox, 6> txtStatus{inner_, IDC_CHATBAR_TXTSTATUS, "txtStatus"};
    TabStrip tabChat{inner_, IDC_CHATBAR_TABCHAT, "tabChat"};
    // The players online: items captioned and keyed by name, sub-item "level".
    KeyedListView WhoList{inner_, IDC_CHATBAR_WHOLIST, "WhoList"};
    Label fraChat{inner_, IDC_CHATBAR_FRACHAT, "fraChat"};
    // Carries the automatic refresh setting to the settings file (no click action).
    CheckBox chkAutoUpdate{inner_, IDC_CHATBAR_CHKAUTOUPDATE, "chkAutoUpdate"};
    // The automatic refresh of the player list.
    FormTimer tmrUpdate;

    // The divider between the panes and the player list, in twips from the left.
    int Splitter() const { return splitter_; }
    void SetSplitter(int twips);

    // Refills the player list from the server's who reply, keeping the selected player.
    void Update(const std::string& Data);
    // True when the last who list filled was cut at MostListRows (players past the cut unshown).
    bool WhoListCut() const { return whoCut_; }

    // Shows the pane of the selected tab and hides the others.
    void ShowSelectedPane();

    bool PreTranslate(MSG& msg) override;
    std::vector<ControlHost*> ControlHosts() override { return {&inner_}; }

protected:
    void OnLoad() override;
    void OnResize() override;
    void OnActivate(bool active) override;
    bool OnQueryUnload(UnloadMode mode) override;
    bool OnUnload() override;

private:
    void Arrange(int paneMargin);
    void tabChat_Click();
    void txtStatus_SelChange(int Index);
    bool txtStatus_KeyDown(int Index, int KeyCode, int Shift);
    void txtStatus_MouseMove(int Index, int Button, int Shift, int x, int y);
    void txtStatus_MouseUp(int Index, int Button, int Shift, int x, int y);
    void WhoList_MouseDown(int Button);
    void tmrUpdate_Timer();
    bool WhoExists(const std::string& Key) const;

    SplitterBar splitBar_{inner_, IDC_CHATBAR_SPLITTER, "Splitter"};
    RowCap whoCap_{"frmChatBar", "Update", "who"};
    bool whoCut_ = false;
    FontHandle paneFont_;
    int splitter_ = 0;
};

frmChatBarForm& frmChatBar();

}  // namespace skx
