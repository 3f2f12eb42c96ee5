// What the connection reaches of the main window, which owns the socket control, the entry
// line, the traffic counter, the status bar, the information label and the menus. The app
// layer sets the links at start-up.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace skx {

class DispatchObject;
class Form;
class MenuItem;

// The main window's menu items the server's messages change.
enum class MainMenu {
    AdminBar,          // mnuAdminBar
    MiscReset,         // mnuMiscReset
    MiscKick,          // mnuMiscKick
    MiscShutup,        // mnuMiscShutup
    MiscBan,           // mnuMiscBan
    Debug,             // mnuDebug
    DebugBar,          // mnuDebugBar
    HelpRegistration,  // mnuHelpRegistration
    ReadyNot,          // mnuOptionsReadyNot
    ReadyYes,          // mnuOptionsReadyYes
    ReadyAuto,         // mnuOptionsReadyAuto
    TargetNone,        // mnuTargetSub(0)
};

struct MainWindowLinkTable {
    std::function<DispatchObject&()> Socket;               // the socket control sckConnect
    std::function<int64_t&()> DataLength;                  // characters received in this connection
    std::function<void(const std::string&)> ShowTraffic;   // status bar panel 4
    std::function<void(bool)> EnableEntryLine;             // the entry line txtSend
    std::function<bool()> CloseSocket;                     // ends the connection
    std::function<Form&()> Window;                         // the main window (owner of the windows shown)
    std::function<MenuItem&(MainMenu)> Menu;               // a menu item
    std::function<void(const std::string&)> ShowInformation;   // the information label lblInformation
    std::function<void(const std::string&)> ShowAnnouncement;   // status bar panel 3
};

MainWindowLinkTable& MainWindowLinks();

// The main window's socket control; error 91 while the app has not linked it.
DispatchObject& MainSocket();
// The main window's menu item; error 91 while the app has not linked the menus.
MenuItem& MainMenuItem(MainMenu item);

}  // namespace skx
