// Chat lines as a player meets them: 1,000 lines of one kind ("c" frames) and a closing "U", sent
// at once by the scripted server to the running client, timed to the client's answer to "U"
// ("M"): through the control's read event, the receive turns and the client's handlers. Kinds 0
// (Public Chat), 2 (a tell, Private) and 9 (Wizard): each line a name piece and a text piece in
// its pane, both echoed into "General", which shows: four appends a line. Each kind has rounds
// after the login has settled and rounds whose lines come right behind the answer to the first
// login of a client just started, while it settles (timed from the dialog's Connect). The yardstick, in alternating rounds: the same
// four appends a line into two bare hidden rich edit boxes of this program. Goal: every client
// round within 3 times the yardstick's median. A round without the answer (in two minutes), or
// whose pane does not end with its last line, is counted apart; failed rounds and a missed goal
// make the exit code 1. BENCH_ROUNDS sets the rounds of each kind (3).
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "BenchClient.h"
#include "BenchClock.h"

namespace {

constexpr int kLines = 1000;
constexpr double kGoal = 3;
constexpr uint32_t kAnswerMs = 120000;
constexpr DWORD kSettleMs = 5000;
const std::string kAccount = R"(["v", "95", "100", "False", "False"])";

struct Kind {
    int number;
    int pane;
    const char* said;  // what the name piece holds after the name
};
constexpr Kind kKinds[] = {{0, 2, " chats: "}, {2, 3, " tells you: "}, {9, 5, " wizs: "}};

std::string Sender(int i) { return "player" + std::to_string(i % 40); }
std::string Said(int i) { return "hello there, this is round " + std::to_string(i) + " of the chat"; }

std::string Lines(const Kind& kind) {
    std::string frames;
    for (int i = 0; i < kLines; ++i) {
        frames += R"(["c", ")" + Sender(i) + R"(", ")" + Said(i) + R"(", ")" + std::to_string(kind.number) + R"("], )";
    }
    return frames + R"(["U"])";
}

// A client just started, for one round of each way.
struct Client : bench::BenchClient {
    Client() : BenchClient("bench-chat-lines") {}

    // The pane ends with the last line, and the panes are emptied for the next round.
    bool Drawn(const Kind& kind) {
        const std::string dump = hook.Ask("dump frmChatBar");
        const std::string line = testsupport::DumpLine(
            dump, "control " + std::to_string(4000 + kind.pane) + " txtStatus(" + std::to_string(kind.pane) + ")");
        const bool ok = bench::Has(line, Said(kLines - 1) + R"(\r\n")");
        for (int p : {0, kind.pane}) hook.Ask("frmChatBar.txtStatus(" + std::to_string(p) + ") key Delete shift");
        return ok;
    }
    // The lines right behind the answer to the client's first login, timed from the dialog's
    // Connect.
    double Settling(const Kind& kind) {
        if (!Launch(kAccount + ", " + Lines(kind))) return -1;
        if (!clienttest::LogInThroughTheDialog(hook)) return -1;
        const double t0 = bench::NowMs();
        const bool answered = Answered(kAnswerMs);
        const double ms = bench::NowMs() - t0;
        AnswerLoginWith(kAccount);
        return answered && Drawn(kind) ? ms : -1;
    }
    // The lines once the login has settled: sent a while after it.
    double Settled(const Kind& kind) {
        Sleep(kSettleMs);
        server.Command(R"({"cmd": "clear"})");
        const double t0 = bench::NowMs();
        server.Command(R"({"cmd": "burst", "frames": [)" + Lines(kind) + "]}");
        if (!Answered(kAnswerMs)) return -1;
        const double ms = bench::NowMs() - t0;
        return Drawn(kind) ? ms : -1;
    }
};

// A bare rich edit box, hidden.
HWND BareBox() {
    LoadLibraryA("riched20.dll");
    return CreateWindowExA(0, RICHEDIT_CLASSA, "", WS_POPUP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                           0, 0, 400, 150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void Append(HWND box, const std::string& text, COLORREF colour) {
    GETTEXTLENGTHEX length{GTL_PRECISE | GTL_NUMCHARS, CP_ACP};
    const LONG end = static_cast<LONG>(SendMessageA(box, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
    CHARRANGE caret{end, end};
    SendMessageA(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = colour;
    SendMessageA(box, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    SendMessageA(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(box, EM_SCROLLCARET, 0, 0);
}

double Bare(HWND pane, HWND echo, const Kind& kind) {
    for (HWND box : {pane, echo}) SetWindowTextA(box, "");
    const double t0 = bench::NowMs();
    for (int i = 0; i < kLines; ++i) {
        const std::string name = Sender(i) + kind.said, said = Said(i) + "\r\n";
        for (HWND box : {pane, echo}) {
            Append(box, name, RGB(0, 0, 128));
            Append(box, said, RGB(0, 0, 255));
        }
    }
    return bench::NowMs() - t0;
}

}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const char* roundsText = std::getenv("BENCH_ROUNDS");
    const int rounds = roundsText ? std::max(1, std::atoi(roundsText)) : 3;
    const HWND pane = BareBox(), echo = BareBox();
    int failed = 0, missed = 0;
    for (const Kind& kind : kKinds) {
        std::vector<double> settled, settling, bare;
        for (int i = 0; i < rounds; ++i) {
            const auto client = std::make_unique<Client>();
            for (int step = 0; step < 3; ++step) {
                const double ms = step == 0 ? client->Settling(kind) : step == 1 ? client->Settled(kind) : Bare(pane, echo, kind);
                if (step == 1) client->run.process.Kill();
                const char* what = step == 0 ? "settling" : step == 1 ? "settled" : "bare";
                std::printf("kind %d round %d (%s): %.0f ms%s\n", kind.number, i, what, ms, ms < 0 ? " FAILED" : "");
                if (ms < 0) ++failed;
                else (step == 0 ? settling : step == 1 ? settled : bare).push_back(ms);
            }
        }
        const double yardstick = bench::Median(bare);
        std::printf("kind %d, %d lines, %d alternating rounds each; bare hidden rich edit boxes: %.0f ms (median)\n",
                    kind.number, kLines, rounds, yardstick);
        for (const auto& [name, times] : {std::pair{"after the login", &settled}, std::pair{"during the login", &settling}}) {
            int over = 0;
            for (double ms : *times) over += ms > kGoal * yardstick;
            missed += over;
            std::printf("  client %-16s median %6.0f ms = %.2f x bare, worst %.2f x (goal <= %.0f): %d rounds over\n", name,
                        bench::Median(*times), yardstick > 0 ? bench::Median(*times) / yardstick : 0,
                        yardstick > 0 && !times->empty() ? *std::max_element(times->begin(), times->end()) / yardstick : 0,
                        kGoal, over);
        }
    }
    std::printf("failed rounds: %d, rounds over the goal: %d\n", failed, missed);
    return failed || missed ? 1 : 0;
}
