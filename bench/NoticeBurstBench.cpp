// A long burst of game-end notices as a player meets it: 70,000 "M 11" frames and a closing "U"
// sent at once by the scripted server to the running client (logged in through its dialog),
// timed from the burst to the client's answer to "U" ("M"). Each notice writes its line into the
// Game pane and "General", which shows; a pane is emptied each time it reaches 32,768
// characters. The yardstick, in alternating rounds: the same lines appended into two bare hidden
// rich edit boxes of this program, emptied at the same length. Goal: the client through in two
// minutes. A round without the answer (in ten minutes), or whose shown pane does not end with the
// burst's last line, is counted apart; failed rounds and a missed goal make the exit code 1.
// BENCH_ROUNDS sets the rounds of each kind (3).
#include <windows.h>
#include <richedit.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "BenchClient.h"

namespace {

constexpr int kNotices = 70000;
constexpr double kGoalMs = 120000;
constexpr size_t kPaneLimit = 32768;
const std::string kLine = "The game has ended.";

struct Client : bench::BenchClient {
    Client() : BenchClient("bench-notices") {}

    // One burst; its time, or a negative one when it failed.
    double Round() {
        server.Command(R"({"cmd": "clear"})");
        const double t0 = bench::NowMs();
        server.Command(R"({"cmd": "burst", "frames": [["M", "11"]], "count": )" + std::to_string(kNotices) +
                       R"(, "then": [["U"]]})");
        if (!Answered(600000)) return -1;
        const double ms = bench::NowMs() - t0;
        const std::string dump = hook.Ask("dump frmChatBar");
        if (!bench::Has(testsupport::DumpLine(dump, "control 4000 txtStatus(0)"), kLine + R"(\r\nScreen Centered.\r\n" visible=1)")) {
            return -1;
        }
        hook.Ask("frmChatBar.txtStatus(0) key Delete shift");
        hook.Ask("frmChatBar.txtStatus(1) key Delete shift");
        return ms;
    }
};

// A bare rich edit box, hidden.
HWND BareBox() {
    LoadLibraryA("riched20.dll");
    return CreateWindowExA(0, RICHEDIT_CLASSA, "", WS_POPUP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                           0, 0, 400, 150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void Append(HWND box, const std::string& text) {
    GETTEXTLENGTHEX length{GTL_PRECISE | GTL_NUMCHARS, CP_ACP};
    LONG end = static_cast<LONG>(SendMessageA(box, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
    if (static_cast<size_t>(end) + text.size() >= kPaneLimit) SetWindowTextA(box, ""), end = 0;
    CHARRANGE caret{end, end};
    SendMessageA(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    SendMessageA(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(box, EM_SCROLLCARET, 0, 0);
}

// The time stamp and the line into each box, as the client writes each notice.
double Bare(HWND game, HWND general) {
    for (HWND box : {game, general}) SetWindowTextA(box, "");
    const double t0 = bench::NowMs();
    for (int i = 0; i < kNotices; ++i) {
        for (HWND box : {game, general}) {
            Append(box, "[12:00] ");
            Append(box, kLine + "\r\n");
        }
    }
    return bench::NowMs() - t0;
}

}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const char* roundsText = std::getenv("BENCH_ROUNDS");
    const int rounds = roundsText ? std::max(1, std::atoi(roundsText)) : 3;
    Client client;
    if (testing::AssertionResult started = client.Start(R"(["v", "95", "100", "False", "False"])"); !started) {
        std::printf("the client did not start: %s\n", started.message());
        return 1;
    }
    const HWND game = BareBox(), general = BareBox();
    std::vector<double> ours, bare;
    int failed = 0;
    for (int i = 0; i < 2 * rounds; ++i) {
        const bool clientRound = i % 2 == 0;
        const double ms = clientRound ? client.Round() : Bare(game, general);
        std::printf("round %d (%s): %.0f ms%s\n", i, clientRound ? "client" : "bare", ms, ms < 0 ? " FAILED" : "");
        if (ms < 0) ++failed;
        else (clientRound ? ours : bare).push_back(ms);
    }
    const double clientMs = bench::Median(ours), bareMs = bench::Median(bare);
    const bool met = !ours.empty() && clientMs <= kGoalMs;
    std::printf("%d game-end notices, %d alternating rounds each, medians:\n", kNotices, rounds);
    std::printf("  client, burst to the answer of its closing \"U\": %8.0f ms (goal <= %.0f) %s\n", clientMs, kGoalMs,
                met ? "ok" : "MISSED");
    std::printf("  bare hidden rich edit boxes:                      %8.0f ms\n", bareMs);
    std::printf("  client / bare: %.2f\n", bareMs > 0 ? clientMs / bareMs : 0);
    std::printf("  failed rounds: %d\n", failed);
    client.run.process.Kill();
    return failed || !met ? 1 : 0;
}
