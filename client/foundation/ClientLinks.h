// Links from the foundation's services to windows and procedures of other parts of the
// client: the main window's option items, the windows whose layout is saved, the server
// writer, the view centring and the client's message box. Each part installs its entries
// when it starts; until then the services use the fallbacks described here.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace skx {

class Form;

// The main window's option menu items whose check states the settings keep.
enum class MenuOption {
    ShowErrors,        // mnuOptionsShowErrors
    Keypad,            // mnuOptionsKeypad
    WASD,              // mnuOptionsWASD
    ShowSatellite,     // mnuOptionsShowSatellite
    AutoCenter,        // mnuAutoCenter
    TrueMovement,      // mnuOptionsTrue
    LangFilter,        // mnuOptionLangFilter
    AutoChat,          // mnuOptionsChat
    SplatIgnore,       // mnuOptionSplatIgnore
    ScrollLock,        // mnuOptionsScroll
    AutoTileWindows,   // mnuWindowAutoTileWindows
    GameInformation,   // mnuOptionsGameInformation
    LocationScanner,   // mnuLocationScanner
    DisplayTimeStamp,  // mnuDisplayTimeStamp
    Count
};

struct ClientLinkTable {
    // Check state of a main-window option item. Without them the states live in a table
    // of this module (all unchecked at start).
    std::function<bool(MenuOption)> MenuChecked;
    std::function<void(MenuOption, bool)> SetMenuChecked;

    // The windows whose position the settings save (each returns the single instance; the
    // geometry is then read through it, which loads it as a property read does). Without
    // one, its keys are left as they stand in Game.DAT.
    std::function<Form&()> ChatBar;   // frmChatBar
    std::function<Form&()> MapDisp;   // frmMapDisp
    std::function<Form&()> Game;      // frmGame
    // The chat bar's splitter position (loads the chat bar). Without it, [Form] Splitter is kept.
    std::function<int32_t()> ChatSplitter;

    // Screen_Center(Announce) of the connection's state module.
    std::function<void(bool announce)> ScreenCenter;
    // frmMain.Server(CtrlChar, Msg): frames and sends one client message.
    std::function<void(const std::string& ctrlChar, const std::string& msg)> Server;

    // The client's own message box: text, style word, title; returns the pressed button.
    // Without it the platform's message box shows the text.
    std::function<int(const std::string& text, int32_t style, const std::string& title)> ShowMessageBox;
};

ClientLinkTable& ClientLinks();

// The check state of an option item, through the link or the fallback table.
bool MenuChecked(MenuOption option);
void SetMenuChecked(MenuOption option, bool checked);

// Shows a message through the client's message box (or the platform's, until it is linked).
int ShowClientMessage(const std::string& text, int32_t style, const std::string& title);

}  // namespace skx
