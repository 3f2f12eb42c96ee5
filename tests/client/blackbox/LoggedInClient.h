// The client as the black-box tests meet it: a scratch copy of Skirmex.exe started with its test
// hook, its Game.DAT naming a scripted server, logged in as "tester" through the connect
// dialog; and what those tests ask of it: its windows' dumps, the frames the server received,
// frames sent to it, message boxes answered, error reports counted.
#pragma once
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ClientProbe.h"
#include "ClientProcess.h"
#include "HookClient.h"
#include "ScriptedServer.h"
#include "WinTestSupport.h"

namespace clienttest {

// The scripted server's answer to a login as JSON frames: "v" with the level and the cash.
std::string LoginReply(const std::string& level, const std::string& cash = "100");

// How a LoggedInClient starts (each member initialised, so that a designated list may leave any out).
struct ClientSetup {
    bool server = true;                    // a scripted server, named in Game.DAT's [LASTSERVER]
    std::string reply = LoginReply("95");  // its script's answer to the login ("": its own short script)
    std::string serverArgs{};              // further arguments of the server
    std::string game{};                    // Game.DAT lines after [LASTSERVER]'s Host and Port
    std::string buttons{};                 // Buttons.DAT, when not empty
    bool logIn = true;                     // logged in once started
};

// What one burst of server frames cost the client, as a user meets it.
struct BurstOutcome {
    bool answered = false;  // the burst's closing "U" was answered with "M" within the limit
    ClientProbe::Gaps gaps;  // the longest the client went without answering each probe (ms)
    int boxes = 0;          // message boxes a user clicked away
    std::string receiving;  // where the client's receiving side stood when "U" went unanswered
    // What a user can bear: "U" answered, no gap of 2 s in either probe's answers, 20 boxes at most.
    testing::AssertionResult Bearable() const {
        if (answered && gaps.sent < 2000 && gaps.posted < 2000 && boxes <= 20) return testing::AssertionSuccess();
        return testing::AssertionFailure() << "answered " << answered << ", gaps " << gaps.sent << " ms (sent), "
                                           << gaps.posted << " ms (posted), " << boxes << " boxes" << receiving;
    }
};

class LoggedInClient {
public:
    explicit LoggedInClient(const std::string& name) : dir(name), run(dir.Path()) {}
    ~LoggedInClient() { run.process.Kill(); }
    LoggedInClient(const LoggedInClient&) = delete;
    LoggedInClient& operator=(const LoggedInClient&) = delete;

    // Starts the server and the client as set up; success once the client's hook answers (and,
    // when it logs in, once the server has the login), else the step that failed and why.
    testing::AssertionResult Start(const ClientSetup& setup = {});
    // Logs in as "tester" through the connect dialog; success once the server has the login, once.
    testing::AssertionResult LogIn();
    // Main > Exit; true when it was taken and the program ended.
    bool Exit();

    // The bound of a wait for what must come: one a machine busy with other test programs meets
    // (a wait ends as soon as its condition holds, so only a failure takes this long).
    static constexpr uint32_t kComes = 60000;

    // Waits for a dump of the form that holds piece, or that pred holds on; the dump goes to last.
    bool Dump(const std::string& form, const std::string& piece, uint32_t timeoutMs = kComes);
    bool Dump(const std::string& form, const std::function<bool(const std::string&)>& pred, uint32_t timeoutMs = kComes);
    // Waits for the form to show.
    bool Shown(const std::string& form);
    // Presses a button of the message box that shows text; true once the box has gone (or a
    // box with another text has come).
    bool Answer(const std::string& text, const std::string& button);

    // How many times the server has received a frame that holds this JSON text.
    int Sent(const std::string& frame) const;
    // Waits until it has received it at all, or that many times.
    bool WaitSent(const std::string& frame, uint32_t timeoutMs = kComes) const;
    bool SentTimes(const std::string& frame, int times, uint32_t timeoutMs = kComes) const;
    // Sends frames, JSON arrays ("[...], [...]"), to the client.
    void Send(const std::string& frames) const;
    // Sends count frames taken in turn from frames, then "U", all at once, and plays the user
    // meanwhile: probes the client (ClientProbe) and clicks every message box away as it comes,
    // until 3 s after "U" is answered with "M" with no box left, or limitMs is up. The burst's
    // own frames should ask for no "M".
    BurstOutcome Burst(const std::string& framesJson, int count, uint32_t limitMs = 120000);
    // Clicks away the message box that shows (the client's own or the platform's plain one);
    // true once it has gone.
    bool ClickBoxAway();
    // The client's main window (null when it shows none).
    HWND MainWindow() const;
    // The text of a chat pane in a dump of the chat bar, its escapes undone (nothing when the
    // dump shows no such pane).
    static std::optional<std::string> PaneText(const std::string& chatBarDump, int pane);
    // What the count lines of the Game pane in a dump of the chat bar add up to: the lines "N
    // further message(s) of the server ..." (-1 when the dump shows no Game pane).
    static int64_t DivertedCount(const std::string& chatBarDump);
    // Forgets the frames received so far.
    void Clear() const;

    // Text helpers as members, apart from a test file's own of those names.
    static bool Has(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }
    static int Count(const std::string& text, const std::string& piece);
    // A value of an INI file ("" when it has none).
    static std::string IniValue(const std::string& file, const char* section, const char* key);
    std::string Game() const { return run.DatFile("Game.DAT"); }
    // How many error reports the client has written to its folder.
    int Reports() const;
    // Where the client's receiving side stands ("receiving: held=0 ..."), for a failure's message;
    // a client whose GUI thread is held up somewhere answers nothing, which is said as such.
    std::string Receiving() {
        const std::string state = hook.Ask("receiving");
        return "receiving: " + (state.empty() ? std::string("no answer (its GUI thread took no message for 10 s)") : state);
    }
    // Whether the scripted server holds a connection of the client.
    bool Connected() const { return Has(server.Command(R"({"cmd": "status"})"), R"("connected": true)"); }

    testsupport::ScratchDir dir;
    ClientRun run;
    testsupport::ScriptedServer server;
    testsupport::HookClient hook;
    std::string last;  // the last dump Dump read
};

// A web host of maps beside a client (tools/httpfiles.py): the maps it serves under /maps/ (those
// whose names begin with "silent" it takes the request for and never answers), and the paths
// asked of it, in order.
class MapHost {
public:
    explicit MapHost(const std::string& name) : served_(name) {}
    // Serves these maps, 22,500 characters each; success once the host has named its port.
    testing::AssertionResult Start(const std::vector<std::string>& maps);
    uint16_t Port() const { return port_; }
    // The Game.DAT [LASTSERVER] line that points the client's downloads at it.
    std::string MapUrlLine() const { return "MapURL=http://127.0.0.1:" + std::to_string(port_) + "/maps/\r\n"; }
    std::string Requests() const { return testsupport::ReadFileBytes(log_).value_or(""); }
    // Waits until the path has been asked for.
    bool Requested(const std::string& path) const;

private:
    testsupport::ScratchDir served_;
    std::string log_ = served_.File("requests.log");
    testsupport::ChildProcess web_;
    uint16_t port_ = 0;
};

// A test with a client of its own, in a scratch folder named after the test's suite; the test
// (or its SetUp) starts it.
class ClientTest : public ::testing::Test, public LoggedInClient {
protected:
    ClientTest();
};

}  // namespace clienttest
