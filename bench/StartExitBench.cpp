// Start-up and end of the client against a bare Win32 window program under the same Wine, in
// alternating rounds (which of the two starts first alternates too):
// - the bare program: from CreateProcess to its window shown and answering a message;
// - Skirmex: from CreateProcess to the client usable, that is its start-up work done (the frame
//   timer, which start-up enables last, running) and its main window answering a message. The
//   client shows no login dialog of its own: the user opens it from the usable main window. The
//   client is asked through its test hook, which it answers whenever it handles messages: first
//   for one menu item, a small answer, until the settings that start-up reads late have come
//   (Game.DAT turns the time stamp on), then for the main window's dump (some 15 ms of the
//   client's time, charged to it) until the frame timer runs;
// - Skirmex without the hook: from CreateProcess to its main window shown (which it is early in
//   its start-up, before the work a user waits for), for comparison;
// - Skirmex: from File > Exit, while disconnected, to the end of its process.
// The client runs from a scratch program folder with the first run and the tip of the day
// switched off, as a user's second start would. The first round warms Wine's caches and is not
// counted; a round that fails (nothing within 30 s) is counted apart and left out of the figures.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "ClientProcess.h"
#include "HookClient.h"
#include "ScriptedServer.h"
#include "WinTestSupport.h"
#include "frmMain.h"

using namespace clienttest;

namespace {

constexpr double kLimitMs = 30000;

// The figures of one measurement over the rounds, failed rounds apart.
struct Series {
    explicit Series(const char* name) : what(name) {}
    const char* what;
    std::vector<double> ms;
    int failed = 0;
    void Add(std::optional<double> t) {
        if (t) {
            ms.push_back(*t);
        } else {
            ++failed;
        }
    }
    double Median() const {
        std::vector<double> v = ms;
        std::sort(v.begin(), v.end());
        const size_t n = v.size();
        return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    }
    void Print() const {
        if (ms.empty()) {
            std::printf("%-52s %9s %9s %9s %7d\n", what, "-", "-", "-", failed);
            return;
        }
        std::printf("%-52s %9.0f %9.0f %9.0f %7d\n", what, Median(), *std::min_element(ms.begin(), ms.end()),
                    *std::max_element(ms.begin(), ms.end()), failed);
    }
};

// True once the window handles a message sent to it (its thread is in its message loop).
bool Answers(HWND window) {
    DWORD_PTR result = 0;
    return window && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 100, &result) != 0;
}

// Waits, without handing out time to this thread's messages, for a visible window of the
// process with that class; null after the limit.
HWND WindowOf(const Process& p, const char* windowClass, double t0) {
    HWND found = nullptr;
    while (!(found = FindProcessWindow(p.Pid(), windowClass, nullptr))) {
        if (bench::NowMs() - t0 > kLimitMs) return nullptr;
        Sleep(1);
    }
    return found;
}

// The bare program: milliseconds from its start to its window answering.
std::optional<double> BareProgram(const std::string& exe) {
    Process p;
    const double t0 = bench::NowMs();
    if (!p.Start(exe)) return std::nullopt;
    HWND window = WindowOf(p, "BareWindow", t0);
    while (window && !Answers(window)) {
        if (bench::NowMs() - t0 > kLimitMs) window = nullptr;
    }
    const double t = bench::NowMs() - t0;
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (!p.Wait(10000)) p.Kill();
    if (!window) return std::nullopt;
    return t;
}

// The client without its hook: milliseconds from its start to its main window shown.
std::optional<double> ClientWindowShown(const std::string& exe, const std::string& folder) {
    Process p;
    const double t0 = bench::NowMs();
    if (!p.Start(exe, folder)) return std::nullopt;
    const bool shown = WindowOf(p, skx::MainWindowClass, t0) != nullptr;
    const double t = bench::NowMs() - t0;
    p.Kill();
    if (!shown) return std::nullopt;
    return t;
}

// The client with its hook: milliseconds from its start to its start-up done and its main
// window answering; then the milliseconds from File > Exit to the end of its process.
struct UsableAndExit {
    std::optional<double> usable, exit;
};
UsableAndExit ClientUsableAndExit(const std::string& exe, const std::string& folder) {
    Process p;
    testsupport::HookClient hook;
    const double t0 = bench::NowMs();
    std::optional<double> ready;
    if (p.Start(exe + " --test-hook", folder) && WindowOf(p, skx::MainWindowClass, t0)) {
        bool attached = false, settingsRead = false;
        while (!ready && bench::NowMs() - t0 < kLimitMs) {
            if (!attached) {
                attached = hook.Attach(p.Pid(), 0);
                if (!attached) Sleep(1);
                continue;
            }
            // The hook answers on the client's thread: a dump taken between two steps of the
            // start-up still shows the frame timer off. A pause between questions lets the
            // client's own message handling go on.
            if (!settingsRead) {
                settingsRead = hook.Ask("dump mnuDisplayTimeStamp").find("checked=1") != std::string::npos;
            } else if (hook.Ask("dump frmMain").find("timer DXTimer enabled=1") != std::string::npos) {
                ready = bench::NowMs() - t0;
            }
            if (!ready) Sleep(1);
        }
    }
    std::optional<double> ended;
    if (ready) {
        testsupport::PumpFor(500);
        const double t1 = bench::NowMs();
        hook.Ask("menu mnuFileExit");
        if (p.Wait(20000)) ended = bench::NowMs() - t1;
    }
    p.Kill();
    return {ready, ended};
}

}  // namespace

int main() {
    if (!testsupport::RegisterSocketControl()) std::printf("the socket control is not registered\n");
    const std::string bin = testsupport::ProgramFolder();
    testsupport::ScratchDir dir("bench-startexit");
    ClientRun run(dir.Path());
    testsupport::WriteFileBytes(run.DatFile("Game.DAT"), "[Options]\r\nTimeStamp=True\r\n");
    const std::string exe = "\"" + dir.File("Skirmex.exe") + "\"";
    const std::string bareExe = "\"" + bin + "\\bench_barewindow.exe\"";
    char wanted[16] = {};
    GetEnvironmentVariableA("BENCH_ROUNDS", wanted, sizeof wanted);
    const int rounds = wanted[0] ? std::max(2, std::atoi(wanted)) : 10;
    Series bare{"bare window program: start to window answering"};
    Series usable{"Skirmex: start to usable (start-up done, answering)"};
    Series shown{"Skirmex without hook: start to main window shown"};
    Series exit{"Skirmex: File > Exit to process end"};
    for (int round = 0; round < rounds; ++round) {
        std::optional<double> b;
        if (round % 2 == 0) b = BareProgram(bareExe);
        const UsableAndExit c = ClientUsableAndExit(exe, dir.Path());
        if (round % 2 == 1) b = BareProgram(bareExe);
        const std::optional<double> s = ClientWindowShown(exe, dir.Path());
        if (round == 0) continue;  // the first round warms Wine's caches
        bare.Add(b), usable.Add(c.usable), shown.Add(s), exit.Add(c.exit);
    }
    std::printf("%-52s %9s %9s %9s %7s\n", ("(" + std::to_string(rounds - 1) + " rounds, ms)").c_str(), "median", "min",
                "max", "failed");
    for (const Series* s : {&bare, &usable, &shown, &exit}) s->Print();
    if (!bare.ms.empty() && !usable.ms.empty()) {
        std::printf("client usable against the bare program: %.2f times (goal: at most 2)\n", usable.Median() / bare.Median());
    }
    return 0;
}
