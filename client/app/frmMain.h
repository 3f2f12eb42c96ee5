// The main window: the MDI frame that holds the game, map and chat windows, with its status
// bar, command buttons, scanner panel, entry line, menu bar, timers and the socket control.
#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "ArenaModel.h"
#include "CustomButtons.h"
#include "InternetFile.h"
#include "KeyboardInput.h"
#include "MapFiles.h"
#include "ScannerPanel.h"
#include "runtime/Control.h"
#include "runtime/DispatchObject.h"
#include "runtime/EventConnection.h"
#include "runtime/Form.h"
#include "runtime/FormTimer.h"
#include "runtime/MenuItem.h"

namespace skx {

// The main window's own window class (never the class name of another runtime).
inline constexpr char MainWindowClass[] = "SkirmexMain";
inline const char* MainWindowClassName() { return MainWindowClass; }

class frmMainForm : public Form {
public:
    frmMainForm();
    ~frmMainForm() override;

    // Posted to give the entry line the focus once the message being handled is done with.
    static constexpr UINT FocusEntryLineMessage = WM_APP + 0x102;

    // ---- menu bar ----
    MenuItem mnuFile{"mnuFile", "&Main"};
    MenuItem mnuFileConnect{"mnuFileConnect", "Connect/Disconnect"};
    MenuItem mnuFileBar0{"mnuFileBar0", "-"};
    MenuItem mnuFileExit{"mnuFileExit", "E&xit"};

    MenuItem mnuView{"mnuView", "&View"};
    MenuItem mnuViewBuy{"mnuViewBuy", "&Buy..."};
    MenuItem mnuLine2{"mnuLine2", "-"};
    MenuItem mnuViewWho{"mnuViewWho", "&Who is Online..."};
    MenuItem mnuViewIgnore{"mnuViewIgnore", "&Ignore..."};
    MenuItem mnuViewAlias{"mnuViewAlias", "&Alias..."};
    MenuItem mnuLine3{"mnuLine3", "-"};
    MenuItem mnuViewTeam{"mnuViewTeam", "&Team Screen..."};
    MenuItem mnuTournament{"mnuTournament", "T&ournament..."};
    MenuItem mnuVote{"mnuVote", "&Vote..."};
    MenuItem mnuViewTop{"mnuViewTop", "Top &25..."};

    MenuItem mnuCommands{"mnuCommands", "&Commands"};
    MenuItem mnuCommandScreen{"mnuCommandScreen", "&Screen Center"};
    MenuItem mnuCommandClear{"mnuCommandClear", "&Clear Chat Window"};
    MenuItem mnuLine4{"mnuLine4", "-"};
    MenuItem mnuTarget{"mnuTarget", "&Target"};
    // The nine targeting choices; item 0 (no targeting) is ticked at first.
    std::array<MenuItem, 9> mnuTargetSub{{{"mnuTargetSub", "None", true},
                                          {"mnuTargetSub", "North"},
                                          {"mnuTargetSub", "NorthEast"},
                                          {"mnuTargetSub", "East"},
                                          {"mnuTargetSub", "SouthEast"},
                                          {"mnuTargetSub", "South"},
                                          {"mnuTargetSub", "SouthWest"},
                                          {"mnuTargetSub", "West"},
                                          {"mnuTargetSub", "NorthWest"}}};

    MenuItem mnuOptions{"mnuOptions", "&Options"};
    MenuItem mnuDisplayTimeStamp{"mnuDisplayTimeStamp", "Display Time Stamp"};
    MenuItem mnuDisplayTimeStampBreak{"mnuDisplayTimeStampBreak", "-"};
    MenuItem mnuOptionsTrue{"mnuOptionsTrue", "&True Movement"};
    MenuItem mnuOptionsWASD{"mnuOptionsWASD", "WASD Movement"};
    MenuItem mnuOptionsKeypad{"mnuOptionsKeypad", "Keypad &Movement"};
    MenuItem mnuLine5{"mnuLine5", "-"};
    MenuItem mnuOptionsGameInformation{"mnuOptionsGameInformation", "Game Information"};
    MenuItem mnuOptionsReady{"mnuOptionsReady", "&Status"};
    MenuItem mnuOptionsReadyNot{"mnuOptionsReadyNot", "Not Ready"};
    MenuItem mnuOptionsReadyYes{"mnuOptionsReadyYes", "Ready"};
    MenuItem mnuOptionsReadyAuto{"mnuOptionsReadyAuto", "Auto-Ready"};
    MenuItem mnuLine6{"mnuLine6", "-"};
    MenuItem mnuOptionLangFilter{"mnuOptionLangFilter", "&Language Filter"};
    MenuItem mnuOptionsChat{"mnuOptionsChat", "&Auto-Chat"};
    MenuItem mnuOptionsScroll{"mnuOptionsScroll", "Scroll Loc&k"};
    MenuItem mnuLine7{"mnuLine7", "-"};
    MenuItem mnuOptionsSelfClicking{"mnuOptionsSelfClicking", "Self-&Clicking Options"};
    MenuItem mnuAutoCenter{"mnuAutoCenter", "Auto-Center"};
    MenuItem mnuOptionsSound{"mnuOptionsSound", "S&ound Options"};
    MenuItem mnuOptionsGeneral{"mnuOptionsGeneral", "&General Options"};
    MenuItem mnuLine8{"mnuLine8", "-"};
    MenuItem mnuOptionSplatIgnore{"mnuOptionSplatIgnore", "&Ignore Splat Information"};
    MenuItem mnuOptionsShowGrid{"mnuOptionsShowGrid", "Show Grid"};
    MenuItem mnuOptionsShowSatellite{"mnuOptionsShowSatellite", "Show Satellite"};
    MenuItem mnuOptionsShowNames{"mnuOptionsShowNames", "Show Player Names"};
    MenuItem mnuLocationScanner{"mnuLocationScanner", "Show Location Scanner"};
    MenuItem mnuLine9{"mnuLine9", "-"};
    MenuItem mnuOptionsShowErrors{"mnuOptionsShowErrors", "Show Error Messages"};

    MenuItem mnuForum{"mnuForum", "&Forum"};
    MenuItem mnuForumRead{"mnuForumRead", "&Read..."};
    MenuItem mnuForumPost{"mnuForumPost", "&Post..."};
    MenuItem mnuLine10{"mnuLine10", "-"};
    MenuItem mnuForumSignature{"mnuForumSignature", "&Signature..."};

    MenuItem mnuWindow{"mnuWindow", "&Window"};
    MenuItem mnuWindowAutoTileWindows{"mnuWindowAutoTileWindows", "Auto-Tile Windows"};
    MenuItem mnuWindowTileWindows{"mnuWindowTileWindows", "Tile Windows"};

    MenuItem mnuHelp{"mnuHelp", "&Help"};
    MenuItem mnuDebug{"mnuDebug", "Debug", false, false};
    MenuItem mnuDebugBar{"mnuDebugBar", "-", false, false};
    MenuItem mnuHelpTips{"mnuHelpTips", "Tips"};
    MenuItem mnuContents{"mnuContents", "Contents..."};
    MenuItem mnuLine11{"mnuLine11", "-"};
    MenuItem mnuHelpLevelup{"mnuHelpLevelup", "Level Up..."};
    MenuItem mnuHelpCommands{"mnuHelpCommands", "Commands..."};
    MenuItem mnuHelpNews{"mnuHelpNews", "&News"};
    MenuItem mnuHelpRegistration{"mnuHelpRegistration", "Registration"};
    MenuItem mnuHelpEULA{"mnuHelpEULA", "&End User License Agreement"};
    MenuItem mnuLine12{"mnuLine12", "-"};
    MenuItem mnuVisitHomepage{"mnuVisitHomepage", "&Visit Orlenby"};
    MenuItem mnuHelpAbout{"mnuHelpAbout", "&About"};

    // The user-list pop-up menu (not on the menu bar).
    MenuItem mnuMisc{"mnuMisc", "Misc"};
    MenuItem mnuMiscProfile{"mnuMiscProfile", "Profile"};
    MenuItem mnuMiscProfileBar{"mnuMiscProfileBar", "-"};
    MenuItem mnuMiscTell{"mnuMiscTell", "Tell User"};
    MenuItem mnuMiscIgnore{"mnuMiscIgnore", "Ignore User"};
    MenuItem mnuAdminBar{"mnuAdminBar", "-", false, false};
    MenuItem mnuMiscBan{"mnuMiscBan", "Ban User", false, false};
    MenuItem mnuMiscKick{"mnuMiscKick", "Kick User", false, false};
    MenuItem mnuMiscReset{"mnuMiscReset", "Reset User", false, false};
    MenuItem mnuMiscShutup{"mnuMiscShutup", "Shutup User", false, false};

    // The menu bar (root of the menus above, mnuMisc excepted).
    MenuItem& MenuBar() { return menuBar_; }
    // Shows the user-list pop-up menu at the cursor.
    void PopupMisc();

    // ---- controls ----
    StatusBar StatBar;       // panels 1 to 4: connection, (free), progress, traffic
    Control cmdConnect;      // the connect button
    Control picSpace;        // the location scanner panel
    Control lblInformation;  // the information label shown while connected
    ComboBox txtSend;        // the entry line: an editable drop-down list of the lines sent
    RichTextBox TxtBuffer;   // hidden scratch copy of a chat pane
    // The custom command buttons: indices 0 to 16 and 35 to 54 (37 buttons); any other index
    // raises error 340.
    Control& cmdAlias(int index);
    static bool IsAliasIndex(int index) { return (index >= 0 && index <= 16) || (index >= 35 && index <= 54); }

    // ---- timers ----
    FormTimer DXTimer;        // the frame timer, 200 ms
    FormTimer tmrGameInfo;    // the game-information poll, 1000 ms
    FormTimer tmrSoundCheck;  // keeps the connect caption in step, 2500 ms

    // ---- socket control ----
    DispatchObject sckConnect;
    // The transfer of map files from the game's web host.
    InternetTransfer iMapDL;
    // Its events, routed to the sckConnect_On... handlers (ended before the control goes).
    EventConnection sckConnectEvents;

    // ---- public state ----
    bool ReadyToClose = false;
    int16_t iGameInfoUpdate = 0;
    int64_t lDataLength = 0;  // characters received in this connection

    // ---- connection life cycle ----
    // The one connect/disconnect toggle (File menu item, toolbar button, error recovery).
    void RequestConnect();
    // Ends the connection (user, server or error); True when it ran to its end.
    bool CloseSocket();
    // Re-sends the stored vote and game preferences.
    void SetVoteInformation();
    // Frames and sends one client message (dropped when not connected).
    void Server(const std::string& CtrlChar, const std::string& Msg);
    // True while the socket control says it is connected.
    bool SocketConnected();
    // The arena model's square clearing and map loading, as the main window's methods.
    void Clear_Square(int16_t& X, int16_t& Y) { skx::Clear_Square(X, Y); }
    void LoadMap(const std::string& MapID) { skx::LoadMap(MapID); }
    // The socket control's events.
    void sckConnect_OnConnect();
    void sckConnect_OnDisconnect();
    void sckConnect_OnError(int32_t Error, const std::string& Description);

    // The orderly end of the program (Force is accepted and not used).
    void Shutdown(bool Force);

    // The keyboard (DirectInput 8): set up by the load, released by Shutdown.
    KeyboardInput& Keyboard() { return keyboard_; }
    // The DirectX event sink: reads the key states and the buffered key events (handing the
    // events to OnKeyEvents when set) and moves, re-centres or sends the entry line.
    void DirectXEvent8_DXCallback(int32_t EventID);
    std::function<void(const std::vector<KeyEvent>&)> OnKeyEvents;

    // The scanner panel's displays, lit by the server's scanner messages.
    void BotScan(std::string& sDirection) { scanner_.BotScan(sDirection); }
    void PlayerScan(std::string& sDirection) { scanner_.PlayerScan(sDirection); }
    ScannerPanel& Scanner() { return scanner_; }
    std::vector<ControlHost*> ControlHosts() override { return {&scanner_}; }
    bool PreTranslate(MSG& msg) override;

    // True once the window was unloaded; it is never created again in this run.
    bool Released() const { return released_; }

    // Captions, tool tips and visibility of the custom command buttons from Buttons and
    // ButtonCount (buttons 0 to min(ButtonCount, 17) - 1 shown).
    void ShowCustomButtons();
    // Shows or hides custom command buttons, then lays out their rows: the one way their
    // visibility changes.
    void ShowCommandButtons(const std::vector<ButtonShown>& buttons);
    // Makes sure the map window is loaded, then tiles the child windows horizontally.
    void TileChildWindows();
    // Lays out the bar controls inside the frame; public for the window-look step.
    void ArrangeControls();

protected:
    HWND CreateFormWindow(HWND owner) override;
    void OnLoad() override;
    bool OnQueryUnload(UnloadMode mode) override;
    bool OnUnload() override;
    void OnResize() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void BuildMenus();
    void CreateControls();
    void MemoryWarmUp();
    void SetUpSocketControl();
    void ShowTipOfTheDay();
    void DXTimer_Timer();
    void tmrGameInfo_Timer();
    void tmrSoundCheck_Timer();
    // The entry line, the targeting choices and the command buttons (frmMainEntry.cpp).
    void WireEntryAndTargeting();
    void txtSend_Change();
    bool txtSend_KeyDown(int KeyCode, int Shift);
    bool SendEntryLine();
    void cmdAlias_MouseDown(int Index, int Button);
    void mnuTargetSub_Click(int Index);

    MenuItem menuBar_{"frmMainMenuBar", ""};
    std::array<Control, 55> alias_;
    HWND tips_ = nullptr;
    KeyboardInput keyboard_;
    ScannerPanel scanner_;
    bool ShiftCursorOn = false;
    bool released_ = false;
    bool loadStarted_ = false;
};

frmMainForm& frmMain();

}  // namespace skx
