// The main window's menu commands. Each scenario runs in a process of its own (this test
// program started again as a child), since the main window is loaded once per process: the
// options and the settings they are saved to, the windows the menus open, tiling, the chat
// panes, the user-list pop-up, and the frames the commands send to the scripted game server.
#include <gtest/gtest.h>
#include <winsock2.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "AccountState.h"
#include "../foundation/BoxDriver.h"
#include "ClientProcess.h"
#include "ProgramSettings.h"
#include "Registry.h"
#include "SettingsFiles.h"
#include "Startup.h"
#include "ScreenPicture.h"
#include "MessageOrder.h"
#include "ScriptedServer.h"
#include "WinTestSupport.h"
#include "WindowLook.h"
#include "WirelatchDispids.h"
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
#include "frmMainMenus.h"
#include "frmMapDisp.h"
#include "runtime/RichTextEditing.h"
#include "modRTFLinks.h"
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
#include "runtime/ErrorGuard.h"
#include "runtime/MessagePump.h"

using namespace skx;
using testsupport::PumpFor;

namespace {

std::vector<std::string>& Reported() {
    static std::vector<std::string> errors;
    return errors;
}
void RecordError(const std::string& m, const std::string& p, int16_t, int32_t n, const std::string&) {
    Reported().push_back(m + "." + p + ":" + std::to_string(n));
}

// Loads the main window with its settings in a scratch Dat folder and no tip of the day.
void LoadMain(const testsupport::ScratchDir& dat) {
    SetReportErrorHook(&RecordError);
    DatPath = dat.Path() + "\\";
    fWriteValue(ClientRegistryRoot, ClientRegistryKey(AccessCode), "Update", "S", std::string("False"));
    frmMain().Load();
    // Without the socket control registered in the prefix its creation is reported; that
    // belongs to the load, not to the menus.
    Reported().clear();
}

// Chooses a menu item as the user does: the command reaches the main window's procedure.
void Click(MenuItem& item) { SendMessageA(frmMain().Handle(), WM_COMMAND, item.Id(), 0); }

std::string Ini(const std::string& section, const std::string& key) {
    char buf[256] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "<absent>", buf, sizeof buf, (DatPath + "Game.DAT").c_str());
    return buf;
}

std::string TextOf(HWND h) { return clienttest::WindowText(h); }

// Puts one player in the chat window's list, selected, for the user-list pop-up.
void SelectPlayer(const std::string& name) {
    KeyedListView& list = frmChatBar().WhoList;
    frmChatBar().Load();
    list.Clear();
    list.Add(name, name);
    list.Select(1);
}

// ---- input boxes answered from a timer ----

enum class Finish { Ok, Cancel, CloseImage };
struct Answer {
    std::string title;
    std::string text;
    Finish how = Finish::Ok;
};
// What the boxes showed: "title|prompt|default" for each, "unexpected:title" for a box that
// was not expected.
struct BoxLog {
    std::vector<std::string> seen;
    std::vector<std::string> unexpected;
};

BoxLog ClickAnswering(MenuItem& item, const std::vector<Answer>& answers) {
    BoxLog log;
    std::vector<std::function<bool()>> steps;
    for (const Answer& a : answers) {
        steps.emplace_back([&log, a] {
            frmMsgBox* box = boxtest::FindBox(a.title);
            if (!box || !IsWindowVisible(box->Handle())) return false;
            log.seen.push_back(box->TitleText() + "|" + TextOf(box->MessageLabel()) + "|" + TextOf(box->UserText()));
            SetWindowTextA(box->UserText(), a.text.c_str());
            switch (a.how) {
                case Finish::Ok: PostMessageA(box->Button(0), BM_CLICK, 0, 0); break;
                case Finish::Cancel: PostMessageA(box->Button(1), BM_CLICK, 0, 0); break;
                case Finish::CloseImage: boxtest::ClickCloseImage(box); break;
            }
            return true;
        });
    }
    // Any further box is noted and cancelled.
    for (int i = 0; i < 3; ++i) {
        steps.emplace_back([&log] {
            HWND h = FindWindowA(frmMsgBox::BoxClassName(), nullptr);
            frmMsgBox* box = frmMsgBox::FromWindow(h);
            if (!box || !IsWindowVisible(h)) return false;
            log.unexpected.push_back(box->TitleText());
            PostMessageA(box->Button(1), BM_CLICK, 0, 0);
            return true;
        });
    }
    boxtest::Driver driver(std::move(steps), 15000);
    Click(item);
    EXPECT_FALSE(driver.TimedOut());
    return log;
}

// ---- the scripted game server, driven over its control port ----

std::string ServerControl(uint16_t port, const std::string& json) {
    std::string reply = testsupport::ScriptedServerCommand(port, json);
    while (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r')) reply.pop_back();
    return reply;
}

uint16_t PortFromEnvironment(const char* name) {
    const char* v = std::getenv(name);
    return v ? static_cast<uint16_t>(std::atoi(v)) : 0;
}

constexpr char GamePortVariable[] = "SKIRMEX_MENUS_GAME_PORT";
constexpr char ControlPortVariable[] = "SKIRMEX_MENUS_CONTROL_PORT";

// The frames the server recorded, as its JSON list.
std::string RecordedFrames(uint16_t ctl) {
    std::string reply = ServerControl(ctl, "{\"cmd\": \"frames\"}");
    const std::string head = "{\"ok\": true, \"frames\": ";
    if (reply.compare(0, head.size(), head) != 0 || reply.back() != '}') return "bad reply: " + reply;
    return reply.substr(head.size(), reply.size() - head.size() - 1);
}

// Once the messages posted so far (the connection's events among them) have run, sends a frame
// of the test's own over the main window's connection and waits until the server has it: what
// the connection carried before it is there too (one connection keeps the order of its frames).
bool ServerHasWhatWasSentSoFar(frmMainForm& m, uint16_t ctl) {
    if (!testsupport::HandlePostedSoFar()) return false;
    m.Server("C", "marker");
    return testsupport::PumpUntil([&] { return RecordedFrames(ctl).find("[\"C\", \"marker\"]") != std::string::npos; }, 10000);
}

std::string g_osName;
std::string TestOsName() { return g_osName; }

bool Layered(HWND h) { return (GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }
int AlphaOf(HWND h) {
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    if (!GetLayeredWindowAttributes(h, &key, &alpha, &flags)) return -1;
    return (flags & LWA_ALPHA) ? alpha : -1;
}

// The visible top-level windows of this thread with that caption.
struct CaptionCount {
    const std::string* caption;
    int count;
};
BOOL CALLBACK CountCaptioned(HWND h, LPARAM lp) {
    auto* c = reinterpret_cast<CaptionCount*>(lp);
    if (IsWindowVisible(h) && clienttest::WindowText(h) == *c->caption) ++c->count;
    return TRUE;
}
int WindowsCaptioned(const std::string& caption) {
    CaptionCount ctx{&caption, 0};
    EnumThreadWindows(GetCurrentThreadId(), &CountCaptioned, reinterpret_cast<LPARAM>(&ctx));
    return ctx.count;
}

// Saves the window as the screen shows it, as a BMP picture.
void SaveWindowPicture(HWND h, const std::string& path) { testsupport::SavePicture(testsupport::CaptureWindow(h), path); }

// ---- scenarios, run as child processes ----

using ItemOf = MenuItem frmMainForm::*;

struct SavedOption {
    ItemOf item;
    const char* key;
};
// The options whose check states the settings keep, WASD and keypad apart.
const SavedOption SavedOptions[] = {
    {&frmMainForm::mnuOptionsShowErrors, "ShowErrors"},
    {&frmMainForm::mnuOptionsShowSatellite, "Satellite"},
    {&frmMainForm::mnuAutoCenter, "AutoCenter"},
    {&frmMainForm::mnuOptionsTrue, "Movement"},
    {&frmMainForm::mnuOptionLangFilter, "LangFilter"},
    {&frmMainForm::mnuOptionsChat, "AutoChat"},
    {&frmMainForm::mnuOptionSplatIgnore, "IgnoreWhoSplats"},
    {&frmMainForm::mnuOptionsScroll, "ScrollLock"},
    {&frmMainForm::mnuWindowAutoTileWindows, "AutoTile"},
    {&frmMainForm::mnuOptionsGameInformation, "GameInfo"},
    {&frmMainForm::mnuLocationScanner, "Scanner"},
    {&frmMainForm::mnuDisplayTimeStamp, "TimeStamp"},
};
// Toggles the settings do not keep.
const ItemOf UnsavedToggles[] = {&frmMainForm::mnuOptionsShowGrid, &frmMainForm::mnuOptionsShowNames};

std::vector<bool> ToggleStates() {
    frmMainForm& m = frmMain();
    std::vector<bool> states;
    for (const SavedOption& o : SavedOptions) states.push_back((m.*(o.item)).Checked());
    for (ItemOf i : UnsavedToggles) states.push_back((m.*i).Checked());
    states.push_back(m.mnuOptionsWASD.Checked());
    states.push_back(m.mnuOptionsKeypad.Checked());
    return states;
}

TEST(MainMenusScenario, DISABLED_TogglesAndTheirSettings) {
    testsupport::ScratchDir dat("menus-toggles");
    LoadMain(dat);
    frmMainForm& m = frmMain();

    // Each toggle flips its own item and no other.
    size_t index = 0;
    auto flipOne = [&](MenuItem& item, size_t at) {
        std::vector<bool> before = ToggleStates();
        Click(item);
        std::vector<bool> after = ToggleStates();
        before[at] = !before[at];
        EXPECT_EQ(after, before) << item.Name();
    };
    for (const SavedOption& o : SavedOptions) flipOne(m.*(o.item), index++);
    for (ItemOf i : UnsavedToggles) flipOne(m.*i, index++);

    // Their effects while checked: the game information window and the scanner panel show,
    // the selected chat pane is hooked.
    EXPECT_TRUE(IsWindowVisible(frmGame().Handle()));
    EXPECT_TRUE(IsWindowVisible(m.picSpace.hWnd()));
    EXPECT_TRUE(IsHooked(frmChatBar().txtStatus[0].hWnd()));

    SaveClientSettings();
    for (const SavedOption& o : SavedOptions) EXPECT_EQ(Ini("Options", o.key), "True") << o.key;
    EXPECT_EQ(Ini("Options", "WASD"), "False");
    EXPECT_EQ(Ini("Options", "KeyPad"), "False");

    for (const SavedOption& o : SavedOptions) Click(m.*(o.item));
    for (ItemOf i : UnsavedToggles) Click(m.*i);
    for (bool on : ToggleStates()) EXPECT_FALSE(on);
    EXPECT_FALSE(IsWindowVisible(frmGame().Handle()));
    EXPECT_FALSE(IsWindowVisible(m.picSpace.hWnd()));
    EXPECT_FALSE(IsHooked(frmChatBar().txtStatus[0].hWnd()));

    SaveClientSettings();
    for (const SavedOption& o : SavedOptions) EXPECT_EQ(Ini("Options", o.key), "False") << o.key;

    // WASD and keypad movement: checking one unchecks the other; unchecking leaves both off.
    Click(m.mnuOptionsKeypad);
    EXPECT_TRUE(m.mnuOptionsKeypad.Checked());
    EXPECT_FALSE(m.mnuOptionsWASD.Checked());
    Click(m.mnuOptionsWASD);
    EXPECT_TRUE(m.mnuOptionsWASD.Checked());
    EXPECT_FALSE(m.mnuOptionsKeypad.Checked());
    SaveClientSettings();
    EXPECT_EQ(Ini("Options", "WASD"), "True");
    EXPECT_EQ(Ini("Options", "KeyPad"), "False");
    Click(m.mnuOptionsKeypad);
    EXPECT_TRUE(m.mnuOptionsKeypad.Checked());
    EXPECT_FALSE(m.mnuOptionsWASD.Checked());
    SaveClientSettings();
    EXPECT_EQ(Ini("Options", "WASD"), "False");
    EXPECT_EQ(Ini("Options", "KeyPad"), "True");
    Click(m.mnuOptionsKeypad);
    EXPECT_FALSE(m.mnuOptionsKeypad.Checked());
    EXPECT_FALSE(m.mnuOptionsWASD.Checked());

    // The check marks shown in the Options menu follow.
    HMENU options = GetSubMenu(GetMenu(m.Handle()), 3);
    Click(m.mnuOptionsWASD);
    EXPECT_TRUE(GetMenuState(options, m.mnuOptionsWASD.Id(), MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(options, m.mnuOptionsKeypad.Id(), MF_BYCOMMAND) & MF_CHECKED);

    // Unconnected, True Movement's frame goes nowhere and nothing is said.
    EXPECT_TRUE(Reported().empty()) << Reported().front();
}

TEST(MainMenusScenario, DISABLED_ScrollLockAndClearChat) {
    testsupport::ScratchDir dat("menus-chat");
    LoadMain(dat);
    frmMainForm& m = frmMain();
    frmChatBarForm& chat = frmChatBar();
    chat.Load();
    chat.Show();

    // Scroll Lock hooks the pane of the selected tab and unhooks it again.
    chat.tabChat.Select(3);
    Click(m.mnuOptionsScroll);
    EXPECT_TRUE(IsHooked(chat.txtStatus[2].hWnd()));
    for (size_t i : {0u, 1u, 3u, 4u, 5u}) EXPECT_FALSE(IsHooked(chat.txtStatus[i].hWnd())) << i;
    Click(m.mnuOptionsScroll);
    EXPECT_FALSE(m.mnuOptionsScroll.Checked());
    EXPECT_FALSE(IsHooked(chat.txtStatus[2].hWnd()));
    // A tab changed while the hook is on: the pane hooked before is let go too.
    Click(m.mnuOptionsScroll);
    chat.tabChat.Select(5);
    Click(m.mnuOptionsScroll);
    for (size_t i = 0; i < 6; ++i) EXPECT_FALSE(IsHooked(chat.txtStatus[i].hWnd())) << i;
    SendMessageA(chat.txtStatus[2].hWnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("still answers"));
    EXPECT_EQ(chat.txtStatus[2].Text(), "still answers");

    // With no tab selected there is no pane: the check mark changes all the same, and the
    // error goes to the reporter under the handler's name.
    SendMessageA(chat.tabChat.hWnd(), TCM_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ASSERT_EQ(chat.tabChat.SelectedIndex(), 0);
    Click(m.mnuOptionsScroll);
    EXPECT_TRUE(m.mnuOptionsScroll.Checked());
    ASSERT_EQ(Reported().size(), 1u);
    EXPECT_EQ(Reported()[0], "frmMain.mnuOptionsScroll_Click:9");
    Reported().clear();
    chat.tabChat.Select(1);

    // Clear Chat Window empties all six panes.
    for (size_t i = 0; i < 6; ++i) chat.txtStatus[i].SetText("line in pane " + std::to_string(i));
    Click(m.mnuCommandClear);
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(chat.txtStatus[i].Text(), "") << i;

    EXPECT_TRUE(Reported().empty()) << Reported().front();
}

// True when every shown child of the main window's client area spans its whole width
// (children tiled horizontally lie one above the other).
bool ChildrenTiled(HWND* misplaced = nullptr) {
    HWND client = FindWindowExA(frmMain().Handle(), nullptr, "MDICLIENT", nullptr);
    RECT area{};
    GetClientRect(client, &area);
    int shown = 0;
    for (HWND c = GetWindow(client, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IsWindowVisible(c) || IsIconic(c)) continue;
        ++shown;
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
        if (r.left != 0 || r.right != area.right) {
            if (misplaced) *misplaced = c;
            return false;
        }
    }
    return shown >= 2;
}

void Misplace(Form& child) {
    child.Show();
    MoveWindow(child.Handle(), 30, 20, 150, 90, TRUE);
}

TEST(MainMenusScenario, DISABLED_TilingAndAutoTile) {
    testsupport::ScratchDir dat("menus-tile");
    LoadMain(dat);
    frmMainForm& m = frmMain();
    frmChatBar().Load();
    Misplace(frmChatBar());
    EXPECT_FALSE(ChildrenTiled());

    // Tile Windows makes sure the map window is loaded, then tiles.
    frmMapDisp().Unload();
    Click(m.mnuWindowTileWindows);
    EXPECT_TRUE(frmMapDisp().IsLoaded());
    Misplace(frmMapDisp());
    Misplace(frmChatBar());
    Click(m.mnuWindowTileWindows);
    EXPECT_TRUE(ChildrenTiled());

    // Without Auto-Tile a resize leaves the children where they are.
    Misplace(frmMapDisp());
    SetWindowPos(m.Handle(), nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(testsupport::HandlePostedSoFar());  // a tiling left to a posted message has run
    EXPECT_FALSE(ChildrenTiled());

    // Checking Auto-Tile tiles at once, and every resize after it tiles again.
    Click(m.mnuWindowAutoTileWindows);
    EXPECT_TRUE(m.mnuWindowAutoTileWindows.Checked());
    EXPECT_TRUE(ChildrenTiled());
    Misplace(frmMapDisp());
    EXPECT_FALSE(ChildrenTiled());
    SetWindowPos(m.Handle(), nullptr, 0, 0, 1000, 760, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(testsupport::PumpUntil([] { return ChildrenTiled(); }, 5000));

    // Unchecked again: no tiling on the next resize.
    Click(m.mnuWindowAutoTileWindows);
    Misplace(frmMapDisp());
    SetWindowPos(m.Handle(), nullptr, 0, 0, 920, 720, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(testsupport::HandlePostedSoFar());
    EXPECT_FALSE(ChildrenTiled());
}

struct Opener {
    ItemOf item;
    Form& (*window)();
    const char* caption;
};
template <class F, F& (*Get)()>
Form& AsForm() {
    return Get();
}

TEST(MainMenusScenario, DISABLED_WindowOpeners) {
    testsupport::ScratchDir dat("menus-windows");
    g_osName = "Windows 2000";
    SetOsNameSource(&TestOsName);
    LoadMain(dat);
    frmMainForm& m = frmMain();
    const Opener openers[] = {
        {&frmMainForm::mnuViewBuy, &AsForm<frmShopForm, frmShop>, "Shop List"},
        {&frmMainForm::mnuViewWho, &AsForm<frmWhoForm, frmWho>, "Who's Online - 0 Players Online."},
        {&frmMainForm::mnuViewIgnore, &AsForm<frmIgnoreForm, frmIgnore>, nullptr},
        {&frmMainForm::mnuViewAlias, &AsForm<frmAliasForm, frmAlias>, "Alias"},
        {&frmMainForm::mnuViewTeam, &AsForm<frmTeamsForm, frmTeams>, "Teams"},
        {&frmMainForm::mnuTournament, &AsForm<frmTournamentForm, frmTournament>, "<- Skirmora Tournament ->"},
        {&frmMainForm::mnuVote, &AsForm<frmVoteForm, frmVote>, nullptr},
        {&frmMainForm::mnuViewTop, &AsForm<frmTop25Form, frmTop25>, "Top 25 Results"},
        {&frmMainForm::mnuOptionsSelfClicking, &AsForm<frmClickForm, frmClick>, "Self-Clicking Options"},
        {&frmMainForm::mnuOptionsSound, &AsForm<frmSoundForm, frmSound>, "Sound Options"},
        {&frmMainForm::mnuOptionsGeneral, &AsForm<frmOptionsForm, frmOptions>, "Options"},
        {&frmMainForm::mnuForumRead, &AsForm<frmNotesForm, frmNotes>, "Forum - 0 Posts"},
        {&frmMainForm::mnuForumPost, &AsForm<frmWriteNoteForm, frmWriteNote>, "Write Notes"},
        {&frmMainForm::mnuForumSignature, &AsForm<frmSignatureForm, frmSignature>, "Signature Capture"},
        {&frmMainForm::mnuDebug, &AsForm<frmDebugForm, frmDebug>, "Debug Information"},
        {&frmMainForm::mnuHelpTips, &AsForm<frmTipForm, frmTip>, nullptr},
        {&frmMainForm::mnuHelpLevelup, &AsForm<frmLvlCalcForm, frmLvlCalc>, "Calculate Levelup"},
        {&frmMainForm::mnuHelpRegistration, &AsForm<frmRegistrationForm, frmRegistration>, "Registration (FREE!)"},
        {&frmMainForm::mnuHelpEULA, &AsForm<frmEULAForm, frmEULA>, nullptr},
        {&frmMainForm::mnuHelpAbout, &AsForm<frmAboutForm, frmAbout>, "Skirmora"},
    };
    for (const Opener& o : openers) {
        MenuItem& item = m.*(o.item);
        Form& window = o.window();
        EXPECT_FALSE(window.IsLoaded()) << item.Name();
        Click(item);
        HWND h = window.Handle();
        ASSERT_NE(h, nullptr) << item.Name();
        EXPECT_TRUE(IsWindowVisible(h)) << item.Name();
        EXPECT_EQ(GetWindow(h, GW_OWNER), m.Handle()) << item.Name();
        EXPECT_FALSE(window.IsModal()) << item.Name();
        std::string caption = TextOf(h);
        if (o.caption) {
            EXPECT_EQ(caption, o.caption) << item.Name();
        }
        // One window: the item again brings the same one, and no second.
        Click(item);
        EXPECT_EQ(window.Handle(), h) << item.Name();
        EXPECT_EQ(WindowsCaptioned(caption), 1) << item.Name();
    }

    // The dialog look of the new windows: translucent at alpha 90 while another window is
    // active, opaque again when activated.
    for (Form* f : {static_cast<Form*>(&frmShop()), static_cast<Form*>(&frmTournament()),
                    static_cast<Form*>(&frmAbout()), static_cast<Form*>(&frmClick())}) {
        SetActiveWindow(f->Handle());
        EXPECT_TRUE(testsupport::PumpUntil([&] { return !(Layered(f->Handle()) && AlphaOf(f->Handle()) != 255); }, 5000))
            << f->Name();
        SetActiveWindow(m.Handle());
        testsupport::PumpUntil([&] { return Layered(f->Handle()) && AlphaOf(f->Handle()) == 90; }, 5000);
        EXPECT_TRUE(Layered(f->Handle())) << f->Name();
        EXPECT_EQ(AlphaOf(f->Handle()), 90) << f->Name();
    }
    SetOsNameSource(nullptr);

    // The windows' named controls exist once shown.
    frmTournamentForm& t = frmTournament();
    for (Control* c : std::initializer_list<Control*>{&t.txtTM, &t.txtStarted, &t.txtFee, &t.txtMax, &t.txtMin, &t.txtRules, &t.txtPot,
                       static_cast<Control*>(&t.rtbTLog), static_cast<Control*>(&t.StatusBar1)}) {
        EXPECT_TRUE(IsWindow(c->hWnd()));
    }
    for (int i = 1; i <= 4; ++i) EXPECT_TRUE(IsWindow(t.trvTeams(i).hWnd())) << i;
    try {
        t.trvTeams(5);
        ADD_FAILURE() << "there are four team trees";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.Number(), 340);
    }
    t.StatusBar1.SetPanelText(1, "Round 2 of 3");
    frmNotesForm& n = frmNotes();
    for (Control* c : std::initializer_list<Control*>{&n.txtSender, &n.txtRoute, &n.txtDate, &n.txtSubject, &n.txtMessage}) {
        EXPECT_TRUE(IsWindow(c->hWnd()));
    }
    n.txtSender.SetCaption("Ginger");
    n.txtSubject.SetCaption("Paint");
    n.txtMessage.SetCaption("See you in the arena.");

    // Closed and opened again: a fresh window with the same controls, empty as at first.
    frmShop().ParseShopData("[1]Paint Gun:100:5");
    EXPECT_EQ(frmShop().ListView.Count(), 4);
    frmShop().Unload();
    EXPECT_FALSE(frmShop().IsLoaded());
    Click(m.mnuViewBuy);
    EXPECT_TRUE(IsWindowVisible(frmShop().Handle()));
    EXPECT_EQ(frmShop().ListView.Count(), 0);

    if (const char* shots = std::getenv("SKIRMEX_MENU_SHOTS")) {
        SetActiveWindow(t.Handle());
        SetWindowPos(t.Handle(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
        SetWindowPos(n.Handle(), HWND_TOP, 620, 40, 0, 0, SWP_NOSIZE);
        PumpFor(300);
        SaveWindowPicture(t.Handle(), std::string(shots) + "\\tournament.bmp");
        SaveWindowPicture(n.Handle(), std::string(shots) + "\\notes.bmp");
    }
    EXPECT_TRUE(Reported().empty()) << Reported().front();
}

TEST(MainMenusScenario, DISABLED_UserListPopup) {
    testsupport::ScratchDir dat("menus-popup");
    LoadMain(dat);
    frmMainForm& m = frmMain();
    m.txtSend.SetEnabled(true);  // as while connected

    // With nobody selected the pop-up's commands do nothing, and say nothing.
    frmChatBar().Load();
    frmChatBar().WhoList.Clear();
    m.txtSend.SetCaption("typed");
    Click(m.mnuMiscTell);
    Click(m.mnuMiscIgnore);
    Click(m.mnuMiscProfile);
    EXPECT_EQ(m.txtSend.Caption(), "typed");
    EXPECT_FALSE(frmCommand().IsLoaded());
    EXPECT_FALSE(frmProfile().IsLoaded());

    SelectPlayer("John Smith");
    Click(m.mnuMiscTell);
    EXPECT_EQ(m.txtSend.Caption(), "/Tell 'John Smith' ");
    EXPECT_EQ(GetFocus(), m.txtSend.EditWindow());  // the combo box's edit line

    Click(m.mnuMiscIgnore);
    ASSERT_TRUE(frmCommand().IsLoaded());
    EXPECT_TRUE(IsWindowVisible(frmCommand().Handle()));
    EXPECT_EQ(GetWindow(frmCommand().Handle(), GW_OWNER), m.Handle());
    EXPECT_EQ(frmCommand().txtCommand.Caption(), "Ignore John_Smith");
    EXPECT_EQ(TextOf(frmCommand().txtCommand.hWnd()), "Ignore John_Smith");

    // The profile window takes the name as its caption and its tag.
    Click(m.mnuMiscProfile);
    ASSERT_TRUE(frmProfile().IsLoaded());
    EXPECT_TRUE(IsWindowVisible(frmProfile().Handle()));
    EXPECT_EQ(GetWindow(frmProfile().Handle(), GW_OWNER), m.Handle());
    EXPECT_EQ(frmProfile().Caption(), "John Smith");
    EXPECT_EQ(frmProfile().Tag, "John Smith");
    // Opened again for another player: the same window, now showing that one.
    SelectPlayer("Ginger Nut");
    HWND first = frmProfile().Handle();
    Click(m.mnuMiscProfile);
    EXPECT_EQ(frmProfile().Handle(), first);
    EXPECT_EQ(frmProfile().Caption(), "Ginger Nut");
    EXPECT_EQ(frmProfile().Tag, "Ginger Nut");

    // The pop-up itself is the one the chat window's list shows.
    EXPECT_EQ(m.mnuMiscProfile.Parent(), &m.mnuMisc);
    EXPECT_TRUE(Reported().empty()) << Reported().front();
}

TEST(MainMenusScenario, DISABLED_FramesSent) {
    uint16_t game = PortFromEnvironment(GamePortVariable), ctl = PortFromEnvironment(ControlPortVariable);
    ASSERT_NE(game, 0);
    ASSERT_NE(ctl, 0);
    WSADATA w;
    WSAStartup(MAKEWORD(2, 2), &w);
    testsupport::ScratchDir dat("menus-frames");
    LoadMain(dat);
    frmMainForm& m = frmMain();
    ASSERT_TRUE(m.sckConnect.IsCreated());
    // The chat bar's refresh asks for the who list every few seconds: on a busy machine one such
    // request would come between the frames the menus send.
    frmChatBar().Load();
    frmChatBar().tmrUpdate.SetEnabled(false);
    SelectPlayer("John Smith");

    // Not connected: the commands that send go nowhere, without a box or a report.
    AccessLevel = 100;
    BoxLog quiet;
    Click(m.mnuOptionsReadyYes);
    Click(m.mnuHelpNews);
    Click(m.mnuOptionsTrue);
    quiet = ClickAnswering(m.mnuMiscReset, {});
    EXPECT_TRUE(quiet.unexpected.empty());
    EXPECT_TRUE(Reported().empty()) << Reported().front();

    m.sckConnect.PropertyPut(wl::Blocking, Variant(true));
    m.sckConnect.PropertyPut(wl::HostName, Variant(std::string("127.0.0.1")));
    m.sckConnect.PropertyPut(wl::RemotePort, Variant(static_cast<int32_t>(game)));
    m.sckConnect.Invoke(wl::Connect);
    ASSERT_EQ(m.sckConnect.PropertyGet(wl::Connected).ToLong(), wl::True);
    // Nothing that was dropped before shows up now (it would have gone ahead of a frame sent now).
    ASSERT_TRUE(ServerHasWhatWasSentSoFar(m, ctl));
    std::string early = RecordedFrames(ctl);
    EXPECT_EQ(early.find("[\"R\""), std::string::npos) << early;
    EXPECT_EQ(early.find("[\"n\", \"2\"]"), std::string::npos) << early;
    EXPECT_EQ(early.find("reset"), std::string::npos) << early;
    ServerControl(ctl, "{\"cmd\": \"clear\"}");

    // Ready state, true movement and news.
    Click(m.mnuOptionsReadyNot);
    Click(m.mnuOptionsReadyYes);
    Click(m.mnuOptionsReadyAuto);
    Click(m.mnuOptionsTrue);  // was checked above: now unchecked
    Click(m.mnuOptionsTrue);
    Click(m.mnuHelpNews);
    Click(m.mnuHelpCommands);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return RecordedFrames(ctl).find("[\"n\", \"2\"]") != std::string::npos; }, 5000));
    EXPECT_EQ(RecordedFrames(ctl),
              "[[\"R\", \"0\"], [\"R\", \"1\"], [\"R\", \"2\"], [\"T\", \"False\"], [\"T\", \"True\"], [\"n\", \"2\"]]");
    ServerControl(ctl, "{\"cmd\": \"clear\"}");

    // Screen Center tells the server the view and says so in the "Game" pane.
    frmChatBar().txtStatus[1].SetText("");
    Click(m.mnuCommandScreen);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return RecordedFrames(ctl) != "[]"; }, 5000));
    EXPECT_EQ(RecordedFrames(ctl).rfind("[[\"M\", ", 0), 0u) << RecordedFrames(ctl);
    EXPECT_NE(frmChatBar().txtStatus[1].Text().find("Screen Centered."), std::string::npos);
    ServerControl(ctl, "{\"cmd\": \"clear\"}");

    // The File menu as it opens names what its item will do, and the information label
    // shows while connected.
    HMENU file = GetSubMenu(GetMenu(m.Handle()), 0);
    SendMessageA(m.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    EXPECT_EQ(m.mnuFileConnect.Caption(), "Disconnect");
    EXPECT_TRUE(m.lblInformation.Visible());

    // Staff commands, below and at their levels. Each answered box is noted with its prompt
    // and the text it offered.
    std::vector<std::string> boxes;
    auto staff = [&](MenuItem& item, int level, const std::vector<Answer>& answers) {
        AccessLevel = static_cast<int16_t>(level);
        BoxLog log = ClickAnswering(item, answers);
        EXPECT_TRUE(log.unexpected.empty()) << item.Name() << " at " << level << ": " << log.unexpected.front();
        boxes.insert(boxes.end(), log.seen.begin(), log.seen.end());
        return log.seen.size();
    };
    const Answer reason{"", "Too loud", Finish::Ok};
    auto titled = [](Answer a, const char* title) {
        a.title = title;
        return a;
    };
    // Reset: 88 nothing, 89 sends at once.
    EXPECT_EQ(staff(m.mnuMiscReset, 88, {}), 0u);
    EXPECT_EQ(staff(m.mnuMiscReset, 89, {}), 0u);
    // Kick: 89 nothing, 90 asks for the reason.
    EXPECT_EQ(staff(m.mnuMiscKick, 89, {}), 0u);
    EXPECT_EQ(staff(m.mnuMiscKick, 90, {titled(reason, "Kick Reason")}), 1u);
    // Ban: 94 nothing; 95 asks; apostrophes leave the reason; a reason of apostrophes only,
    // Cancel and the close image send nothing.
    EXPECT_EQ(staff(m.mnuMiscBan, 94, {}), 0u);
    EXPECT_EQ(staff(m.mnuMiscBan, 95, {{"Ban Reason", "Cheat'ing 'again'", Finish::Ok}}), 1u);
    EXPECT_EQ(staff(m.mnuMiscBan, 95, {{"Ban Reason", "'''", Finish::Ok}}), 1u);
    EXPECT_EQ(staff(m.mnuMiscBan, 100, {{"Ban Reason", "Typed", Finish::Cancel}}), 1u);
    EXPECT_EQ(staff(m.mnuMiscBan, 100, {{"Ban Reason", "Typed", Finish::CloseImage}}), 1u);
    EXPECT_EQ(staff(m.mnuMiscKick, 100, {{"Kick Reason", "Typed", Finish::CloseImage}}), 1u);
    EXPECT_EQ(staff(m.mnuMiscKick, 100, {{"Kick Reason", "", Finish::Ok}}), 1u);
    // Shutup: 89 nothing; 90 asks for the length, then the reason.
    EXPECT_EQ(staff(m.mnuMiscShutup, 89, {}), 0u);
    EXPECT_EQ(staff(m.mnuMiscShutup, 90, {{"Length of Shutup", "5", Finish::Ok}, {"Shutup Reason", "Spam", Finish::Ok}}),
              2u);
    // A length that is no number stops after the first box; a negative one sends nothing.
    EXPECT_EQ(staff(m.mnuMiscShutup, 90, {{"Length of Shutup", "ten", Finish::Ok}}), 1u);
    EXPECT_EQ(staff(m.mnuMiscShutup, 90, {{"Length of Shutup", "-3", Finish::Ok}}), 1u);
    EXPECT_EQ(staff(m.mnuMiscShutup, 90, {{"Length of Shutup", "5", Finish::CloseImage}}), 1u);
    EXPECT_EQ(staff(m.mnuMiscShutup, 90, {{"Length of Shutup", "2.5", Finish::Ok}, {"Shutup Reason", "x", Finish::CloseImage}}),
              2u);
    EXPECT_EQ(staff(m.mnuMiscShutup, 95, {{"Length of Shutup", "2.5", Finish::Ok}, {"Shutup Reason", "Quiet", Finish::Ok}}),
              2u);
    // A name with an apostrophe is sent as listed.
    SelectPlayer("O'Brien");
    EXPECT_EQ(staff(m.mnuMiscReset, 100, {}), 0u);

    EXPECT_EQ(boxes[0], "Kick Reason|Reason?|");
    EXPECT_EQ(boxes[1], "Ban Reason|Reason?|");
    EXPECT_EQ(boxes[7], "Length of Shutup|Length?|5");
    EXPECT_EQ(boxes[8], "Shutup Reason|Reason?|");

    ASSERT_TRUE(testsupport::PumpUntil([&] { return RecordedFrames(ctl).find("O'Brien") != std::string::npos; }, 5000));
    EXPECT_EQ(RecordedFrames(ctl),
              "[[\"C\", \"reset 'John Smith'\"], "
              "[\"C\", \"kick 'John Smith' 'Too loud'\"], "
              "[\"C\", \"ban 'John Smith' 'Cheating again'\"], "
              "[\"C\", \"shutup 'John Smith' 5 'Spam'\"], "
              "[\"C\", \"shutup 'John Smith' 2 'Quiet'\"], "
              "[\"C\", \"reset 'O'Brien'\"]]");
    EXPECT_TRUE(Reported().empty()) << Reported().front();
    m.sckConnect.Invoke(wl::Disconnect);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return m.sckConnect.PropertyGet(wl::Connected).ToLong() != wl::True; }, 5000));
    SendMessageA(m.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(GetMenu(m.Handle()), 0)), 0);
    EXPECT_EQ(m.mnuFileConnect.Caption(), "Connect");
    EXPECT_FALSE(m.lblInformation.Visible());
}

TEST(MainMenusScenario, DISABLED_ExitWhileConnected) {
    uint16_t game = PortFromEnvironment(GamePortVariable), ctl = PortFromEnvironment(ControlPortVariable);
    ASSERT_NE(game, 0);
    ASSERT_NE(ctl, 0);
    WSADATA w;
    WSAStartup(MAKEWORD(2, 2), &w);
    testsupport::ScratchDir dat("menus-exit-connected");
    LoadMain(dat);
    SetProgramEndHook([](int) {});
    frmMainForm& m = frmMain();
    ASSERT_TRUE(m.sckConnect.IsCreated());
    AccessLevel = 10;  // registered: no question on the way out
    m.sckConnect.PropertyPut(wl::Blocking, Variant(true));
    m.sckConnect.PropertyPut(wl::HostName, Variant(std::string("127.0.0.1")));
    m.sckConnect.PropertyPut(wl::RemotePort, Variant(static_cast<int32_t>(game)));
    m.sckConnect.Invoke(wl::Connect);
    ASSERT_EQ(m.sckConnect.PropertyGet(wl::Connected).ToLong(), wl::True);
    ASSERT_TRUE(ServerHasWhatWasSentSoFar(m, ctl));
    ServerControl(ctl, "{\"cmd\": \"clear\"}");

    // Exit disconnects first (the connection's close says quit), then ends the program.
    Click(m.mnuFileExit);
    EXPECT_TRUE(m.ReadyToClose);
    EXPECT_TRUE(m.Released());
    std::string frames = RecordedFrames(ctl);
    EXPECT_NE(frames.find("[\"C\", \"quit\"]"), std::string::npos) << frames;
}

TEST(MainMenusScenario, DISABLED_ExitEndsTheProgram) {
    testsupport::ScratchDir dat("menus-exit");
    LoadMain(dat);
    SetProgramEndHook([](int) {});
    frmMainForm& m = frmMain();
    m.mnuOptionsChat.SetChecked(true);
    EXPECT_FALSE(m.ReadyToClose);
    Click(m.mnuFileExit);
    EXPECT_TRUE(m.ReadyToClose);
    EXPECT_TRUE(m.Released());
    EXPECT_FALSE(m.IsLoaded());
    // The settings were saved on the way out.
    EXPECT_EQ(Ini("Options", "AutoChat"), "True");
    EXPECT_TRUE(skx::PumpUntil([] { return QuitSeen(); }, 2000));
}

// The shell's handler of web addresses, replaced for one test by a command that writes the
// address it is given into a file.
class WebHandler {
public:
    explicit WebHandler(std::string record) : record_(std::move(record)) {
        had_ = ReadCommand(saved_);
        WriteCommand("cmd.exe /c echo %1>> \"" + record_ + "\"");
    }
    ~WebHandler() {
        if (had_) WriteCommand(saved_);
        else RegDeleteKeyA(HKEY_LOCAL_MACHINE, Key);
    }
    // Waits for the address handed to the handler (the command's output is complete once it
    // ends in a line break); empty when none came.
    std::string WaitForAddress() const {
        testsupport::PumpUntil([&] {
            std::string text = testsupport::ReadFileBytes(record_).value_or("");
            return !text.empty() && text.back() == '\n';
        }, 10000);
        std::string shown = testsupport::ReadFileBytes(record_).value_or("");
        while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r' || shown.back() == ' ')) {
            shown.pop_back();
        }
        return shown;
    }

private:
    static constexpr const char* Key = "Software\\Classes\\http\\shell\\open\\command";
    static bool ReadCommand(std::string& out) {
        char buf[1024] = {};
        LONG size = sizeof buf;
        if (RegQueryValueA(HKEY_LOCAL_MACHINE, Key, buf, &size) != ERROR_SUCCESS) return false;
        out = buf;
        return true;
    }
    static void WriteCommand(const std::string& command) {
        HKEY h = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, Key, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) != ERROR_SUCCESS) return;
        RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>(command.size() + 1));
        RegCloseKey(h);
    }
    std::string record_;
    bool had_ = false;
    std::string saved_;
};

TEST(MainMenusScenario, DISABLED_HomePageAndHelp) {
    testsupport::ScratchDir dat("menus-help");
    LoadMain(dat);
    frmMainForm& m = frmMain();
    {
        WebHandler handler(dat.File("address.txt"));
        Click(m.mnuVisitHomepage);
        EXPECT_EQ(handler.WaitForAddress(), HomePageAddress);
    }

    // Contents with no help file in the program folder: nothing happens, nothing is said.
    Click(m.mnuContents);
    EXPECT_TRUE(Reported().empty()) << Reported().front();
}

// The chat window's panes: the pointer over a link, and a left click on it handing the address
// to the browser; a click on plain text opens nothing.
TEST(MainMenusScenario, DISABLED_ChatPaneLinkOpensInTheBrowser) {
    testsupport::ScratchDir dat("chat-link");
    LoadMain(dat);
    frmChatBar().Load();
    frmChatBar().Show();
    RichTextBox& pane = frmChatBar().txtStatus[0];
    pane.SetEnabled(true);
    AddToRTB("see http://skirmora.example/chat now", pane, 0, true, false, false, false);
    auto pointAt = [&](int32_t pos) {
        POINT p = RtbPosFromChar(pane, pos);
        return MAKELPARAM(p.x + 2, p.y + 4);
    };
    {
        WebHandler handler(dat.File("address.txt"));
        SendMessageA(pane.hWnd(), WM_MOUSEMOVE, 0, pointAt(10));
        EXPECT_EQ(RtbMousePointer(pane), 99);
        SendMessageA(pane.hWnd(), WM_MOUSEMOVE, 0, pointAt(1));
        EXPECT_EQ(RtbMousePointer(pane), 0);
        SendMessageA(pane.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, pointAt(1));
        SendMessageA(pane.hWnd(), WM_LBUTTONUP, 0, pointAt(1));
        // Plain text opens nothing: the handler, which adds each address it is handed to its
        // record, holds only the link's once the link is clicked.
        SendMessageA(pane.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, pointAt(10));
        SendMessageA(pane.hWnd(), WM_LBUTTONUP, 0, pointAt(10));
        EXPECT_EQ(handler.WaitForAddress(), "http://skirmora.example/chat");
    }
}

// ---- the scenarios' runs ----

TEST(MainMenus, TogglesWriteTheirSettingsAndShowTheirWindows) {
    EXPECT_EQ(clienttest::RunScenario("MainMenusScenario.DISABLED_TogglesAndTheirSettings"), 0u);
}

TEST(MainMenus, ScrollLockHooksTheSelectedPaneAndClearEmptiesThePanes) {
    EXPECT_EQ(clienttest::RunScenario("MainMenusScenario.DISABLED_ScrollLockAndClearChat"), 0u);
}

TEST(MainMenus, TileWindowsAndAutoTileAfterAResize) {
    EXPECT_EQ(clienttest::RunScenario("MainMenusScenario.DISABLED_TilingAndAutoTile"), 0u);
}

TEST(MainMenus, EveryOpenerShowsItsOneWindowOwnedByTheMainWindow) {
    EXPECT_EQ(clienttest::RunScenario("MainMenusScenario.DISABLED_WindowOpeners"), 0u);
}

TEST(MainMenus, UserListPopupTellIgnoreAndProfile) {
    EXPECT_EQ(clienttest::RunScenario("MainMenusScenario.DISABLED_UserListPopup"), 0u);
}

TEST(MainMenus, ExitSavesAndEnds) {
    EXPECT_EQ(clienttest::RunScenario("MainMenusScenario.DISABLED_ExitEndsTheProgram"), 0u);
}

TEST(MainMenus, ChatPaneLinkOpensInTheBrowser) {
    EXPECT_EQ(clienttest::RunScenario("MainMenusScenario.DISABLED_ChatPaneLinkOpensInTheBrowser"), 0u);
}

TEST(MainMenus, VisitHomepageOpensTheAddressThroughTheShell) {
    EXPECT_EQ(clienttest::RunScenario("MainMenusScenario.DISABLED_HomePageAndHelp"), 0u);
}

TEST(MainMenus, CommandsSendTheirFramesToTheServer) {
    // The socket control, registered in the prefix by its own registration entry point.
    ASSERT_TRUE(testsupport::RegisterSocketControl());
    testsupport::ScriptedServer server;
    ASSERT_TRUE(server.Start());
    const std::string game = std::to_string(server.GamePort()), ctl = std::to_string(server.ControlPort());
    SetEnvironmentVariableA(GamePortVariable, game.c_str());
    SetEnvironmentVariableA(ControlPortVariable, ctl.c_str());
    EXPECT_EQ(clienttest::RunScenario("MainMenusScenario.DISABLED_FramesSent", 120000), 0u);
    EXPECT_EQ(clienttest::RunScenario("MainMenusScenario.DISABLED_ExitWhileConnected", 120000), 0u);
}

}  // namespace
