// The login dialog and the connection's life, driven as a user drives them: the real dialog
// under Xvfb, the real socket control with its events, the scripted game server on loopback,
// the client's own message boxes answered from a timer.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../foundation/BoxDriver.h"
#include "../foundation/SelfRun.h"
#include "AccessCode.h"
#include "AccountState.h"
#include "ArenaModel.h"
#include "LetterPairCipher.h"
#include "LoginTestSupport.h"
#include "MainWindowLinks.h"
#include "ReceiveTurns.h"
#include "MessageOrder.h"
#include "ProgramSettings.h"
#include "ReceiveBuffer.h"
#include "ServerTextBoxes.h"
#include "SettingsFiles.h"
#include "runtime/DispatchObject.h"
#include "WirelatchDispids.h"
#include "frmChatBar.h"
#include "frmConnect.h"
#include "frmGame.h"
#include "frmMain.h"
#include "frmMsgBox.h"
#include "runtime/Conversions.h"
#include "runtime/FormTimer.h"

using namespace skx;
using namespace logintest;

namespace {

struct SeenBox {
    std::string title;
    std::string text;
};

// Answers every message box that opens: records its title and text and presses the button
// the policy picks (0 the first).
class BoxWatcher {
public:
    explicit BoxWatcher(std::function<int(const SeenBox&)> choose = [](const SeenBox&) { return 0; })
        : choose_(std::move(choose)), timer_("test", "tmrBoxWatcher", [this] { Tick(); }) {
        timer_.SetInterval(30);
        timer_.SetEnabled(true);
    }
    ~BoxWatcher() { timer_.SetEnabled(false); }
    const std::vector<SeenBox>& Seen() const { return seen_; }

private:
    void Tick() {
        for (HWND h = FindWindowExA(nullptr, nullptr, frmMsgBox::BoxClassName(), nullptr); h;
             h = FindWindowExA(nullptr, h, frmMsgBox::BoxClassName(), nullptr)) {
            frmMsgBox* box = frmMsgBox::FromWindow(h);
            if (!box || !IsWindowVisible(h) || h == answered_) continue;
            SeenBox s{boxtest::TextOf(h), boxtest::TextOf(box->MessageLabel())};
            seen_.push_back(s);
            answered_ = h;
            PostMessageA(box->Button(choose_(s)), BM_CLICK, 0, 0);
            return;
        }
        answered_ = nullptr;
    }
    std::function<int(const SeenBox&)> choose_;
    std::vector<SeenBox> seen_;
    HWND answered_ = nullptr;
    FormTimer timer_;
};

// Runs a step from a timer while the test waits inside a handler that turns the message loop.
class Ticker {
public:
    explicit Ticker(std::function<void()> step, unsigned intervalMs = 20)
        : step_(std::move(step)), timer_("test", "tmrTicker", [this] { step_(); }) {
        timer_.SetInterval(intervalMs);
        timer_.SetEnabled(true);
    }
    ~Ticker() { timer_.SetEnabled(false); }

private:
    std::function<void()> step_;
    FormTimer timer_;
};

class LoginLifeCycle : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        AccessLevel = 10;  // registered: no question on the way out
        frmMain().mnuOptionsTrue.SetChecked(false);
        frmMain().iGameInfoUpdate = 1;
    }
    void TearDown() override {
        frmGame().Hide();
        MainWindowTest::TearDown();
    }

    void SeedServerSettings(uint16_t port, const std::string& more = {}) {
        WriteGameDat("[LASTSERVER]\r\nHost=127.0.0.1\r\nPort=" + std::to_string(port) + "\r\n" + more);
    }
    static frmConnectForm& Dialog() { return frmConnect(); }
    static bool DialogShown() { return frmConnect().IsLoaded() && IsWindowVisible(frmConnect().Handle()); }
    static void Type(Control& box, const std::string& text) {
        for (char c : text) SendMessageA(box.hWnd(), WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    static void Click(Control& button) { SendMessageA(button.hWnd(), BM_CLICK, 0, 0); }
    // The toolbar's connect button, as the user opens the dialog.
    void OpenDialog() {
        Click(frmMain().cmdConnect);
        ASSERT_TRUE(DialogShown());
    }
    // The user's way in: the dialog, the name typed first, then the password, then Connect.
    void LogInThroughTheDialog(const std::string& name, const std::string& password) {
        OpenDialog();
        Type(Dialog().txtUsername, name);
        Type(Dialog().txtPassword, password);
        Click(Dialog().cmdOkay);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return !FramesOf("n").empty(); }, 10000));
    }
    // The user's way out, with the server hanging up when it reads "quit"; returns the tick
    // count at which the server was told to close (0: never).
    DWORD DisconnectWithServerClosingOnQuit() {
        DWORD closedAt = 0;
        Ticker closer([&] {
            if (closedAt) return;
            for (const Frame& f : FramesOf("C")) {
                if (f.size() == 2 && f[1] == "quit") {
                    closedAt = GetTickCount();
                    server.Command("{\"cmd\": \"close\"}");
                    return;
                }
            }
        });
        frmMain().RequestConnect();
        return closedAt;
    }
    bool ArenaIsClean() const {
        return MapPlayers(3, 3) == -1 && MapSplats(3, 3) == -1 && OwnPosition.x == 7.0f && OwnPosition.y == 7.0f &&
               ViewOrigin.x == 0.0f && !HasReceivedData();
    }
    static void DirtyTheArena() {
        MapPlayers(3, 3) = 4;
        MapSplats(3, 3) = 2;
        OwnPosition = {20, 30};
        ViewOrigin = {5, 5};
    }
};

}  // namespace

TEST_F(LoginLifeCycle, LoginThroughTheDialogSendsLoginMovementNewsAndStoredVotesInOrder) {
    SeedServerSettings(server.GamePort(),
                       "[Vote]\r\nGame=Capture The Flag\r\n[Hate]\r\nList=Capture The Flag@@ @Hunt@King's Hill\r\n"
                       "Capture The Flag=True\r\nHunt=False\r\n");
    frmMain().mnuOptionsTrue.SetChecked(true);
    DirtyTheArena();
    OpenDialog();
    EXPECT_EQ(Dialog().Caption(), "Connect");
    EXPECT_EQ(Dialog().cmbServer.Text(), "127.0.0.1");
    EXPECT_EQ(Dialog().txtPort.Caption(), std::to_string(server.GamePort()));
    EXPECT_EQ(GetWindow(Dialog().Handle(), GW_OWNER), frmMain().Handle());
    EXPECT_EQ(frmMain().mnuFileConnect.Caption(), "Connect");
    Type(Dialog().txtUsername, "Ali9 ce");  // the digit and the blank are dropped as typed
    Type(Dialog().txtPassword, "sec-ret1");
    EXPECT_EQ(Dialog().txtUsername.Caption(), "Alice");
    EXPECT_EQ(Dialog().txtPassword.Caption(), "secret1");
    Click(Dialog().chkSavePass);
    EXPECT_EQ(Dialog().SavePassValue(), BST_CHECKED);
    Click(Dialog().cmdOkay);
    EXPECT_TRUE(ArenaIsClean());  // cleaned before the connect
    // The game-information poll may run meanwhile; its frames are not part of the sequence.
    auto sequence = [&] {
        std::vector<Frame> frames;
        for (Frame& f : Frames()) {
            if (f[0] != "e" && f[0] != "E") frames.push_back(f);
        }
        return frames;
    };
    ASSERT_TRUE(testsupport::PumpUntil([&] { return sequence().size() >= 7; }, 10000));
    ASSERT_TRUE(SentSoFar());  // nothing more follows

    const std::string code = CStr(GetDriveInformation());
    std::vector<Frame> expected{{"!", "Alice", "secret1", code, "203"},
                                {"T", "True"},
                                {"n", "1"},
                                {"C", "vote 'Capture The Flag'"},
                                {"C", "game hate CaptureTheFlag"},
                                {"C", "game like Hunt"},
                                {"C", "game like King'sHill"}};  // the command has no quotes to end
    EXPECT_EQ(sequence(), expected);

    EXPECT_FALSE(frmConnect().IsLoaded());
    EXPECT_TRUE(ClientConnected());
    EXPECT_EQ(frmMain().cmdConnect.Caption(), "&Disconnect");
    EXPECT_EQ(frmMain().StatBar.PanelText(1), "Connected");
    EXPECT_NE(PaneText(1).find("Connected to 127.0.0.1"), std::string::npos);
    EXPECT_NE(PaneText(0).find("Connected to 127.0.0.1"), std::string::npos);
    for (MenuItem* m : {&frmMain().mnuView, &frmMain().mnuCommands, &frmMain().mnuOptions, &frmMain().mnuMisc,
                        &frmMain().mnuForum}) {
        EXPECT_TRUE(m->Enabled()) << m->Name();
    }
    EXPECT_TRUE(IsWindowEnabled(frmMain().txtSend.hWnd()));
    EXPECT_TRUE(IsWindowEnabled(frmChatBar().WhoList.hWnd()));
    EXPECT_TRUE(frmMain().tmrGameInfo.Enabled());
    EXPECT_EQ(Ini("LASTUSER", "Username"), "Alice");
    EXPECT_EQ(LetterPairDecipher(Ini("LASTUSER", "Password"), MachinePassword()), "secret1");
    EXPECT_EQ(Ini("LASTSERVER", "Host"), "127.0.0.1");
    EXPECT_EQ(Ini("LASTSERVER", "Port"), std::to_string(server.GamePort()));
    EXPECT_EQ(Ini("Options", "SavePass"), "True");
    EXPECT_EQ(Username, "Alice");
    EXPECT_TRUE(Reports().empty());

    // The user disconnects: "quit" goes out and the client waits for the server to hang up.
    server.Command("{\"cmd\": \"clear\"}");
    DirtyTheArena();
    AccessLevel = 7;
    Money = 250;
    DWORD closedAt = DisconnectWithServerClosingOnQuit();
    DWORD returnedAt = GetTickCount();
    ASSERT_NE(closedAt, 0u) << "the close did not wait for the server";
    EXPECT_GE(returnedAt, closedAt);
    EXPECT_EQ(FramesOf("C"), (std::vector<Frame>{{"C", "quit"}}));
    EXPECT_FALSE(ClientConnected());
    EXPECT_TRUE(ArenaIsClean());
    EXPECT_EQ(frmMain().cmdConnect.Caption(), "&Connect");
    EXPECT_TRUE(IsWindowEnabled(frmMain().cmdConnect.hWnd()));
    EXPECT_TRUE(frmMain().mnuFileExit.Enabled());
    EXPECT_EQ(frmMain().StatBar.PanelText(1), "Disconnected");
    EXPECT_GE(Occurrences(PaneText(1), "Please Wait... Disconnecting..."), 1);
    EXPECT_GE(Occurrences(PaneText(1), "Disconnected."), 1);
    EXPECT_FALSE(frmMain().mnuView.Enabled());
    EXPECT_FALSE(frmMain().tmrGameInfo.Enabled());
    EXPECT_EQ(AccessLevel, 7);  // the account's level and money outlive the connection
    EXPECT_EQ(Money, 250);
    EXPECT_TRUE(Reports().empty());
}

TEST_F(LoginLifeCycle, ServerCloseHandlesWhatCameBeforeItAndCleansUp) {
    SeedServerSettings(server.GamePort());
    LogInThroughTheDialog("Bob", "pass1");
    server.Command("{\"cmd\": \"clear\"}");
    DirtyTheArena();
    // A text sent just before the server hangs up is still handled.
    server.Command("{\"cmd\": \"send\", \"frames\": [[\"x\"]]}");
    server.Command("{\"cmd\": \"close\"}");
    ASSERT_TRUE(testsupport::PumpUntil([] { return frmMain().StatBar.PanelText(1) == "Disconnected"; }, 10000));
    EXPECT_NE(PaneText(1).find("Client Used UnImplemented Command: x"), std::string::npos);
    EXPECT_LT(PaneText(1).find("Client Used UnImplemented Command: x"), PaneText(1).find("Disconnected."));
    EXPECT_FALSE(ClientConnected());
    EXPECT_TRUE(ArenaIsClean());
    EXPECT_TRUE(FramesOf("C").empty());  // no "quit" to a server that is gone
    EXPECT_EQ(frmMain().cmdConnect.Caption(), "&Connect");
    EXPECT_TRUE(Reports().empty());
}

TEST_F(LoginLifeCycle, RefusedConnectShowsItsErrorOnceAndOffersTheDialogEachTime) {
    const uint16_t nobody = testsupport::FreePort();
    SeedServerSettings(nobody);
    BoxWatcher boxes;
    OpenDialog();
    Type(Dialog().txtUsername, "Carol");
    Type(Dialog().txtPassword, "pass1");
    Click(Dialog().cmdOkay);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return boxes.Seen().size() == 1 && DialogShown(); }, 15000));
    EXPECT_EQ(boxes.Seen()[0].title, "10061");
    EXPECT_EQ(boxes.Seen()[0].text.rfind("10061: ", 0), 0u) << boxes.Seen()[0].text;
    EXPECT_GT(boxes.Seen()[0].text.size(), 7u);
    EXPECT_FALSE(ClientConnected());

    // The same error again: the dialog comes back, no second box.
    Click(Dialog().cmdOkay);
    EXPECT_FALSE(DialogShown());  // unloaded by its OK until the error offers it again
    ASSERT_TRUE(testsupport::PumpUntil([&] { return DialogShown(); }, 15000));
    ASSERT_TRUE(testsupport::HandlePostedSoFar());  // the control's events so far
    EXPECT_EQ(boxes.Seen().size(), 1u);
    EXPECT_FALSE(ClientConnected());
    EXPECT_TRUE(Frames().empty());
}

TEST_F(LoginLifeCycle, UnregisteredAccountIsAskedBeforeItDisconnects) {
    ASSERT_TRUE(ConnectDirectly());
    server.Command("{\"cmd\": \"clear\"}");
    AccessLevel = 1;
    int asked = 0;
    BoxWatcher boxes([&](const SeenBox&) { return asked++ == 0 ? 1 : 0; });  // No, then Yes
    frmMain().RequestConnect();
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].title, "Registration Reminder");
    EXPECT_EQ(boxes.Seen()[0].text,
              "Warning!\r\nYou have not registered your character.  If you disconnect before entering your "
              "registration code your character will be deleted!\r\n\r\nAre you sure you want to disconnect?");
    EXPECT_TRUE(ClientConnected());  // No keeps the connection
    EXPECT_EQ(frmMain().mnuFileConnect.Caption(), "Disconnect");
    ASSERT_TRUE(SentSoFar());
    EXPECT_TRUE(FramesOf("C").empty());

    DWORD closedAt = DisconnectWithServerClosingOnQuit();  // Yes
    EXPECT_EQ(boxes.Seen().size(), 2u);
    EXPECT_NE(closedAt, 0u);
    EXPECT_FALSE(ClientConnected());

    // From level 5 on nobody is asked.
    ASSERT_TRUE(ConnectDirectly());
    AccessLevel = 5;
    DisconnectWithServerClosingOnQuit();
    EXPECT_EQ(boxes.Seen().size(), 2u);
    EXPECT_FALSE(ClientConnected());
}

TEST_F(LoginLifeCycle, EachFailedCheckShowsItsTextAndKeepsTheDialogOpen) {
    SeedServerSettings(server.GamePort());
    struct Case {
        std::string name, password, server, port, text;
    };
    const std::vector<Case> cases{
        {"", "pass1", "127.0.0.1", "10001", "Please enter in your username!"},
        {"Dan", "", "127.0.0.1", "10001", "Please enter in your user password!"},
        {"Dan", "pass1", "", "10001", "Please select a server!"},
        {"Dan", "pass1", "127.0.0.1", "", "Please enter in the servers port number (default 10001)!"},
        {"Da", "pass1", "127.0.0.1", "10001", "The username you have entered is too short!"},
        {"Dan", "pas", "127.0.0.1", "10001", "The password you have entered is too short!"},
        {"Dan", "pass1", "1.2.3.4", "10001", "Please enter a valid Server!"},
    };
    BoxWatcher boxes;
    OpenDialog();
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.text);
        Dialog().txtUsername.SetCaption(c.name);
        Dialog().txtPassword.SetCaption(c.password);
        Dialog().cmbServer.SetText(c.server);
        Dialog().txtPort.SetCaption(c.port);
        Click(Dialog().cmdOkay);
        ASSERT_EQ(boxes.Seen().size(), i + 1);
        EXPECT_EQ(boxes.Seen()[i].title, "Connect");
        EXPECT_EQ(boxes.Seen()[i].text, c.text);
        EXPECT_TRUE(DialogShown());
        EXPECT_EQ(Username, c.name);
    }
    EXPECT_EQ(frmMain().StatBar.PanelText(4), "0 (0 Kb)");
    EXPECT_EQ(Ini("LASTUSER", "Username"), "<missing>");  // nothing stored
    EXPECT_FALSE(ClientConnected());
    EXPECT_TRUE(Reports().empty());
}

TEST_F(LoginLifeCycle, BoxFiltersKeepNamesPasswordsServerAndPortInShape) {
    WriteGameDat("[LASTSERVER]\r\nPort=40000\r\n[Options]\r\nSavePass=  FALSE \r\n");
    Username = "Stored";
    Password = "pw1234";
    OpenDialog();
    frmConnectForm& d = Dialog();
    EXPECT_EQ(d.txtUsername.Caption(), "Stored");
    EXPECT_EQ(d.txtPassword.Caption(), "pw1234");
    EXPECT_EQ(d.cmbServer.Text(), GameServerHosts[0]);  // no stored host: the first of the list
    EXPECT_EQ(d.txtPort.Caption(), "40000");            // a port above 32767 as stored
    EXPECT_EQ(d.SavePassValue(), BST_UNCHECKED);
    char mask = static_cast<char>(SendMessageA(d.txtPassword.hWnd(), EM_GETPASSWORDCHAR, 0, 0));
    EXPECT_EQ(mask, '*');
    EXPECT_NE(GetWindowLongA(d.txtPort.hWnd(), GWL_STYLE) & ES_READONLY, 0);

    // Editing the name away from the stored one drops the password; restoring it does not
    // bring it back.
    Type(d.txtUsername, "x");
    EXPECT_EQ(d.txtUsername.Caption(), "Storedx");
    EXPECT_EQ(d.txtPassword.Caption(), "");
    d.txtUsername.SetCaption("STORED");
    EXPECT_EQ(d.txtPassword.Caption(), "");

    // Runs of blanks collapse, control characters go, 16 characters or more are cut to 15.
    d.txtUsername.SetCaption("A  b\t   c");
    EXPECT_EQ(d.txtUsername.Caption(), "A b c");
    d.txtUsername.SetCaption("Abcdefghijklmnop");
    EXPECT_EQ(d.txtUsername.Caption(), "Abcdefghijklmno");
    Type(d.txtUsername, "\b");
    EXPECT_EQ(d.txtUsername.Caption(), "Abcdefghijklmn");
    d.txtPassword.SetCaption(std::string(60, 'p'));
    EXPECT_EQ(d.txtPassword.Caption(), std::string(50, 'p'));
    d.txtPassword.SetCaption("");
    Type(d.txtPassword, "aZ9!_ q");
    EXPECT_EQ(d.txtPassword.Caption(), "aZ9q");

    // The server is chosen, never typed; the label beside it picks this machine.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(d.cmbServer.hWnd(), &info));
    SendMessageA(info.hwndItem, WM_CHAR, 'z', 1);
    EXPECT_EQ(d.cmbServer.Text(), GameServerHosts[0]);
    EXPECT_EQ(SendMessageA(d.cmbServer.hWnd(), CB_GETCOUNT, 0, 0), 2);
    SendMessageA(d.lblLocalHost.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(d.lblLocalHost.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    testsupport::PumpUntil([&] { return d.cmbServer.Text() == "127.0.0.1"; }, 5000);
    EXPECT_EQ(d.cmbServer.Text(), "127.0.0.1");

    // Save Password has two states for the user; a click on a grey box unchecks it.
    Click(d.chkSavePass);
    EXPECT_EQ(d.SavePassValue(), BST_CHECKED);
    Click(d.chkSavePass);
    EXPECT_EQ(d.SavePassValue(), BST_UNCHECKED);
    d.SetSavePassValue(BST_INDETERMINATE);
    EXPECT_EQ(d.SavePassValue(), BST_INDETERMINATE);
    Click(d.chkSavePass);
    EXPECT_EQ(d.SavePassValue(), BST_UNCHECKED);

    // Any other stored SavePass checks the box; a missing one leaves it as made.
    d.Unload();
    WriteGameDat("[Options]\r\nSavePass=yes\r\n");
    OpenDialog();
    EXPECT_EQ(Dialog().SavePassValue(), BST_CHECKED);
    Dialog().Unload();
    WriteGameDat("[LASTSERVER]\r\nHost=  10.0.0.200  \r\n");
    OpenDialog();
    EXPECT_EQ(Dialog().SavePassValue(), BST_UNCHECKED);
    EXPECT_EQ(Dialog().cmbServer.Text(), "10.0.0.200");
    EXPECT_EQ(Dialog().txtPort.Caption(), "10001");
    EXPECT_TRUE(Reports().empty());
}

TEST_F(LoginLifeCycle, UncheckedSavePasswordKeepsTheStoredPassword) {
    const std::string old = LetterPairEncipher("oldpass", MachinePassword());
    SeedServerSettings(server.GamePort(), "[LASTUSER]\r\nPassword=" + old + "\r\n");
    LogInThroughTheDialog("Erin", "newpass");
    EXPECT_EQ(Ini("Options", "SavePass"), "False");
    EXPECT_EQ(Ini("LASTUSER", "Password"), old);
    EXPECT_EQ(Ini("LASTUSER", "Username"), "Erin");
}

TEST_F(LoginLifeCycle, CancelAbortsAPendingConnectAndALaterConnectStillWorks) {
    testsupport::ChildProcess silent;
    const uint16_t port = testsupport::FreePort();
    ASSERT_TRUE(silent.StartPython("tools/testpeers/silent.py", "--port " + std::to_string(port)));
    ASSERT_TRUE(testsupport::WaitForPort(port, 10000));  // the probe fills the queue: connects hang
    SeedServerSettings(port);
    OpenDialog();
    Type(Dialog().txtUsername, "Fay");
    Type(Dialog().txtPassword, "pass1");
    Click(Dialog().cmdOkay);
    DispatchObject& sck = frmMain().sckConnect;
    EXPECT_FALSE(ClientConnected());
    EXPECT_NE(sck.PropertyGet(18).ToLong(), -1);  // the control holds the waiting socket

    OpenDialog();
    Click(Dialog().cmdCancel);
    EXPECT_FALSE(DialogShown());
    EXPECT_EQ(sck.PropertyGet(18).ToLong(), -1);  // let go
    // A connected event the control had already posted for it is handled by now.
    ASSERT_TRUE(testsupport::HandlePostedSoFar());
    EXPECT_FALSE(ClientConnected());
    EXPECT_EQ(PaneText(1).find("Connected to"), std::string::npos);

    // A new connect to a server that answers goes through.
    Dialog().Unload();
    SeedServerSettings(server.GamePort());
    LogInThroughTheDialog("Fay", "pass1");
    EXPECT_TRUE(ClientConnected());
    EXPECT_TRUE(Reports().empty());
}

TEST_F(LoginLifeCycle, ConnectWhileConnectedClosesTheOldConnectionWithoutASecondClick) {
    SeedServerSettings(server.GamePort());
    ASSERT_TRUE(ConnectDirectly());
    frmConnect().Show(ShowMode::Modeless, &frmMain());
    Type(Dialog().txtUsername, "Gil");
    Type(Dialog().txtPassword, "pass1");
    bool sawDisabled = false, sawEnabled = false;
    int pokes = 0;
    Ticker poke([&] {
        if (!Dialog().cmdOkay.hWnd()) return;
        // While the old connection closes, a second click must find nothing to press.
        (IsWindowEnabled(Dialog().cmdOkay.hWnd()) ? sawEnabled : sawDisabled) = true;
        if (IsWindowEnabled(Dialog().cmdCancel.hWnd())) sawEnabled = true;
        if (pokes++ < 3) {
            SendMessageA(Dialog().cmdOkay.hWnd(), BM_CLICK, 0, 0);
            SendMessageA(Dialog().Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(Dialog().cmdOkay.hWnd()));
        }
    });
    Click(Dialog().cmdOkay);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return FramesOf("!").size() == 2; }, 15000));
    ASSERT_TRUE(SentSoFar());  // over the new connection, behind anything a poke set off
    EXPECT_TRUE(sawDisabled);
    EXPECT_FALSE(sawEnabled);
    EXPECT_GE(pokes, 1);
    EXPECT_EQ(FramesOf("!").size(), 2u);
    EXPECT_EQ(FramesOf("C").front(), (Frame{"C", "quit"}));
    EXPECT_NE(server.Command("{\"cmd\": \"status\"}").find("\"connections\": 2"), std::string::npos);
    EXPECT_TRUE(ClientConnected());
}

TEST_F(LoginLifeCycle, PortThatIsNoNumberOrOutOfRangeStopsOkThroughTheReporter) {
    for (const std::string port : {"abc", "70000"}) {
        SCOPED_TRACE(port);
        Reports().clear();
        WriteGameDat("[LASTSERVER]\r\nHost=127.0.0.1\r\nPort=" + port + "\r\n");
        OpenDialog();
        Type(Dialog().txtUsername, "Hal");
        Type(Dialog().txtPassword, "pass1");
        DirtyTheArena();
        Click(Dialog().cmdOkay);
        ASSERT_EQ(Reports().size(), 1u);
        EXPECT_EQ(Reports()[0].module, "frmConnect");
        EXPECT_EQ(Reports()[0].procedure, "cmdOkay_Click");
        if (port == "abc") {
            EXPECT_EQ(Reports()[0].number, 13);
        }
        EXPECT_TRUE(ArenaIsClean());  // the clean-up ran before
        EXPECT_TRUE(DialogShown());
        EXPECT_TRUE(IsWindowEnabled(Dialog().cmdOkay.hWnd()));
        EXPECT_EQ(Ini("LASTUSER", "Username"), "<missing>");
        Dialog().Unload();
    }
}

TEST_F(LoginLifeCycle, GameInformationPollAndConnectCaptionFollowTheConnection) {
    ASSERT_TRUE(ConnectDirectly());
    server.Command("{\"cmd\": \"clear\"}");
    frmMain().iGameInfoUpdate = 2;
    frmMain().mnuFileConnect.SetCaption("Connect");
    frmGame().Load();
    frmGame().Hide();
    // Phase 2 polls, phase 1 asks for the information only while its window shows.
    ASSERT_TRUE(testsupport::PumpUntil([&] { return frmMain().mnuFileConnect.Caption() == "Disconnect"; }, 4000));
    EXPECT_TRUE(frmMain().lblInformation.Visible());
    EXPECT_FALSE(FramesOf("E").empty());
    EXPECT_EQ(FramesOf("E").front(), (Frame{"E", " "}));
    EXPECT_TRUE(FramesOf("e").empty());
    frmGame().Show(ShowMode::Modeless, &frmMain());
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !FramesOf("e").empty(); }, 4000));
    EXPECT_EQ(FramesOf("e").front(), (Frame{"e", "1"}));

    // Without a connection the poll stops itself and the caption follows.
    DropConnection();
    ASSERT_TRUE(testsupport::PumpUntil([] { return !frmMain().tmrGameInfo.Enabled(); }, 3000));
    ASSERT_TRUE(testsupport::PumpUntil([] { return frmMain().mnuFileConnect.Caption() == "Connect"; }, 4000));
    EXPECT_FALSE(frmMain().lblInformation.Visible());
}

TEST_F(LoginLifeCycle, CloseGivesUpOnAServerThatStaysAndHangsUpItself) {
    ASSERT_TRUE(ConnectDirectly());
    server.Command("{\"cmd\": \"clear\"}");
    const DWORD start = GetTickCount();
    EXPECT_TRUE(frmMain().CloseSocket());
    const DWORD took = GetTickCount() - start;
    EXPECT_LT(took, 10000u) << "the wait for the server is bounded";
    EXPECT_EQ(FramesOf("C"), (std::vector<Frame>{{"C", "quit"}}));
    EXPECT_FALSE(ClientConnected());
    EXPECT_EQ(Occurrences(PaneText(1), "Please Wait... Disconnecting..."), 1);
    EXPECT_EQ(Occurrences(PaneText(1), "Disconnected."), 1);
    // The close has ended: a text of the server (or of the error reporter) raises its box again.
    BoxWatcher boxes([](const SeenBox&) { return 0; });
    ServerTextBox("CloseTest", "after the close", 0, "Late");
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, "after the close");
    // The client hung up itself: the server sees its connection end.
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] { return server.Command("{\"cmd\": \"status\"}").find("\"connected\": false") != std::string::npos; },
        5000));
}

TEST_F(LoginLifeCycle, DialogShowsItsBoxesAndButtonsOnTheScreen) {
    WriteGameDat("[LASTSERVER]\r\nHost=127.0.0.1\r\nPort=10001\r\n");
    Username = "Ivy";
    Password = "secret1";
    OpenDialog();
    HWND h = Dialog().Handle();
    SetForegroundWindow(h);
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // The face of the dialog, the white of its boxes and the dark of their text all show, once
    // the screen has them.
    ScreenPicture picture;
    COLORREF faceAt = 0, nameAt = 0, portAt = 0;
    int nameDark = 0;
    testsupport::PumpUntil([&] {
        picture = CaptureWindow(h);
        if (picture.width <= 0) return false;
        const RECT face = picture.ClientArea(h);
        faceAt = picture.At(face.left + 4, face.bottom - 4);
        const RECT name = picture.ClientArea(Dialog().txtUsername.hWnd());
        nameAt = picture.At(name.right - 3, (name.top + name.bottom) / 2);
        nameDark = picture.DarkPixels(name);
        const RECT port = picture.ClientArea(Dialog().txtPort.hWnd());
        portAt = picture.At(port.right - 3, (port.top + port.bottom) / 2);
        return faceAt == GetSysColor(COLOR_BTNFACE) && nameAt == GetSysColor(COLOR_WINDOW) && nameDark > 10 &&
               portAt == GetSysColor(COLOR_BTNFACE);
    }, 10000);
    ASSERT_GT(picture.width, 0);
    SavePicture(picture, testsupport::ProgramFolder() + "\\login-dialog.bmp");
    EXPECT_EQ(faceAt, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(nameAt, GetSysColor(COLOR_WINDOW));
    // "Ivy" darkens twenty to forty pixels whatever the font and its smoothing; the empty box none.
    EXPECT_GT(nameDark, 10) << "the name is drawn, dark on its light box";
    EXPECT_EQ(portAt, GetSysColor(COLOR_BTNFACE)) << "the locked port box is drawn in the button face";
}

TEST_F(LoginLifeCycle, ConnectedEventWaitsForTheConnectionOnlyWhileItCanCome) {
    SeedServerSettings(server.GamePort(), "[Vote]\r\nGame=Hunt\r\n");
    // No socket at all: the wait ends at once.
    DWORD start = GetTickCount();
    frmMain().sckConnect_OnConnect();
    EXPECT_LT(GetTickCount() - start, 1500u);

    // A connect that hangs: the wait gives up after about five seconds.
    testsupport::ChildProcess silent;
    const uint16_t port = testsupport::FreePort();
    ASSERT_TRUE(silent.StartPython("tools/testpeers/silent.py", "--port " + std::to_string(port)));
    ASSERT_TRUE(testsupport::WaitForPort(port, 10000));
    DispatchObject& sck = frmMain().sckConnect;
    sck.PropertyPut(wl::HostName, Variant(std::string("127.0.0.1")));
    sck.PropertyPut(wl::RemotePort, Variant(static_cast<int32_t>(port)));
    sck.Invoke(wl::Connect);
    start = GetTickCount();
    frmMain().sckConnect_OnConnect();
    const DWORD waited = GetTickCount() - start;
    EXPECT_GE(waited, 4500u);
    EXPECT_LT(waited, 9000u);
    EXPECT_FALSE(ClientConnected());
    EXPECT_TRUE(Frames().empty());
    EXPECT_TRUE(Reports().empty());
}

// A socket whose every read fails as a reset connection's does on Windows: the control raises
// its error event (into the main window's handler), then fails the call.
class ResetSocket : public IDispatch {
public:
    int reads = 0;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = (iid == IID_IUnknown || iid == IID_IDispatch) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return *n = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO* info,
                                     UINT*) override {
        if (result) VariantInit(result);
        if (id == wl::IsReadable || id == wl::IsClosed) {
            if (result) result->vt = VT_BOOL, result->boolVal = VARIANT_TRUE;
        } else if (id == wl::Read) {
            ++reads;
            frmMain().sckConnect_OnError(10054, "Network connection aborted by remote host");
            if (info) info->scode = static_cast<SCODE>(0x800A2746);
            return DISP_E_EXCEPTION;
        }
        return S_OK;  // Connected and the rest: empty, so false
    }
};

TEST_F(LoginLifeCycle, AReadFailingInTheDrainUnderItsOwnBoxClosesOnce) {
    ASSERT_TRUE(ConnectDirectly());
    ResetSocket reset;
    DispatchObject failing;
    failing.Attach(&reset);
    std::function<DispatchObject&()> socket = MainWindowLinks().Socket;
    MainWindowLinks().Socket = [&failing]() -> DispatchObject& { return failing; };
    BoxWatcher boxes;  // answers the error's box 30 ms or more after it opened
    server.Command("{\"cmd\": \"close\"}");
    const bool closed = testsupport::PumpUntil(
        [&] { return Occurrences(PaneText(1), "Disconnected.") > 0 && !DrainingAfterServerClose(); }, 15000);
    MainWindowLinks().Socket = socket;
    if (DialogShown()) Dialog().Unload();
    ASSERT_TRUE(closed) << "reads " << reset.reads << ", boxes " << boxes.Seen().size() << "\n" << PaneText(1);
    // The box's own loop ran no other turn: one read, one box, one close, no second report.
    EXPECT_EQ(reset.reads, 1);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].title, "10054");
    EXPECT_EQ(Occurrences(PaneText(1), "Disconnected."), 1) << PaneText(1);
    for (const Report& r : Reports()) ADD_FAILURE() << "reported " << r.module << "." << r.procedure << " " << r.number;
    EXPECT_FALSE(ClientConnected());
}

// ---- the program's end while connected, in a process of its own ----

TEST(LoginScenario, DISABLED_ShutdownWhileConnectedSaysQuitFirst) {
    EnsureMainWindow();
    char port[16] = {};
    ASSERT_GT(GetEnvironmentVariableA("SKIRMEX_TEST_GAME_PORT", port, sizeof port), 0u);
    testsupport::ScratchDir dat("shutdown-dat");
    DatPath = dat.Path() + "\\";
    DispatchObject& sck = frmMain().sckConnect;
    sck.PropertyPut(wl::HostName, Variant(std::string("127.0.0.1")));
    sck.PropertyPut(wl::RemotePort, Variant(static_cast<int32_t>(std::stoi(port))));
    sck.Invoke(wl::Connect);
    // Connected, and the connected event has logged in.
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        return sck.PropertyGet(wl::Connected).ToLong() == wl::True && frmMain().StatBar.PanelText(1) == "Connected";
    }, 10000));
    frmMain().ReadyToClose = true;
    frmMain().Shutdown(false);
    EXPECT_NE(sck.IsCreated() ? sck.PropertyGet(wl::Connected).ToLong() : 0, wl::True);
    EXPECT_FALSE(frmMain().IsLoaded());
}

TEST_F(LoginLifeCycle, ShutdownWhileConnectedClosesTheConnectionWithQuit) {
    SetEnvironmentVariableA("SKIRMEX_TEST_GAME_PORT", std::to_string(server.GamePort()).c_str());
    int exitCode = -1;
    std::string output = selfrun::Run(selfrun::ThisProgram(),
                                      "--gtest_filter=LoginScenario.DISABLED_ShutdownWhileConnectedSaysQuitFirst "
                                      "--gtest_also_run_disabled_tests",
                                      dat.Path(), exitCode);
    SetEnvironmentVariableA("SKIRMEX_TEST_GAME_PORT", nullptr);
    EXPECT_EQ(exitCode, 0) << output;
    std::vector<Frame> said = FramesOf("C");
    ASSERT_FALSE(said.empty());
    EXPECT_EQ(said.back(), (Frame{"C", "quit"}));
    EXPECT_FALSE(FramesOf("!").empty());  // it had logged in
}
