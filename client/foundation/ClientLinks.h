// Links from the foundation's services to windows and procedures of other parts of the
// client: the windows whose layout the settings save, the server writer and the view
// centring. The windows are linked from the start; the procedures are installed by their
// parts when those start. An empty link makes the service skip that step.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace skx {

class Form;

struct ClientLinkTable {
    // The windows whose position the settings save (each gives the single instance; the
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
};

// The program's links: the windows of the client, no procedures until their parts install them.
ClientLinkTable& ClientLinks();
// The window links of the client's own windows (frmChatBar, frmMapDisp, frmGame).
ClientLinkTable ClientWindowLinks();

}  // namespace skx
