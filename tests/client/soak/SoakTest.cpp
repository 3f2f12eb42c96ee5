// The client under a long demo session: the demo script at ten times its rate and random server
// frames of every letter in batches of 1,000, the client asked after each batch to centre its
// view ("U") on a square no random frame names, which it must answer with that view ("M"). At
// the end its handle count, GDI object count and private memory must be within 10 % of what they
// were after the first minute (a third of the run when it is shorter); every reading must come.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "DemoSession.h"

using namespace clienttest;

namespace {

double Setting(const char* name, double fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::atof(v) : fallback;
}

struct Use {
    double handles = 0, gdi = 0, privateBytes = 0;
};
// As the client counts them itself (the platform here tells another process nothing of them);
// nothing when no answer could be read.
std::optional<Use> UseOf(testsupport::HookClient& hook) {
    Use u;
    // A client busy with a batch may let the request go unanswered: it is asked again.
    if (!testsupport::PumpUntil([&] {
            return std::sscanf(hook.Ask("use").c_str(), "handles %lf gdi %lf private %lf", &u.handles, &u.gdi,
                               &u.privateBytes) == 3;
        }, 20000)) {
        return std::nullopt;
    }
    return u;
}

// The own player moved to (x, 40), a square no random frame names (their numbers are 0, 1, 2,
// 7, 12 and 149 in the arena, and others far outside it), and the view centred ("U"). The
// client answers with the view's origin, which follows x square for square while x stays even
// (a half square rounds to the even neighbour).
void Probe(const DemoSession& s, int x) {
    s.Clear();
    s.Send(R"(["P", ")" + std::to_string(x) + R"(", "40", "0", "10"], ["U"])");
}
constexpr int kFirstProbeX = 20;

bool Within(double value, double base) { return value <= base * 1.1 + 0.5 && value >= base * 0.9 - 0.5; }

}  // namespace

TEST(Soak, DemoSessionAndRandomFramesLeaveTheClientAliveAndItsUseFlat) {
    const double minutes = Setting("SKIRMORA_SOAK_MINUTES", 30);
    const int batches = static_cast<int>(Setting("SKIRMORA_SOAK_FRAMES", 100000) / 1000);
    const char* only = std::getenv("SKIRMORA_SOAK_LETTERS");  // to find which letters a fault needs
    const std::string letters = only ? only : "";
    DemoSession s("soak");
    // Auto-centre off: only the "U" of a probe centres the view on the probe's square.
    ASSERT_TRUE(s.Start("--rate 10", "AutoChat=True\r\nAutoCenter=False\r\n"));
    ASSERT_TRUE(s.LogIn()) << s.server.Frames();
    ASSERT_TRUE(s.Dump("frmMapDisp", "Map Display [Demo Arena]")) << s.last;
    // The view's origin when centred on the first probe's square, before any random frame.
    Probe(s, kFirstProbeX);
    ASSERT_TRUE(s.WaitSent(R"(["M", ")", 30000)) << s.server.Frames();
    const std::string frames = s.server.Frames();
    int originX = -1, originY = -1;
    ASSERT_EQ(std::sscanf(frames.c_str() + frames.find(R"(["M", ")"), R"(["M", "%d", "%d")", &originX, &originY), 2) << frames;
    const DWORD start = GetTickCount(), length = static_cast<DWORD>(minutes * 60000);
    const DWORD baselineAt = std::min<DWORD>(60000, length / 3);
    std::optional<Use> baseline;
    for (int batch = 0; batch < batches; ++batch) {
        s.server.Command(R"({"cmd": "random", "count": 1000, "letters": )" + testsupport::JsonString(letters) +
                         R"(, "seed": )" + std::to_string(batch) + "}");
        const int x = kFirstProbeX + 2 + 2 * (batch % 50);
        Probe(s, x);
        const std::string answer = R"(["M", ")" + std::to_string((originX + x - kFirstProbeX) % 150) + R"(", ")" +
                                   std::to_string(originY) + R"(", )";
        ASSERT_TRUE(s.WaitSent(answer, 30000)) << "no answer " << answer << " after batch " << batch;
        if (batch % 10 == 9) {
            const std::optional<Use> now = UseOf(s.hook);
            ASSERT_TRUE(now) << "no reading after batch " << batch;
            std::printf("%6.0f s, %6d frames: handles %.0f, GDI objects %.0f, private memory %.1f MB\n",
                        (GetTickCount() - start) / 1000.0, (batch + 1) * 1000, now->handles, now->gdi, now->privateBytes / 1048576.0);
        }
        // The batches spread over the run; the baseline is read once its time has come, also
        // when the batches fall behind.
        const DWORD due = start + static_cast<DWORD>(static_cast<double>(length) * (batch + 1) / batches);
        for (;;) {
            if (!baseline && GetTickCount() - start >= baselineAt) {
                baseline = UseOf(s.hook);
                ASSERT_TRUE(baseline) << "no reading at " << baselineAt / 1000 << " s";
            }
            if (static_cast<int32_t>(GetTickCount() - due) >= 0) break;
            testsupport::PumpFor(100);
        }
    }
    ASSERT_TRUE(s.run.process.Running());
    ASSERT_TRUE(baseline) << "no baseline reading";
    const std::optional<Use> end = UseOf(s.hook);
    ASSERT_TRUE(end) << "no reading at the end";
    std::printf("after %.1f min and %d random frames: handles %.0f -> %.0f, GDI objects %.0f -> %.0f, private memory "
                "%.1f -> %.1f MB (from %.0f s on)\n", minutes, batches * 1000, baseline->handles, end->handles,
                baseline->gdi, end->gdi, baseline->privateBytes / 1048576.0, end->privateBytes / 1048576.0, baselineAt / 1000.0);
    // A count of 0 is no reading: the client always holds handles, GDI objects and memory.
    ASSERT_TRUE(baseline->handles > 0 && baseline->gdi > 0 && baseline->privateBytes > 0) << "a reading of 0";
    EXPECT_TRUE(Within(end->handles, baseline->handles));
    EXPECT_TRUE(Within(end->gdi, baseline->gdi));
    EXPECT_TRUE(Within(end->privateBytes, baseline->privateBytes));
}
