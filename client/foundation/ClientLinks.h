// Links from the foundation's services to windows and procedures of the layers above: the
// windows whose layout the settings save, the main window's option items and handle, the
// chat bar's "General" pane, the command buttons, the entry line, the server writer, the
// connection state, the effect sounds and the view centring. The app layer sets them at
// start-up (SetAppLinks); an empty link makes the service skip that step.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "CustomButtons.h"
#include "OptionMenuItems.h"

namespace skx {

class Form;
class MenuItem;
class RichTextBox;

struct ClientLinkTable {
    // The windows whose position the settings save (each gives the single instance; the
    // geometry is then read through it, which loads it as a property read does). Without
    // one, its keys are left as they stand in Game.DAT.
    std::function<Form&()> ChatBar;   // frmChatBar
    std::function<Form&()> MapDisp;   // frmMapDisp
    std::function<Form&()> Game;      // frmGame
    // The chat bar's splitter position (loads the chat bar). Without it, [Form] Splitter is kept.
    std::function<int32_t()> ChatSplitter;

    // The main window's menu item of an option (its check state is the setting).
    std::function<MenuItem&(MenuOption option)> OptionItem;
    // The main window's handle, without loading it (null while it has no window).
    std::function<HWND()> MainWindow;
    // The chat bar's "General" pane (loads the chat bar): where chat output echoes.
    std::function<RichTextBox&()> GeneralPane;
    // The chat bar's "Game" pane (loads the chat bar): where server texts go instead of a box.
    std::function<RichTextBox&()> GamePane;
    // The main window's hidden scratch copy of a chat pane: link hit tests run on it.
    std::function<RichTextBox&()> LinkScratch;
    // Pops up the main window's user menu (over the chat bar's player list).
    std::function<void()> PopupUserMenu;
    // Shows or hides the main window's custom command buttons, then lays out their rows.
    std::function<void(const std::vector<ButtonShown>&)> ShowCommandButtons;
    // Gives the main window's entry line txtSend the focus when it is enabled.
    std::function<void()> FocusEntryLine;
    // The account level of the running connection (AccessLevel).
    std::function<int16_t()> AccountLevel;

    // Screen_Center(Announce) of the connection's state module.
    std::function<void(bool announce)> ScreenCenter;
    // frmMain.Server(CtrlChar, Msg): frames and sends one client message.
    std::function<void(const std::string& ctrlChar, const std::string& msg)> Server;
    // Whether the main window's socket is connected (without it: not connected).
    std::function<bool()> Connected;
    // Plays an effect sound (SoundEffect) once.
    std::function<void(int16_t effect)> PlayEffect;
    // Shows a caption and tip on the main window's custom command button of an entry of
    // Buttons, while that window is loaded; entries of other windows are let be.
    std::function<void(int index, const std::string& caption, const std::string& tip)> MainCommandButton;
    // The player table's entries in index order: each name and sprite number (-1 for none).
    std::function<std::vector<std::pair<std::string, int16_t>>()> PlayerTable;
    // Whether the program is ending (its windows are being closed for good).
    std::function<bool()> ProgramEnding;
    // Writes a panel (from 1) of the main window's status bar StatBar.
    std::function<void(int panel, const std::string& text)> StatusPanel;
};

// The program's links: empty until the app layer sets them.
ClientLinkTable& ClientLinks();

}  // namespace skx
