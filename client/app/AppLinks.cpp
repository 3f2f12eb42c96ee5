#include "AppLinks.h"

#include "AccountState.h"
#include "ArenaModel.h"
#include "ArenaHooks.h"
#include "ClientLinks.h"
#include "ConnectionState.h"
#include "CommandBox.h"
#include "FrameWriter.h"
#include "InternetFile.h"
#include "MainWindowLinks.h"
#include "MessageBox.h"
#include "ViewServices.h"
#include "WirelatchDispids.h"
#include "frmChatBar.h"
#include "frmGame.h"
#include "frmIgnore.h"
#include "frmMain.h"
#include "frmMapDisp.h"
#include "modRTFLinks.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {

MenuItem& MainWindowOptionItem(MenuOption option) {
    frmMainForm& main = frmMain();
    switch (option) {
        case MenuOption::ShowErrors: return main.mnuOptionsShowErrors;
        case MenuOption::Keypad: return main.mnuOptionsKeypad;
        case MenuOption::WASD: return main.mnuOptionsWASD;
        case MenuOption::ShowSatellite: return main.mnuOptionsShowSatellite;
        case MenuOption::AutoCenter: return main.mnuAutoCenter;
        case MenuOption::TrueMovement: return main.mnuOptionsTrue;
        case MenuOption::LangFilter: return main.mnuOptionLangFilter;
        case MenuOption::AutoChat: return main.mnuOptionsChat;
        case MenuOption::SplatIgnore: return main.mnuOptionSplatIgnore;
        case MenuOption::ScrollLock: return main.mnuOptionsScroll;
        case MenuOption::AutoTileWindows: return main.mnuWindowAutoTileWindows;
        case MenuOption::GameInformation: return main.mnuOptionsGameInformation;
        case MenuOption::LocationScanner: return main.mnuLocationScanner;
        case MenuOption::DisplayTimeStamp: return main.mnuDisplayTimeStamp;
        case MenuOption::Count: break;
    }
    Raise(errSubscriptOutOfRange, "OptionItem");
}

MenuItem& MainWindowMenu(MainMenu item) {
    frmMainForm& main = frmMain();
    switch (item) {
        case MainMenu::AdminBar: return main.mnuAdminBar;
        case MainMenu::MiscReset: return main.mnuMiscReset;
        case MainMenu::MiscKick: return main.mnuMiscKick;
        case MainMenu::MiscShutup: return main.mnuMiscShutup;
        case MainMenu::MiscBan: return main.mnuMiscBan;
        case MainMenu::Debug: return main.mnuDebug;
        case MainMenu::DebugBar: return main.mnuDebugBar;
        case MainMenu::HelpRegistration: return main.mnuHelpRegistration;
        case MainMenu::ReadyNot: return main.mnuOptionsReadyNot;
        case MainMenu::ReadyYes: return main.mnuOptionsReadyYes;
        case MainMenu::ReadyAuto: return main.mnuOptionsReadyAuto;
        case MainMenu::TargetNone: return main.mnuTargetSub[0];
    }
    Raise(errSubscriptOutOfRange, "frmMain");
}

}  // namespace

ClientLinkTable ClientWindowLinks() {
    ClientLinkTable links;
    links.ChatBar = []() -> Form& { return frmChatBar(); };
    links.MapDisp = []() -> Form& { return frmMapDisp(); };
    links.Game = []() -> Form& { return frmGame(); };
    links.ChatSplitter = [] {
        frmChatBarForm& chat = frmChatBar();
        chat.Load();
        return static_cast<int32_t>(chat.Splitter());
    };
    links.OptionItem = MainWindowOptionItem;
    links.MainWindow = [] { return frmMain().Handle(); };
    links.GeneralPane = []() -> RichTextBox& {
        frmChatBar().Load();  // the panes exist once their window is loaded
        return frmChatBar().txtStatus[0];
    };
    links.GamePane = []() -> RichTextBox& {
        frmChatBar().Load();
        return frmChatBar().txtStatus[1];
    };
    links.LinkScratch = []() -> RichTextBox& { return frmMain().TxtBuffer; };
    links.PopupUserMenu = [] { frmMain().PopupMisc(); };
    links.ShowCommandButtons = [](const std::vector<ButtonShown>& buttons) { frmMain().ShowCommandButtons(buttons); };
    links.FocusEntryLine = [] {
        Control& entry = frmMain().txtSend;
        if (entry.Enabled()) entry.SetFocus();
    };
    links.AccountLevel = [] { return AccessLevel; };
    links.Connected = [] { return frmMain().SocketConnected(); };
    links.PlayEffect = [](int16_t effect) { View().PlaySound(effect); };
    links.MainCommandButton = [](int index, const std::string& caption, const std::string& tip) {
        frmMainForm& main = frmMain();
        if (!frmMainForm::IsAliasIndex(index) || !main.IsLoaded()) return;
        main.cmdAlias(index).SetCaption(caption);
        main.cmdAlias(index).SetToolTipText(tip);
    };
    links.PlayerTable = [] {
        std::vector<std::pair<std::string, int16_t>> table;
        for (const PlayerRecord& p : Players) table.emplace_back(p.Name, p.Sprite);
        return table;
    };
    links.ProgramEnding = [] { return frmMain().ReadyToClose; };
    links.StatusPanel = [](int panel, const std::string& text) { frmMain().StatBar.SetPanelText(panel, text); };
    return links;
}

void SetAppLinks() {
    ClientLinks() = ClientWindowLinks();
    // The windows' requests to the server (the player lists, the custom buttons' commands).
    ClientLinks().Server = [](const std::string& ctrlChar, const std::string& msg) { frmMain().Server(ctrlChar, msg); };
    // The self-click commands' re-centring.
    ClientLinks().ScreenCenter = [](bool announce) { Screen_Center(announce); };

    MainWindowLinkTable& main = MainWindowLinks();
    main.Socket = []() -> DispatchObject& { return frmMain().sckConnect; };
    main.DataLength = []() -> int64_t& { return frmMain().lDataLength; };
    main.ShowTraffic = [](const std::string& text) { frmMain().StatBar.SetPanelText(4, text); };
    main.EnableEntryLine = [](bool enabled) { frmMain().txtSend.SetEnabled(enabled); };
    main.CloseSocket = [] { return frmMain().CloseSocket(); };
    main.Window = []() -> Form& { return frmMain(); };
    main.Menu = MainWindowMenu;
    main.ShowInformation = [](const std::string& text) { frmMain().lblInformation.SetCaption(text); };
    main.ShowAnnouncement = [](const std::string& text) { frmMain().StatBar.SetPanelText(3, text); };

    CommandTargets& commands = CommandBoxTargets();
    commands.SetFrameTimerEnabled = [](bool enabled) { frmMain().DXTimer.SetEnabled(enabled); };
    commands.SetFrameTimerInterval = [](uint32_t ms) { frmMain().DXTimer.SetInterval(ms); };
    // The control keeps the flag and applies it at once to an open connection.
    commands.SetNoDelay = [](bool on) { frmMain().sckConnect.PropertyPut(wl::NoDelay, Variant(on)); };
    commands.IgnoreAdd = [](const std::string& name) { frmIgnore().IgnoreAdd(name); };
    commands.ShowBox = [](const std::string& text) { CSendMessage(text, mbOkOnly, ""); };

    ArenaHookTable& arena = ArenaHooks();
    arena.ScannerVisible = [] { return frmMain().picSpace.Visible(); };
    arena.SetMapCaption = [](const std::string& caption) { frmMapDisp().SetCaption(caption); };
    arena.MapTransfer = []() -> InternetTransfer& { return frmMain().iMapDL; };
    arena.GameLine = [](const std::string& text, int32_t colour) {
        AddToRTB(text, frmChatBar().txtStatus[1], colour, true, false, false, true);
    };

    OnConnectionReset = [] { frmMain().RequestConnect(); };
    OnReceiveOverflow = [] { frmMain().CloseSocket(); };
}

}  // namespace skx
