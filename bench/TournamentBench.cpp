// The tournament console's teams refilled from the server's reply, as the frame timer's
// dispatch runs it: 50 teams of 10 members into the four team trees of the shown console
// (target: 100 ms).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "AccountState.h"
#include "ProtocolSeparators.h"
#include "frmTournament.h"
#include "modEvents.h"

using Clock = std::chrono::steady_clock;

int main() {
    skx::LoadControlClasses();
    skx::SetProtocolSeparators();
    skx::AccessLevel = 95;
    std::string reply = "1";
    for (int t = 0; t < 50; ++t) {
        reply += '\0' + ("Team " + std::to_string(t)) + ":" + std::to_string(t % 7) + ":" + std::to_string(t % 5) + ":";
        for (int m = 0; m < 10; ++m) reply += (m ? "~" : "") + ("player" + std::to_string(t * 10 + m));
    }
    reply += '\0';
    skx::frmTournament().Show();
    constexpr int runs = 20;
    double best = 1e9, total = 0, worst = 0;
    for (int i = 0; i < runs; ++i) {
        std::string data = reply;
        const auto t0 = Clock::now();
        skx::EventUT(data);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        best = std::min(best, ms);
        worst = std::max(worst, ms);
        total += ms;
    }
    std::printf("EventUT, 50 teams of 10 into four trees: %.2f ms mean, %.2f ms best, %.2f ms worst (%d runs, %d nodes a tree)\n",
                total / runs, best, worst, runs, skx::frmTournament().trvTeams(4).Count());
    return 0;
}
