// The main window's menu commands. Each command catches its own run-time errors and hands
// them to the error reporter as "frmMain" and its handler's name; a check state it changed
// before the error stays changed.
#include "frmMainMenus.h"

#include <functional>
#include <string>

#include "AccountState.h"
#include "ConnectionState.h"
#include "MessageBox.h"
#include "SystemServices.h"
#include "TextUtilities.h"
#include "WindowLook.h"
#include "frmAbout.h"
#include "frmAlias.h"
#include "frmChatBar.h"
#include "frmClick.h"
#include "frmCommand.h"
#include "frmDebug.h"
#include "frmEULA.h"
#include "frmGame.h"
#include "frmIgnore.h"
#include "frmLvlCalc.h"
#include "frmMain.h"
#include "frmNotes.h"
#include "frmOptions.h"
#include "frmProfile.h"
#include "frmRegistration.h"
#include "frmShop.h"
#include "frmSignature.h"
#include "frmSound.h"
#include "frmTeams.h"
#include "frmTip.h"
#include "frmTop25.h"
#include "frmTournament.h"
#include "frmVote.h"
#include "frmWho.h"
#include "frmWriteNote.h"
#include "modRTFLinks.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

// Runs body as the item's command, guarded under the item's handler name.
void OnClick(MenuItem& item, std::function<void()> body) {
    std::string procedure = item.Name() + "_Click";
    item.OnClick = [procedure = std::move(procedure), body = std::move(body)] {
        Guard("frmMain", procedure.c_str(), body);
    };
}

// A toggle: the check state flips, then the item's own effect (if any) runs.
void OnToggle(MenuItem& item, std::function<void(bool)> effect = {}) {
    OnClick(item, [&item, effect = std::move(effect)] {
        item.SetChecked(!item.Checked());
        if (effect) effect(item.Checked());
    });
}

// A window opener: the window, shown modeless and owned by the main window.
void OnOpen(MenuItem& item, std::function<Form&()> window) {
    OnClick(item, [window = std::move(window)] {
        Form& form = window();
        form.Load();
        form.Show(ShowMode::Modeless, &frmMain());
    });
}

// The user the pop-up menu was opened for: the chat window's selected player. False when no
// player is selected (then the commands do nothing).
bool SelectedUser(std::string& name) {
    KeyedListView& list = frmChatBar().WhoList;
    int index = list.SelectedIndex();
    if (index < 1 || index > list.Count()) return false;
    name = list.ItemAt(index).Text;
    return !name.empty();
}

// Asks in the client's input box (no automatic close, centred, "Tahoma").
std::string Ask(const std::string& prompt, const std::string& title, const std::string& initial) {
    return CInputMessage(prompt, title, initial, 0, true, "Tahoma");
}

// A reason for a staff command: asked for, its apostrophes and control characters taken out.
// Empty when the box was cancelled or closed or nothing usable was typed.
std::string AskReason(const std::string& title) {
    return CleanString(Replace(Ask("Reason?", title, ""), "'", ""));
}

void SendCommandLine(const std::string& text) { frmMain().Server("C", CleanString(text)); }

// ---- the user-list pop-up ----

void ProfileUser() {
    std::string name;
    if (!SelectedUser(name)) return;
    frmProfile().OpenFor(name, &frmMain());
}

void TellUser() {
    std::string name;
    if (!SelectedUser(name)) return;
    ComboBox& line = frmMain().txtSend;
    line.SetCaption("/Tell '" + name + "' ");
    line.SetFocus();
    line.SetSelection(static_cast<int>(line.Text().size()), 0);
}

void IgnoreUser() {
    std::string name;
    if (!SelectedUser(name)) return;
    frmCommandForm& box = frmCommand();
    box.Load();
    box.txtCommand.SetCaption("Ignore " + Replace(name, " ", "_"));
    box.Show(ShowMode::Modeless, &frmMain());
}

void BanUser() {
    std::string name;
    if (AccessLevel < BanUserLevel || !SelectedUser(name)) return;
    std::string reason = AskReason("Ban Reason");
    if (reason.empty()) return;
    SendCommandLine("ban '" + name + "' '" + reason + "'");
}

void KickUser() {
    std::string name;
    if (AccessLevel < KickUserLevel || !SelectedUser(name)) return;
    std::string reason = AskReason("Kick Reason");
    if (reason.empty()) return;
    SendCommandLine("kick '" + name + "' '" + reason + "'");
}

void ResetUser() {
    std::string name;
    if (AccessLevel < ResetUserLevel || !SelectedUser(name)) return;
    SendCommandLine("reset '" + name + "'");
}

void ShutupUser() {
    std::string name;
    if (AccessLevel < ShutupUserLevel || !SelectedUser(name)) return;
    std::string lengthText = Ask("Length?", "Length of Shutup", "5");
    if (!IsNumeric(lengthText)) return;
    int32_t length = CLng(lengthText);
    if (length < 0) return;
    std::string reason = AskReason("Shutup Reason");
    if (reason.empty()) return;
    SendCommandLine("shutup '" + name + "' " + CStr(length) + " '" + reason + "'");
}

// ---- options with effects ----

void HookSelectedPane(bool hook) {
    frmChatBarForm& chat = frmChatBar();
    chat.Load();
    int tab = chat.tabChat.SelectedIndex();
    if (tab < 1 || tab > static_cast<int>(chat.txtStatus.size())) Raise(errSubscriptOutOfRange, "frmMain");
    SetHook(chat.txtStatus[static_cast<size_t>(tab - 1)].hWnd(), hook);
}

void ClearChatPanes() {
    for (RichTextBox& pane : frmChatBar().txtStatus) pane.SetText("");
}

// The File menu as it opens: its connect item and the information label follow the socket.
void KeepConnectCaption(frmMainForm& main) {
    bool connected = main.SocketConnected();
    main.mnuFileConnect.SetCaption(connected ? "Disconnect" : "Connect");
    main.lblInformation.SetVisible(connected);
}

void ExitProgram(frmMainForm& main) {
    main.ReadyToClose = true;
    if (main.SocketConnected()) main.RequestConnect();
    main.Shutdown(false);
}

}  // namespace

void WireMainMenus(frmMainForm& m) {
    // Main
    OnClick(m.mnuFile, [&m] { KeepConnectCaption(m); });
    OnClick(m.mnuFileConnect, [&m] { m.RequestConnect(); });
    OnClick(m.mnuFileExit, [&m] { ExitProgram(m); });

    // View
    OnOpen(m.mnuViewBuy, [] () -> Form& { return frmShop(); });
    OnOpen(m.mnuViewWho, [] () -> Form& { return frmWho(); });
    OnOpen(m.mnuViewIgnore, [] () -> Form& { return frmIgnore(); });
    OnOpen(m.mnuViewAlias, [] () -> Form& { return frmAlias(); });
    OnOpen(m.mnuViewTeam, [] () -> Form& { return frmTeams(); });
    OnOpen(m.mnuTournament, [] () -> Form& { return frmTournament(); });
    OnOpen(m.mnuVote, [] () -> Form& { return frmVote(); });
    OnOpen(m.mnuViewTop, [] () -> Form& { return frmTop25(); });

    // Commands
    OnClick(m.mnuCommandScreen, [] {
        bool announce = true;
        Screen_Center(announce);
    });
    OnClick(m.mnuCommandClear, [] { ClearChatPanes(); });

    // Options
    OnToggle(m.mnuDisplayTimeStamp);
    OnToggle(m.mnuOptionsTrue, [&m](bool on) { m.Server("T", on ? "True" : "False"); });
    OnToggle(m.mnuOptionsWASD, [&m](bool on) { if (on) m.mnuOptionsKeypad.SetChecked(false); });
    OnToggle(m.mnuOptionsKeypad, [&m](bool on) { if (on) m.mnuOptionsWASD.SetChecked(false); });
    OnToggle(m.mnuOptionsGameInformation, [](bool on) { frmGame().SetVisible(on); });
    OnClick(m.mnuOptionsReadyNot, [&m] { m.Server("R", "0"); });
    OnClick(m.mnuOptionsReadyYes, [&m] { m.Server("R", "1"); });
    OnClick(m.mnuOptionsReadyAuto, [&m] { m.Server("R", "2"); });
    OnToggle(m.mnuOptionLangFilter);
    OnToggle(m.mnuOptionsChat);
    OnToggle(m.mnuOptionsScroll, [](bool on) { HookSelectedPane(on); });
    OnOpen(m.mnuOptionsSelfClicking, [] () -> Form& { return frmClick(); });
    OnToggle(m.mnuAutoCenter);
    OnOpen(m.mnuOptionsSound, [] () -> Form& { return frmSound(); });
    OnOpen(m.mnuOptionsGeneral, [] () -> Form& { return frmOptions(); });
    OnToggle(m.mnuOptionSplatIgnore);
    OnToggle(m.mnuOptionsShowGrid);
    OnToggle(m.mnuOptionsShowSatellite);
    OnToggle(m.mnuOptionsShowNames);
    OnToggle(m.mnuLocationScanner, [&m](bool on) {
        m.picSpace.SetVisible(on);
        m.ArrangeControls();
    });
    OnToggle(m.mnuOptionsShowErrors);

    // Forum
    OnOpen(m.mnuForumRead, [] () -> Form& { return frmNotes(); });
    OnOpen(m.mnuForumPost, [] () -> Form& { return frmWriteNote(); });
    OnOpen(m.mnuForumSignature, [] () -> Form& { return frmSignature(); });

    // Window
    OnToggle(m.mnuWindowAutoTileWindows, [&m](bool on) { if (on) m.TileChildWindows(); });
    OnClick(m.mnuWindowTileWindows, [&m] { m.TileChildWindows(); });

    // Help
    OnOpen(m.mnuDebug, [] () -> Form& { return frmDebug(); });
    OnOpen(m.mnuHelpTips, [] () -> Form& { return frmTip(); });
    OnClick(m.mnuContents, [] { LoadHelpFile(frmMain().hWnd()); });
    OnOpen(m.mnuHelpLevelup, [] () -> Form& { return frmLvlCalc(); });
    OnClick(m.mnuHelpCommands, [] {});
    OnClick(m.mnuHelpNews, [&m] { m.Server("n", "2"); });
    OnOpen(m.mnuHelpRegistration, [] () -> Form& { return frmRegistration(); });
    OnOpen(m.mnuHelpEULA, [] () -> Form& { return frmEULA(); });
    OnClick(m.mnuVisitHomepage, [] { RunShellExecute("Open", HomePageAddress, "", "", SW_SHOWNORMAL); });
    OnOpen(m.mnuHelpAbout, [] () -> Form& { return frmAbout(); });

    // The user-list pop-up
    OnClick(m.mnuMiscProfile, [] { ProfileUser(); });
    OnClick(m.mnuMiscTell, [] { TellUser(); });
    OnClick(m.mnuMiscIgnore, [] { IgnoreUser(); });
    OnClick(m.mnuMiscBan, [] { BanUser(); });
    OnClick(m.mnuMiscKick, [] { KickUser(); });
    OnClick(m.mnuMiscReset, [] { ResetUser(); });
    OnClick(m.mnuMiscShutup, [] { ShutupUser(); });
}

}  // namespace skx
