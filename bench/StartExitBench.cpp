// Start-up and end of the client against a bare Win32 window program under the same Wine:
// the time from CreateProcess to a visible main window (the bare program's and Skirmex's, in
// turns, 9 rounds), and the time from File > Exit, while disconnected, to the end of the
// client's process. The client runs from a scratch program folder with the first run and the
// tip of the day switched off, as a user's second start would.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
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

// Milliseconds from the start of the command line to a visible window of that class.
double TimeToWindow(Process& p, const std::string& commandLine, const std::string& folder, const char* windowClass) {
    const double t0 = bench::NowMs();
    if (!p.Start(commandLine, folder)) return -1;
    while (!FindProcessWindow(p.Pid(), windowClass, nullptr)) {
        if (bench::NowMs() - t0 > 30000) return -1;
        Sleep(1);
    }
    return bench::NowMs() - t0;
}

struct Figures {
    double median, min, max;
};
Figures Of(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v.front(), v.back()};
}

}  // namespace

int main() {
    if (!testsupport::RegisterSocketControl()) std::printf("the socket control is not registered\n");
    const std::string bin = testsupport::ProgramFolder();
    testsupport::ScratchDir dir("bench-startexit");
    ClientRun run(dir.Path());
    const std::string exe = "\"" + dir.File("Skirmex.exe") + "\"";
    std::vector<double> bare, client, hooked, exit;
    char wanted[16] = {};
    GetEnvironmentVariableA("BENCH_ROUNDS", wanted, sizeof wanted);
    const int rounds = wanted[0] ? std::max(2, std::atoi(wanted)) : 10;
    for (int round = 0; round < rounds; ++round) {
        Process b;
        const double tb = TimeToWindow(b, "\"" + bin + "\\bench_barewindow.exe\"", {}, "BareWindow");
        PostMessageA(FindProcessWindow(b.Pid(), "BareWindow", nullptr), WM_CLOSE, 0, 0);
        b.Wait(10000);
        Process c;
        const double tc = TimeToWindow(c, exe, dir.Path(), skx::MainWindowClass);
        c.Kill();
        // With the hook, to reach File > Exit once the start-up has ended.
        testsupport::HookClient hook;
        const double th = TimeToWindow(run.process, exe + " --test-hook", dir.Path(), skx::MainWindowClass);
        double te = -1;
        if (hook.Attach(run.process.Pid(), 20000) &&
            hook.WaitForDump("frmMain", [](const std::string& d) { return d.find("timer DXTimer enabled=1") != std::string::npos; }, 20000)) {
            testsupport::PumpFor(500);
            const double t0 = bench::NowMs();
            hook.Ask("menu mnuFileExit");
            if (run.process.Wait(20000)) te = bench::NowMs() - t0;
        }
        run.process.Kill();
        if (round == 0) continue;  // the first round warms Wine's caches
        bare.push_back(tb), client.push_back(tc), hooked.push_back(th), exit.push_back(te);
    }
    const Figures fb = Of(bare), fc = Of(client), fh = Of(hooked), fe = Of(exit);
    std::printf("%-44s %9s %9s %9s\n", ("(" + std::to_string(rounds - 1) + " rounds, ms)").c_str(), "median", "min", "max");
    std::printf("%-44s %9.0f %9.0f %9.0f\n", "bare window program: start to window", fb.median, fb.min, fb.max);
    std::printf("%-44s %9.0f %9.0f %9.0f\n", "Skirmex: start to main window", fc.median, fc.min, fc.max);
    std::printf("%-44s %9.0f %9.0f %9.0f\n", "Skirmex --test-hook: start to main window", fh.median, fh.min, fh.max);
    std::printf("%-44s %9.0f %9.0f %9.0f\n", "Skirmex: File > Exit to process end", fe.median, fe.min, fe.max);
    std::printf("start-up against the bare program: %.2f times\n", fc.median / fb.median);
    return 0;
}
