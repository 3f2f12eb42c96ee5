// Start-up and end of the client against two bare programs under the same Wine, in alternating
// rounds (the order of the three turns with each round):
// - the bare window program (bench_barewindow): one window, its message loop;
// - the bare Direct3D 8 program (bench_bared3d): one window, its windowed device, one clear and
//   present: the floor under any client that makes its device at start;
// - Skirmex, started as its user starts it (no test hook), from a scratch program folder with
//   the first run and the tip of the day switched off, as a user's second start would.
// Each is timed from CreateProcess to usable as its user meets it, from outside: its main window
// shown and enabled, and answering every message sent to it (one each 20 ms) within 100 ms for
// an unbroken half second (the time is that of the first answer of that half second). A window
// that answers between steps of a longer start-up (as a progress display lets it) is not yet
// usable: the next step breaks the run. For the client also: from CreateProcess to its main
// window first shown, and, in a run of its own with the test hook (once usable as above), from
// File > Exit to the end of its process. The first round warms Wine's caches and is not counted; a round that fails
// (nothing within 30 s, or a bare program that ends with an error) is counted apart, left out of
// the figures, and makes the benchmark end with 1.
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
constexpr double kSteadyMs = 500;
constexpr UINT kAnswerMs = 100;

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
            std::printf("%-56s %9s %9s %9s %7d\n", what, "-", "-", "-", failed);
            return;
        }
        std::printf("%-56s %9.0f %9.0f %9.0f %7d\n", what, Median(), *std::min_element(ms.begin(), ms.end()),
                    *std::max_element(ms.begin(), ms.end()), failed);
    }
};

// True when the window handled a message sent to it within the time.
bool Answers(HWND window) {
    DWORD_PTR result = 0;
    return window && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerMs, &result) != 0;
}

// What one start gave: the time to the window first shown and to usable (nothing when not
// within the limit), and the window.
struct Started {
    std::optional<double> shown, usable;
    HWND window = nullptr;
};

// Waits, without handing out time to this thread's messages, for the process's visible window
// of that class to be usable (see the top of this file); times from t0.
Started WaitUsable(Process& p, const char* windowClass, double t0) {
    Started s;
    double steadySince = -1;
    while (bench::NowMs() - t0 < kLimitMs && p.Running()) {
        const HWND w = FindProcessWindow(p.Pid(), windowClass, nullptr);
        if (w && !s.shown) s.shown = bench::NowMs() - t0;
        const bool answered = w && IsWindowEnabled(w) && Answers(w);
        const double now = bench::NowMs();
        if (!answered) {
            steadySince = -1;
        } else if (steadySince < 0) {
            steadySince = now;
        } else if (now - steadySince >= kSteadyMs) {
            s.usable = steadySince - t0;
            s.window = w;
            return s;
        }
        Sleep(w ? 20 : 1);
    }
    return s;
}

// A bare program: milliseconds from its start to usable; nothing when it was not, or when it
// ended with an error once its window was closed.
std::optional<double> BareProgram(const std::string& exe, const char* windowClass) {
    Process p;
    const double t0 = bench::NowMs();
    if (!p.Start(exe)) return std::nullopt;
    const Started s = WaitUsable(p, windowClass, t0);
    if (s.window) PostMessageA(s.window, WM_CLOSE, 0, 0);
    DWORD code = 1;
    const bool ended = p.Wait(10000, &code);
    if (!ended) p.Kill();
    if (!ended || code != 0) return std::nullopt;
    return s.usable;
}

// The client, started as its user starts it: milliseconds from its start to its main window
// shown and to usable.
Started Client(const std::string& exe, const std::string& folder) {
    Process p;
    const double t0 = bench::NowMs();
    Started s;
    if (p.Start(exe, folder)) s = WaitUsable(p, skx::MainWindowClass, t0);
    p.Kill();
    return s;
}

// The client once usable: milliseconds from File > Exit to the end of its process. Under Wine a
// menu is not readable from another process, so the item is clicked through the test hook,
// which posts the menu's command as a click does.
std::optional<double> ClientExit(const std::string& exe, const std::string& folder) {
    Process p;
    testsupport::HookClient hook;
    std::optional<double> ended;
    if (p.Start(exe + " --test-hook", folder) && WaitUsable(p, skx::MainWindowClass, bench::NowMs()).usable &&
        hook.Attach(p.Pid(), 10000)) {
        const double t1 = bench::NowMs();
        if (hook.Ask("menu mnuFileExit") == "ok" && p.Wait(20000)) ended = bench::NowMs() - t1;
    }
    p.Kill();
    return ended;
}

}  // namespace

int main() {
    if (!testsupport::RegisterSocketControl()) {
        std::printf("the socket control is not registered\n");
        return 1;
    }
    const std::string bin = testsupport::ProgramFolder();
    testsupport::ScratchDir dir("bench-startexit");
    ClientRun run(dir.Path());
    testsupport::WriteFileBytes(run.DatFile("Game.DAT"), "[Options]\r\nTimeStamp=True\r\n");
    const std::string exe = "\"" + dir.File("Skirmex.exe") + "\"";
    const std::string bareExe = "\"" + bin + "\\bench_barewindow.exe\"";
    const std::string d3dExe = "\"" + bin + "\\bench_bared3d.exe\"";
    char wanted[16] = {};
    GetEnvironmentVariableA("BENCH_ROUNDS", wanted, sizeof wanted);
    const int rounds = wanted[0] ? std::max(2, std::atoi(wanted)) : 10;
    Series bare{"bare window program: start to usable"};
    Series d3d{"bare Direct3D 8 program: start to usable"};
    Series usable{"Skirmex: start to usable"};
    Series shown{"Skirmex: start to main window shown"};
    Series exit{"Skirmex: File > Exit to process end"};
    for (int round = 0; round < rounds; ++round) {
        std::optional<double> b, d;
        Started c;
        for (int k = 0; k < 3; ++k) {
            switch ((round + k) % 3) {
                case 0: b = BareProgram(bareExe, "BareWindow"); break;
                case 1: d = BareProgram(d3dExe, "BareDirect3D"); break;
                default: c = Client(exe, dir.Path()); break;
            }
        }
        const std::optional<double> e = ClientExit(exe, dir.Path());
        if (round == 0) continue;  // the first round warms Wine's caches
        bare.Add(b), d3d.Add(d), usable.Add(c.usable), shown.Add(c.shown), exit.Add(e);
    }
    std::printf("%-56s %9s %9s %9s %7s\n", ("(" + std::to_string(rounds - 1) + " rounds, ms)").c_str(), "median", "min",
                "max", "failed");
    int failed = 0;
    for (const Series* s : {&bare, &d3d, &usable, &shown, &exit}) {
        s->Print();
        failed += s->failed;
    }
    if (!d3d.ms.empty() && !usable.ms.empty()) {
        std::printf("client usable above the Direct3D floor: %.0f ms (%.2f times)\n", usable.Median() - d3d.Median(),
                    usable.Median() / d3d.Median());
    }
    if (!bare.ms.empty() && !usable.ms.empty()) {
        std::printf("client usable against the bare window program: %.2f times (goal: at most 2)\n",
                    usable.Median() / bare.Median());
    }
    if (failed) std::printf("%d measurements failed\n", failed);
    return failed ? 1 : 0;
}
