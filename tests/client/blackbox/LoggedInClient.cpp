#include "LoggedInClient.h"

#include <cctype>
#include <regex>

#include "frmMain.h"

namespace clienttest {

using testsupport::PumpUntil;

std::string LoggedInClient::IniValue(const std::string& file, const char* section, const char* key) {
    char value[8192] = {};
    GetPrivateProfileStringA(section, key, "", value, sizeof value, file.c_str());
    return value;
}

std::string LoginReply(const std::string& level, const std::string& cash) {
    return R"(["v", ")" + level + R"(", ")" + cash + R"(", "False", "False"])";
}

testing::AssertionResult LoggedInClient::Start(const ClientSetup& setup) {
    if (setup.server) {
        if (testing::AssertionResult registered = testsupport::RegisterSocketControl(); !registered) return registered;
        if (testing::AssertionResult started = server.Start(setup.serverArgs); !started) return started;
        if (!setup.reply.empty()) server.Command(R"({"cmd": "script", "script": {"on": {"!": [)" + setup.reply + "]}}}");
    }
    const std::string lastServer =
        setup.server ? "[LASTSERVER]\r\nHost=127.0.0.1\r\nPort=" + std::to_string(server.GamePort()) + "\r\n" : "";
    if (!lastServer.empty() || !setup.game.empty()) testsupport::WriteFileBytes(Game(), lastServer + setup.game);
    if (!setup.buttons.empty()) testsupport::WriteFileBytes(run.DatFile("Buttons.DAT"), setup.buttons);
    // The pointer beside the client's windows (they keep to the screen's top left): where an
    // earlier test left it, an opened list could take the item under it for the one chosen.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    if (testing::AssertionResult started = run.Start(hook); !started) return started;
    return setup.logIn ? LogIn() : testing::AssertionSuccess();
}

testing::AssertionResult LoggedInClient::LogIn() {
    if (testing::AssertionResult clicked = LogInThroughTheDialog(hook); !clicked) return clicked;
    if (SentTimes(R"(["!", "tester", "secret1")", 1)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the server has the login " << Sent(R"(["!", "tester", "secret1")")
                                       << " times, not once; the client " << run.process.State();
}

bool LoggedInClient::Exit() {
    const bool taken = hook.Ask("menu mnuFileExit") == "ok";
    return run.process.Wait(20000) && taken;
}

bool LoggedInClient::Dump(const std::string& form, const std::string& piece, uint32_t timeoutMs) {
    return hook.WaitForDump(form, [&](const std::string& d) { return Has(d, piece); }, timeoutMs, &last);
}

bool LoggedInClient::Dump(const std::string& form, const std::function<bool(const std::string&)>& pred,
                          uint32_t timeoutMs) {
    return hook.WaitForDump(form, pred, timeoutMs, &last);
}

bool LoggedInClient::Shown(const std::string& form) {
    return Dump(form, [](const std::string& d) { return testsupport::DumpLineHas(d, "form", "visible=1"); });
}

bool LoggedInClient::Answer(const std::string& text, const std::string& button) {
    const std::string marker = " class=Button text=\"" + button + "\" visible=1";
    if (!Dump("frmMsgBox", [&](const std::string& d) { return Has(d, text) && Has(d, marker); })) return false;
    const size_t at = last.find(marker);
    const size_t id = last.rfind('#', at);
    if (hook.Ask("frmMsgBox." + last.substr(id, at - id) + " click") != "ok") return false;
    return Dump("frmMsgBox", [&](const std::string& d) { return !testsupport::DumpLineHas(d, "form", "visible=1") || !Has(d, text); });
}

BurstOutcome LoggedInClient::Burst(const std::string& framesJson, int count, uint32_t limitMs) {
    BurstOutcome out;
    Clear();
    const std::string sent = server.Command(R"({"cmd": "burst", "frames": [)" + framesJson +
                                            R"(], "count": )" + std::to_string(count) + R"(, "then": [["U"]]})");
    if (!Has(sent, "\"ok\": true")) return out;
    ClientProbe probe(MainWindow(), hook.Window());
    const DWORD start = GetTickCount();
    DWORD answeredAt = 0;
    for (bool clicked = false; GetTickCount() - start < limitMs;) {
        if (!out.answered && Sent(R"(["M", )") > 0) out.answered = true, answeredAt = GetTickCount();
        if (out.answered && !clicked && GetTickCount() - answeredAt >= 3000) break;
        // Each box as soon as it shows, as a user clicking them away would.
        clicked = ClickBoxAway();
        if (clicked) ++out.boxes;
        else testsupport::PumpFor(100);
    }
    out.gaps = probe.Stop();
    if (!out.answered) out.receiving = "; " + Receiving();
    return out;
}

bool LoggedInClient::ClickBoxAway() {
    const auto gone = [](HWND box) {
        return PumpUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, kComes);
    };
    if (HWND box = FindProcessWindow(run.process.Pid(), "SkirmexMsgBox", nullptr)) {
        const std::string dump = hook.Ask("dump frmMsgBox");
        const size_t at = dump.find(" class=Button text=\"");
        if (at == std::string::npos) return false;
        const size_t id = dump.rfind('#', at);
        return hook.Ask("frmMsgBox." + dump.substr(id, at - id) + " click") == "ok" && gone(box);
    }
    // The platform's plain box (a dialog with an OK button).
    if (HWND plain = FindProcessWindow(run.process.Pid(), "#32770", nullptr)) {
        if (HWND ok = FindChild(plain, "Button", "OK")) {
            PostMessageA(plain, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ok), BN_CLICKED), reinterpret_cast<LPARAM>(ok));
            return gone(plain);
        }
    }
    return false;
}

HWND LoggedInClient::MainWindow() const {
    return FindProcessWindow(run.process.Pid(), skx::MainWindowClassName(), nullptr);
}

std::optional<std::string> LoggedInClient::PaneText(const std::string& chatBarDump, int pane) {
    const size_t line = chatBarDump.find(" txtStatus(" + std::to_string(pane) + ") ");
    const size_t open = line == std::string::npos ? line : chatBarDump.find(" text=\"", line);
    if (open == std::string::npos || open > chatBarDump.find('\n', line)) return std::nullopt;
    std::string text;
    for (size_t i = open + 7; i < chatBarDump.size() && chatBarDump[i] != '"'; ++i) {
        if (chatBarDump[i] != '\\' || i + 1 >= chatBarDump.size()) {
            text += chatBarDump[i];
        } else if (chatBarDump[++i] == 'x') {
            text += static_cast<char>(std::stoi(chatBarDump.substr(i + 1, 2), nullptr, 16)), i += 2;
        } else {
            text += chatBarDump[i] == 'r' ? '\r' : chatBarDump[i] == 'n' ? '\n' : chatBarDump[i];
        }
    }
    return text;
}

int64_t LoggedInClient::DivertedCount(const std::string& chatBarDump) {
    const std::optional<std::string> pane = PaneText(chatBarDump, 1);  // the Game pane
    if (!pane) return -1;
    static const std::regex count(R"((\d+) further message)");
    int64_t sum = 0;
    for (std::sregex_iterator m(pane->begin(), pane->end(), count), end; m != end; ++m) sum += std::stoll((*m)[1]);
    return sum;
}

int LoggedInClient::Count(const std::string& text, const std::string& piece) {
    int n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
    return n;
}

int LoggedInClient::Sent(const std::string& frame) const { return Count(server.Frames(), frame); }

bool LoggedInClient::WaitSent(const std::string& frame, uint32_t timeoutMs) const {
    return PumpUntil([&] { return Sent(frame) > 0; }, timeoutMs);
}

bool LoggedInClient::SentTimes(const std::string& frame, int times, uint32_t timeoutMs) const {
    return PumpUntil([&] { return Sent(frame) == times; }, timeoutMs);
}

void LoggedInClient::Send(const std::string& frames) const {
    server.Command(R"({"cmd": "send", "frames": [)" + frames + "]}");
}

void LoggedInClient::Clear() const { server.Command(R"({"cmd": "clear"})"); }

int LoggedInClient::Reports() const {
    WIN32_FIND_DATAA found{};
    HANDLE h = FindFirstFileA(dir.File("*.log").c_str(), &found);
    int n = 0;
    for (bool more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &found)) ++n;
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    return n;
}

testing::AssertionResult MapHost::Start(const std::vector<std::string>& maps) {
    for (const std::string& name : maps) {
        if (!testsupport::WriteFileBytes(served_.File(name + ".map"), std::string(22500, '.'))) {
            return testing::AssertionFailure() << "the map " << name << " could not be written";
        }
    }
    port_ = testsupport::StartPythonServer(web_, "tools/httpfiles.py", "--root " + testsupport::UnixPath(served_.Path()) +
                                                                         " --log " + testsupport::UnixPath(log_));
    if (port_) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the web host of maps (tools/httpfiles.py) named no port";
}

bool MapHost::Requested(const std::string& path) const {
    return PumpUntil([&] { return LoggedInClient::Has(Requests(), path + "\n"); }, LoggedInClient::kComes);
}

namespace {
std::string SuiteFolder() {
    std::string name = "blackbox-";
    for (char c : std::string(::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name())) {
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}
}  // namespace

ClientTest::ClientTest() : LoggedInClient(SuiteFolder()) {}

}  // namespace clienttest
