// A busy arena as a player meets it: the scripted server offers the running client (logged in
// through its dialog) 150 frames a second for ten minutes (BENCH_SECONDS), a mix of other players'
// moves ("E"), cleared squares ("C"), chat of kinds 0 to 3 ("c"), who lists of 1 to 40 players
// ("w", a tenth of the frames) and vote tallies ("n"), with a probe ("U", which the client answers
// with its view, "M") every ten seconds. Each probe's answer is timed from when it was offered.
// Goal: every probe answered within 10 s of the stream's end. Missed probes and a missed goal
// make the exit code 1.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchClient.h"
#include "BenchClock.h"

namespace {

constexpr double kPeriod = 10;        // seconds of one round of the mix, one probe in it
constexpr int kEvents = 100;          // each round's sends, 0.1 s apart
constexpr double kAfterEndMs = 10000;  // the goal: every answer this soon after the stream's end

std::string Q(const std::string& text) { return "\"" + text + "\""; }
std::string N(int n) { return std::to_string(n); }

// A who list of that many players.
std::string Who(int players) {
    std::string list;
    for (int i = 0; i < players; ++i) {
        list += (i ? ";" : "") + std::string("runner") + N(i) + ":" + N(10 + i) + ":" + N(i % 30) + ":Playing:Red:2:0";
    }
    return "[\"w\", " + Q(list) + "]";
}

// One round of the mix, as timeline events: 15 frames every 0.1 s, the probe at its end.
std::string Round() {
    std::string events;
    for (int e = 0; e < kEvents; ++e) {
        std::vector<std::string> frames;
        for (int m = 0; m < 7; ++m) {
            frames.push_back("[\"E\", " + Q(N((e * 7 + m) % 150)) + ", " + Q(N((e * 3 + m * 11) % 150)) + ", " +
                             Q(N(2 + m)) + ", \"25\"]");
        }
        for (int c = 0; c < 2 + e % 2; ++c) frames.push_back("[\"C\", " + Q(N((e + c * 40) % 150)) + ", " + Q(N(e % 150)) + ", \"0\"]");
        for (int k = 0; k < 3; ++k) {
            frames.push_back("[\"c\", \"runner" + N(k) + "\", \"on my way to the flag, round " + N(e) + "\", " +
                             Q(N((e * 3 + k) % 4)) + "]");
        }
        for (int w = 0; w < 1 + e % 2; ++w) frames.push_back(Who(1 + (e * 2 + w) % 40));
        frames.push_back("[\"n\", \"Survival:" + N(e % 9) + ";Capture The Flag:5;Hunt:1;Invaders:0\"]");
        if (e == kEvents - 1) frames.push_back("[\"U\"]");
        std::string event = "[" + std::to_string(e * kPeriod / kEvents);
        for (const std::string& f : frames) event += ", " + f;
        events += (e ? ", " : "") + event + "]";
    }
    return events;
}

int Probes(const std::string& frames) {
    int n = 0;
    for (size_t at = frames.find(R"(["M", )"); at != std::string::npos; at = frames.find(R"(["M", )", at + 1)) ++n;
    return n;
}

}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const char* secondsText = std::getenv("BENCH_SECONDS");
    const double seconds = secondsText ? std::max(10.0, std::atof(secondsText)) : 600;
    const int probes = static_cast<int>(seconds / kPeriod);
    bench::BenchClient client("bench-busy-arena");
    if (testing::AssertionResult launched = client.Launch(R"(["v", "95", "100", "False", "False"])"); !launched) {
        std::printf("the client did not start: %s\n", launched.message());
        return 1;
    }
    client.server.Command(R"({"cmd": "script", "script": {"on": {"!": [["v", "95", "100", "False", "False"]]}, )"
                          R"("timeline": {"loop": {"period": )" + std::to_string(kPeriod) + R"(, "until": )" +
                          std::to_string(seconds) + R"(, "events": [)" + Round() + "]}}}}");
    if (testing::AssertionResult in = client.LogIn(); !in) {
        std::printf("the login failed: %s\n", in.message());
        return 1;
    }
    // The stream begins with the login; probe p is offered at its round's end.
    const double start = bench::NowMs();
    const double end = start + seconds * 1000;
    std::vector<double> lag;
    while (static_cast<int>(lag.size()) < probes && bench::NowMs() < end + kAfterEndMs) {
        const int answered = Probes(client.server.Frames());
        while (static_cast<int>(lag.size()) < std::min(answered, probes)) {
            const double offered = start + (lag.size() + 1) * kPeriod * 1000;
            lag.push_back(bench::NowMs() - offered);
        }
        Sleep(250);
    }
    double worst = 0;
    for (double l : lag) worst = std::max(worst, l);
    const double lastAnswer = lag.size() == static_cast<size_t>(probes) ? start + probes * kPeriod * 1000 + lag.back() : 0;
    const bool met = lag.size() == static_cast<size_t>(probes) && lastAnswer <= end + kAfterEndMs;
    std::printf("%.0f s of 150 frames a second, %d probes: %zu answered, the longest %.1f s after it was offered\n",
                seconds, probes, lag.size(), worst / 1000);
    std::printf("  the last answer %.1f s after the stream's end (goal <= %.0f s) %s\n",
                lastAnswer ? (lastAnswer - end) / 1000 : -1.0, kAfterEndMs / 1000, met ? "ok" : "MISSED");
    client.run.process.Kill();
    return met ? 0 : 1;
}
