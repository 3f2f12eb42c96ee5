// A server faster than the client: ordinary arena traffic offered for a minute as fast as the
// connection takes it. The client holds the server back instead of cutting it off.
#include "ClientProbe.h"
#include "LoggedInClient.h"

#include <cstdio>

using namespace clienttest;
using FastServer = ClientTest;

namespace {
// Moves, a square cleared, chat lines, now and then a who list of 30 players, and a "U", which
// the client answers with its view ("M"): each one answered is a frame of the stream handled.
std::string ArenaTraffic() {
    std::string who;
    for (int p = 0; p < 30; ++p) who += "player" + std::to_string(p) + ":" + std::to_string(p) + ":12:Idle:Reds:3:0;";
    std::string frames;
    for (int i = 0; i < 40; ++i) {
        const std::string x = std::to_string(i * 3 % 150), y = std::to_string(i * 7 % 150), n = std::to_string(i % 100);
        frames += R"(["P", ")" + x + R"(", ")" + y + R"(", ")" + n + R"(", "40"], ["C", ")" + y + R"(", ")" + x + R"("], )";
        frames += R"(["c", "player)" + n + R"(", "hello there, round )" + std::to_string(i) + R"(", "0"], )";
    }
    return frames + R"(["w", ")" + who + R"("], ["U"])";
}
}  // namespace

TEST_F(FastServer, AMinuteOfTrafficFasterThanTheClientHandlesKeepsTheConnectionAndTheWindowAnswering) {
    ASSERT_TRUE(Start());
    Clear();
    const uint64_t before = testsupport::PrivateBytes(run.process.Pid());
    ASSERT_GT(before, 0u) << "the client's private bytes cannot be read";
    ASSERT_TRUE(Has(server.Command(R"({"cmd": "stream", "frames": [)" + ArenaTraffic() + R"(], "seconds": 60})"),
                    R"("ok": true)"));
    ClientProbe probe(MainWindow(), hook.Window());
    uint64_t most = before;
    bool kept = true;
    std::string status;
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        most = std::max(most, testsupport::PrivateBytes(run.process.Pid()));
        status = server.Command(R"({"cmd": "status"})");
        kept = kept && Has(status, R"("connected": true)");
        return !Has(status, R"("streaming": true)") || !kept;
    }, 120000)) << status;
    EXPECT_TRUE(kept) << status;
    // The whole minute was streamed, and the client held the server back on the way.
    EXPECT_GE(server.StatusNumber(status, "stream_ms"), 60000) << status;
    EXPECT_GE(server.StatusNumber(status, "longest_send_ms"), 1000) << status;
    // Once the stream ends (what the connection still holds is worked down meanwhile), every
    // probe is answered, and every "U" streamed has been handled: none was lost on the way.
    const DWORD end = GetTickCount();
    EXPECT_TRUE(testsupport::PumpUntil([&] { return probe.AnsweredSince(end); }, kComes)) << Receiving();
    // What the connection held when the stream ended is worked down at the client's pace: the
    // wait goes on while views keep coming (a minute without one is a hang).
    const long streamedU = server.StatusNumber(status, "streamed_u");
    ASSERT_GT(streamedU, 0) << status;
    int views = 0;
    DWORD moved = GetTickCount(), asked = 0;
    EXPECT_TRUE(testsupport::PumpUntil([&] {
        if (GetTickCount() - asked < 500) return false;
        asked = GetTickCount();
        if (const int now = Sent(R"(["M", )"); now != views) views = now, moved = asked;
        return views >= streamedU || asked - moved > kComes;
    }, 15 * 60000) && views >= streamedU) << views << " views sent for " << streamedU << " \"U\" streamed; " << Receiving();
    std::printf("%ld \"U\" streamed, all answered %.1f s after the stream's end\n", streamedU, (GetTickCount() - end) / 1000.0);
    EXPECT_EQ(Sent(R"(["M", )"), streamedU);
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
