// The connection's life on the main window: connect toggle, close, the control's connected,
// disconnected and error events, and the two polling timers.
#include "AccountState.h"
#include "ChatTimeStamp.h"
#include "ConnectionState.h"
#include "FrameWriter.h"
#include "ReceiveTurns.h"
#include "MessageBox.h"
#include "ProgramSettings.h"
#include "ProtocolFrame.h"
#include "ServerTextBoxes.h"
#include "SettingsFiles.h"
#include "SettingsText.h"
#include "TextUtilities.h"
#include "WirelatchDispids.h"
#include "frmChatBar.h"
#include "frmConnect.h"
#include "frmGame.h"
#include "frmMain.h"
#include "frmMapDisp.h"
#include "modRTFLinks.h"
#include "runtime/App.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/MessagePump.h"
#include "runtime/ScopedCount.h"

namespace skx {

namespace {

constexpr int32_t Red = 255;
// How long the connected event waits for the control to say Connected.
constexpr DWORD ConnectedWaitMs = 5000;
// The close waits for the server to hang up: at most this many turns of the message loop, and
// at most this long.
constexpr int CloseWaitTurns = 25000;
constexpr DWORD CloseWaitMs = 3000;

// The socket error number last shown in a box (a repeat shows none).
int32_t g_lastErrorShown = 0;

// The menus that need a connection.
void EnableFeatureMenus(frmMainForm& m, bool enabled) {
    for (MenuItem* item : {&m.mnuView, &m.mnuCommands, &m.mnuOptions, &m.mnuMisc, &m.mnuForum}) {
        item->SetEnabled(enabled);
    }
}

// A red, bold status line in the "Game" pane, echoed to "General".
void StatusLine(const std::string& text) {
    AddToRTB(ChatTimeStamp() + text, frmChatBar().txtStatus[1], Red, true, true, false, true);
}

// One turn of a wait: the messages waiting, then a sleep until the next message (or 1 ms), so
// a wait never spins the processor.
void WaitTurn() {
    DoEvents();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
}

// The closes under way: the one that quits the connection waits for the server to hang up, and
// the drain's close inside it only disconnects.
int g_closesRunning = 0;

}  // namespace

void frmMainForm::Server(const std::string& CtrlChar, const std::string& Msg) { skx::Server(CtrlChar, Msg); }

bool frmMainForm::SocketConnected() { return IsConnected(sckConnect); }

void frmMainForm::RequestConnect() {
    Guard("frmMain", "RequestConnect", [&] {
        if (IsConnected(sckConnect)) {
            mnuFileConnect.SetCaption("Disconnect");
            if (AccessLevel < 5) {
                const std::string question =
                    "Warning!\r\nYou have not registered your character.  If you disconnect before entering your "
                    "registration code your character will be deleted!\r\n\r\nAre you sure you want to disconnect?";
                if (CSendMessage(question, mbYesNo, "Registration Reminder", 0, true, true, -1, "Tahoma") != mbrYes) {
                    return;
                }
            }
            if (frmConnect().IsLoaded() && IsWindowVisible(frmConnect().Handle())) frmConnect().Hide();
            CloseSocket();
        } else {
            mnuFileConnect.SetCaption("Connect");
            frmConnect().Show(ShowMode::Modeless, this);
        }
    });
}

bool frmMainForm::CloseSocket() {
    bool ranToEnd = false;
    ProcLine line;
    const ScopedCount running(g_closesRunning);
    Guard("frmMain", "CloseSocket", [&] {
        line.Line = 1;
        tmrGameInfo.SetEnabled(false);
        // Whatever of this connection is still handled from here on (frames that come during
        // the close wait) raises no box: its texts go to the chat pane.
        QuietServerTextBoxes(true);
        Clean_Up();
        EnableFeatureMenus(*this, false);
        line.Line = 2;
        StatusLine("Please Wait... Disconnecting...");
        line.Line = 3;
        cmdConnect.SetEnabled(false);
        mnuFileConnect.SetEnabled(false);
        mnuFileExit.SetEnabled(false);
        line.Line = 4;
        if (IsConnected(sckConnect)) Server("C", "quit");
        line.Line = 5;
        // The server hangs up on "quit": what it sent before is handled meanwhile (the drain
        // after its close), and the drain's end disconnects, which ends the wait.
        const DWORD closeStart = GetTickCount();
        // A server that has hung up already, its drain over, sends nothing more to wait for.
        auto waiting = [this] {
            return IsConnected(sckConnect) &&
                   (sckConnect.PropertyGet(wl::IsClosed).ToLong() == 0 || DrainingAfterServerClose());
        };
        for (int turn = 0; turn < CloseWaitTurns && waiting(); ++turn) {
            if (GetTickCount() - closeStart >= CloseWaitMs) break;
            WaitTurn();
        }
        line.Line = 6;
        cmdConnect.SetEnabled(true);
        mnuFileConnect.SetEnabled(true);
        mnuFileExit.SetEnabled(true);
        for (int tries = 0; tries < 16 && IsConnected(sckConnect); ++tries) sckConnect.Invoke(wl::Disconnect);
        // What the server's last words did not hand on in time goes with the socket, and what
        // came during the wait (a frame's start, a map fetch) ends with the connection.
        EndDrainAfterServerClose();
        NewConnectionNumber();
        line.Line = 7;
        StatusLine("Disconnected.");
        cmdConnect.SetCaption("&Connect");
        StatBar.SetPanelText(1, "Disconnected");
        ranToEnd = true;
    }, &line);
    // The close has ended: texts of the server raise boxes again (as the error reporter's do).
    if (g_closesRunning == 1) QuietServerTextBoxes(false);
    return ranToEnd;
}

void frmMainForm::SetVoteInformation() {
    Guard("frmMain", "SetVoteInformation", [&] {
        const std::string file = DatPath + GameDat;
        // Stored by an older client or by hand, a game's name may hold what would end the vote
        // command's argument or the command: such a name is not sent, nor another made of it.
        const std::string vote = Trim(mfncGetFromIni(file, "Vote", "Game", false, ""));
        if (!vote.empty() && IsVoteGameText(vote)) Server("C", "vote '" + vote + "'");
        std::string list = mfncGetFromIni(file, "Hate", HateListKey, false, "");
        if (Trim(list).empty()) return;
        for (const std::string& game : SplitB2(list, "@")) {
            // Each game's flag under the key its writers use; an empty item or one named as the
            // list's key has none ("game like " alone would be a command without a game). The
            // name goes without its blanks, so nothing in it can end the command.
            const std::string key = HateKey(game);
            if (key.empty()) continue;
            const bool hate = CBool(mfncGetFromIni(file, "Hate", key, false, "False"));
            Server("C", (hate ? "game hate " : "game like ") + Replace(game, " ", ""));
        }
    });
}

void frmMainForm::sckConnect_OnConnect() {
    ProcLine line;
    Guard("frmMain", "sckConnect_Connect", [&] {
        line.Line = 1;
        QuietServerTextBoxes(false);
        cmdConnect.SetCaption("&Disconnect");
        frmConnect().Unload();
        line.Line = 2;
        StatusLine("Connected to " + sckConnect.PropertyGet(wl::PeerAddress).ToString());
        line.Line = 3;
        txtSend.SetEnabled(true);
        frmChatBarForm& chat = frmChatBar();
        chat.Load();
        for (RichTextBox& pane : chat.txtStatus) pane.SetEnabled(true);
        chat.WhoList.SetEnabled(true);
        frmMapDisp().Load();
        frmMapDisp().picMap.SetEnabled(true);
        EnableFeatureMenus(*this, true);
        StatBar.SetPanelText(1, "Connected");
        tmrGameInfo.SetEnabled(true);
        tmrSoundCheck.SetEnabled(true);
        line.Line = 4;
        Server("!", Username + FieldSeparator + Password + FieldSeparator + CStr(AccessCode) + FieldSeparator +
                        CStr(static_cast<int64_t>(App::Major())) + CStr(static_cast<int64_t>(App::Minor())) +
                        CStr(static_cast<int64_t>(App::Revision())));
        line.Line = 5;
        Server("T", mnuOptionsTrue.Checked() ? "True" : "False");
        Server("n", "1");
        line.Line = 6;
        // Normally connected at once; the wait ends when the connection is gone or after a while,
        // and the stored votes go only over a connection that stands.
        const DWORD start = GetTickCount();
        while (!IsConnected(sckConnect)) {
            if (!sckConnect.IsCreated() || sckConnect.PropertyGet(wl::State).ToLong() == 0) break;
            if (GetTickCount() - start >= ConnectedWaitMs) break;
            WaitTurn();
        }
        if (IsConnected(sckConnect)) SetVoteInformation();
    }, &line);
}

void frmMainForm::sckConnect_OnDisconnect() {
    Guard("frmMain", "sckConnect_OnDisconnect", [&] {
        // What the server sent just before it hung up ("You have been banned.") is read and
        // handled first, in the dispatcher's own turns; then the connection closes, unless a
        // Clean_Up (the user's close, a new login) has come meanwhile.
        DrainAfterServerClose([this] {
            if (sckConnect.IsCreated()) sckConnect.Invoke(wl::Disconnect);
            // Inside a close waiting for the hang-up, the disconnect ends that wait, and that
            // close goes on to its end.
            if (g_closesRunning == 0) CloseSocket();
        });
    });
}

void frmMainForm::sckConnect_OnError(int32_t Error, const std::string& Description) {
    Guard("frmMain", "sckConnect_OnError", [&] {
        if (Error != g_lastErrorShown) {
            // Remembered first: the same error raised again while its box is up shows no other.
            g_lastErrorShown = Error;
            const std::string number = CStr(static_cast<int64_t>(Error));
            CSendMessage(number + ": " + Description, mbCritical, number, 0, true, true, -1, "Tahoma");
        }
        // A close under way (the error came while it waited) ends the connection itself.
        if (g_closesRunning == 0) RequestConnect();
    });
}

void frmMainForm::tmrGameInfo_Timer() {
    Guard("frmMain", "tmrGameInfo_Timer", [&] {
        if (!IsConnected(sckConnect)) {
            tmrGameInfo.SetEnabled(false);
            return;
        }
        switch (iGameInfoUpdate) {
            case 1:
                if (frmGame().Visible()) Server("e", "1");
                iGameInfoUpdate = 2;
                break;
            case 2:
                Server("E", " ");
                iGameInfoUpdate = 1;
                break;
            default:
                iGameInfoUpdate = 1;
                break;
        }
    });
}

void frmMainForm::tmrSoundCheck_Timer() {
    Guard("frmMain", "tmrSoundCheck_Timer", [&] {
        const bool connected = IsConnected(sckConnect);
        mnuFileConnect.SetCaption(connected ? "Disconnect" : "Connect");
        lblInformation.SetVisible(connected);
    });
}

}  // namespace skx
