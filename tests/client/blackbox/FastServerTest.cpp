// A server faster than the client: ordinary arena traffic offered for a minute as fast as the
// connection takes it. The client holds the server back instead of cutting it off.
#include "ClientProbe.h"
#include "LoggedInClient.h"

#include <psapi.h>

#include <memory>

using namespace clienttest;
using FastServer = ClientTest;

namespace {
// The client's private bytes (0 when they cannot be read).
uint64_t PrivateBytes(DWORD pid) {
    const std::unique_ptr<void, decltype(&CloseHandle)> h(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid), &CloseHandle);
    PROCESS_MEMORY_COUNTERS counters{};
    return h && GetProcessMemoryInfo(h.get(), &counters, sizeof counters) ? counters.PagefileUsage : 0;
}

// Moves, a square cleared, chat lines and now and then a who list of 30 players.
std::string ArenaTraffic() {
    std::string who;
    for (int p = 0; p < 30; ++p) who += "player" + std::to_string(p) + ":" + std::to_string(p) + ":12:Idle:Reds:3:0;";
    std::string frames;
    for (int i = 0; i < 40; ++i) {
        const std::string x = std::to_string(i * 3 % 150), y = std::to_string(i * 7 % 150), n = std::to_string(i % 100);
        frames += R"(["P", ")" + x + R"(", ")" + y + R"(", ")" + n + R"(", "40"], ["C", ")" + y + R"(", ")" + x + R"("], )";
        frames += R"(["c", "player)" + n + R"(", "hello there, round )" + std::to_string(i) + R"(", "0"], )";
    }
    return frames + R"(["w", ")" + who + R"("])";
}
}  // namespace

TEST_F(FastServer, AMinuteOfTrafficFasterThanTheClientHandlesKeepsTheConnectionAndTheWindowAnswering) {
    ASSERT_TRUE(Start());
    Clear();
    const uint64_t before = PrivateBytes(run.process.Pid());
    ASSERT_TRUE(Has(server.Command(R"({"cmd": "stream", "frames": [)" + ArenaTraffic() + R"(], "seconds": 60})"),
                    R"("ok": true)"));
    ClientProbe probe(MainWindow(), hook.Window());
    uint64_t most = before;
    bool kept = true;
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        most = std::max(most, PrivateBytes(run.process.Pid()));
        const std::string status = server.Command(R"({"cmd": "status"})");
        kept = kept && Has(status, R"("connected": true)");
        return !Has(status, R"("streaming": true)") || !kept;
    }, 90000));
    EXPECT_TRUE(kept);
    // Once the stream ends (what the connection still holds is worked down meanwhile), every
    // probe is answered.
    const DWORD end = GetTickCount();
    EXPECT_TRUE(testsupport::PumpUntil([&] { return probe.AnsweredSince(end); }, kComes));
    const ClientProbe::Gaps gaps = probe.Stop();
    EXPECT_LT(gaps.sent, 2000u);
    EXPECT_LT(gaps.posted, 2000u);
    EXPECT_TRUE(Connected());
    EXPECT_EQ(Reports(), 0);  // no report of a full buffer, nor of anything else
    EXPECT_TRUE(Dump("frmChatBar", "hello there, round 39")) << last;
    EXPECT_FALSE(Has(last, "Disconnected.")) << last;
    // The backlog is bounded, and so is what the client holds beside it.
    EXPECT_LT(most - before, 64u << 20) << before << " -> " << most;
}
