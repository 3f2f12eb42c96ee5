// The client under a long demo session: the demo script at ten times its rate and random server
// frames of every letter in batches of 1,000, the client asked after each batch to centre its
// view ("U"), which it must answer with its view ("M"). At the end its handle count, GDI object
// count and private memory must be within 10 % of what they were after the first minute (a
// third of the run when it is shorter), and in a longer run its memory within 2 % of minute 5's.
// Each reading must be one of a live client, and its handles and memory as this process reads
// them from outside must agree with what the client counts itself.
// Such a run first fills the chat panes close to their bound: each holds up to 32,768
// characters and is emptied when full, so until all of them have filled once the client's
// memory grows by design (the random frames fill some in minutes, others not in half an hour).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "DemoSession.h"
#include "ProcessHandles.h"

using namespace clienttest;

namespace {

double Setting(const char* name, double fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::atof(v) : fallback;
}

struct Use {
    double handles = 0, gdi = 0, privateBytes = 0;
    bool read = false;  // the client answered
    // The same process read from outside, right after it answered (-1: the platform cannot say).
    double outsideHandles = -1, outsideGdi = -1, outsidePrivateBytes = -1;
};

void ReadFromOutside(DWORD pid, Use& u) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return;
    u.outsideHandles = skx::ProcessHandles(process, pid);
    // GetGuiResources fails for every process on this platform (the call is not implemented).
    if (const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS); gdi > 0) u.outsideGdi = gdi;
    CloseHandle(process);
    if (const uint64_t bytes = testsupport::PrivateBytes(pid); bytes > 0) u.outsidePrivateBytes = static_cast<double>(bytes);
}

// As the client counts them itself, and as this process reads them from outside.
Use UseOf(DemoSession& s) {
    Use u;
    // A client busy with a batch may let the request go unanswered: it is asked again.
    u.read = testsupport::PumpUntil([&] {
        return std::sscanf(s.hook.Ask("use").c_str(), "handles %lf gdi %lf private %lf", &u.handles, &u.gdi,
                           &u.privateBytes) == 3;
    }, 20000);
    if (u.read) ReadFromOutside(s.run.process.Pid(), u);
    return u;
}

// A reading of a live client: dozens of handles (files, sockets, threads, events), hundreds of
// GDI objects (its windows' fonts, brushes and bitmaps) and tens of MB, none of them beyond what
// a process can hold; where the platform lets another process read them, the same figures
// within a tenth (the client goes on working between the two readings).
::testing::AssertionResult Plausible(const Use& u) {
    const auto Near = [](double inside, double outside, double slack) {
        return outside < 0 || (outside <= inside * 1.1 + slack && outside >= inside * 0.9 - slack);
    };
    if (!u.read) return ::testing::AssertionFailure() << "no reading";
    if (u.handles < 20 || u.handles > 10000 || u.gdi < 100 || u.gdi > 10000 || u.privateBytes < 10e6 ||
        u.privateBytes > 2e9 || u.outsideHandles < 0 || u.outsidePrivateBytes < 0 ||
        !Near(u.handles, u.outsideHandles, 10) || !Near(u.gdi, u.outsideGdi, 10) ||
        !Near(u.privateBytes, u.outsidePrivateBytes, 2e6)) {
        return ::testing::AssertionFailure() << "handles " << u.handles << " (outside " << u.outsideHandles << "), GDI objects "
                                             << u.gdi << " (outside " << u.outsideGdi << "), private memory " << u.privateBytes
                                             << " (outside " << u.outsidePrivateBytes << ")";
    }
    return ::testing::AssertionSuccess();
}

// The own player moved to (x, 40), a square no random frame names (theirs are 0, 1, 2, 7, 12,
// 149 or outside the arena), and the view centred there: the origin the client answers with
// follows x square for square while x stays even (a half square rounds to the even neighbour).
void Probe(const DemoSession& s, int x) {
    s.Clear();
    s.Send(R"(["P", ")" + std::to_string(x) + R"(", "40", "0", "10"], ["U"])");
}

// The text length of each chat pane.
std::array<size_t, 6> PaneLengths(testsupport::HookClient& hook) {
    std::array<size_t, 6> lengths{};
    const std::string dump = hook.Ask("dump frmChatBar");
    for (size_t pane = 0; pane < lengths.size(); ++pane) {
        lengths[pane] = LoggedInClient::PaneText(dump, static_cast<int>(pane)).value_or("").size();
    }
    return lengths;
}

// Chat lines from the server into panes 1 to 5 (each also echoed into pane 0) until each holds
// at least `fill` characters; the session's own chat may meanwhile empty a full pane again,
// which is then filled anew. The lines are short and mixed, which costs the rich edit more per
// character than the random frames' lines do.
bool FillChatPanes(DemoSession& s, size_t fill) {
    static const char* const kinds[] = {"", "11", "0", "2", "7", "9"};  // the kind writing to each pane
    for (int round = 0; round < 500; ++round) {
        const std::array<size_t, 6> now = PaneLengths(s.hook);
        const auto low = std::find_if(now.begin() + 1, now.end(), [fill](size_t n) { return n < fill; });
        if (low == now.end()) return true;
        std::string frames;
        for (size_t line = 0; line < std::min<size_t>(100, (fill - *low) / 30 + 1); ++line) {
            frames += R"(["c", "srv", "a:b )" + std::to_string(round * 100 + line) + R"( 1;2 x:1", ")" +
                      kinds[low - now.begin()] + R"("], )";
        }
        s.Clear();
        s.Send(frames + R"(["U"])");
        if (!s.WaitSent(R"(["M", ")", 30000)) return false;
    }
    return false;
}

bool Within(double value, double base) { return value <= base * 1.1 + 0.5 && value >= base * 0.9 - 0.5; }

}  // namespace

TEST(Soak, DemoSessionAndRandomFramesLeaveTheClientAliveAndItsUseFlat) {
    const double minutes = Setting("SKIRMORA_SOAK_MINUTES", 30);
    const int batches = static_cast<int>(Setting("SKIRMORA_SOAK_FRAMES", 100000) / 1000);
    const char* only = std::getenv("SKIRMORA_SOAK_LETTERS");  // to find which letters a fault needs
    const std::string letters = only ? only : "";
    DemoSession s("soak");
    ASSERT_TRUE(s.Start("--rate 10", "AutoChat=True\r\nAutoCenter=False\r\n"));  // only "U" centres
    ASSERT_TRUE(s.LogIn()) << s.server.Frames();
    ASSERT_TRUE(s.Dump("frmMapDisp", "Map Display [Demo Arena]")) << s.last;
    const auto Panes = [&s] {
        std::string out;
        for (size_t n : PaneLengths(s.hook)) out += " " + std::to_string(n);
        return out;
    };
    if (minutes > 5) {
        ASSERT_TRUE(FillChatPanes(s, 30000)) << Panes();
        std::printf("chat panes filled:%s characters\n", Panes().c_str());
    }
    Probe(s, 20);  // before any random frame: the origin for x = 20
    ASSERT_TRUE(s.WaitSent(R"(["M", ")", 30000)) << s.server.Frames();
    const std::string first = s.server.Frames();
    int originX = -1, originY = -1;
    ASSERT_EQ(std::sscanf(first.c_str() + first.find(R"(["M", ")"), R"(["M", "%d", "%d")", &originX, &originY), 2) << first;
    const DWORD start = GetTickCount(), length = static_cast<DWORD>(minutes * 60000);
    const DWORD baselineAt = std::min<DWORD>(60000, length / 3);
    Use baseline, fifthMinute, end;
    bool baselineTaken = false;
    for (int batch = 0; batch < batches; ++batch) {
        s.server.Command(R"({"cmd": "random", "count": 1000, "letters": )" + testsupport::JsonString(letters) +
                         R"(, "seed": )" + std::to_string(batch) + "}");
        const int x = 22 + 2 * (batch % 50);
        const DWORD sent = GetTickCount();
        Probe(s, x);
        const std::string answer = R"(["M", ")" + std::to_string((originX + x - 20) % 150) + R"(", ")" + std::to_string(originY) + '"';
        // What the client sent since the probe tells an answer that never came from one that came
        // with another origin (the view's size or the own square changed).
        ASSERT_TRUE(s.WaitSent(answer, 30000)) << "no answer " << answer << " after batch " << batch << "; sent since the probe: "
                                               << s.server.Frames() << "; the client's " << s.Receiving() << "; the server's "
                                               << s.server.Command(R"({"cmd": "status"})");
        if (minutes <= 5) std::printf("batch %d answered in %lu ms\n", batch, GetTickCount() - sent);
        if (batch % 10 == 9) {
            const Use now = UseOf(s);
            ASSERT_TRUE(Plausible(now)) << "after batch " << batch;
            std::printf("%6.0f s, %6d frames: handles %.0f (outside %.0f), GDI objects %.0f, private memory %.1f MB (outside %.1f MB)\n",
                        (GetTickCount() - start) / 1000.0, (batch + 1) * 1000, now.handles, now.outsideHandles, now.gdi,
                        now.privateBytes / 1048576.0, now.outsidePrivateBytes / 1048576.0);
        }
        // The batches spread over the run; the baseline is read when its time has come, also
        // when the batches fall behind.
        const DWORD due = start + static_cast<DWORD>(static_cast<double>(length) * (batch + 1) / batches);
        for (;; testsupport::PumpFor(100)) {
            if (!baselineTaken && GetTickCount() - start >= baselineAt) baseline = UseOf(s), baselineTaken = true;
            if (length > 300000 && !fifthMinute.read && GetTickCount() - start >= 300000) fifthMinute = UseOf(s);
            if (static_cast<int32_t>(GetTickCount() - due) >= 0) break;
        }
    }
    ASSERT_TRUE(s.run.process.Running());
    end = UseOf(s);
    ASSERT_TRUE(Plausible(baseline)) << "at " << baselineAt / 1000 << " s";
    ASSERT_TRUE(Plausible(end)) << "at the end";
    std::printf("after %.1f min and %d random frames: handles %.0f -> %.0f, GDI objects %.0f -> %.0f, private memory "
                "%.1f -> %.1f MB (from %.0f s on); read from outside at the end: handles %.0f, private memory %.1f MB\n",
                minutes, batches * 1000, baseline.handles, end.handles, baseline.gdi, end.gdi, baseline.privateBytes / 1048576.0,
                end.privateBytes / 1048576.0, baselineAt / 1000.0, end.outsideHandles, end.outsidePrivateBytes / 1048576.0);
    EXPECT_TRUE(Within(end.handles, baseline.handles));
    EXPECT_TRUE(Within(end.gdi, baseline.gdi));
    EXPECT_TRUE(Within(end.privateBytes, baseline.privateBytes));
    if (length <= 300000) return;
    ASSERT_TRUE(Plausible(fifthMinute)) << "after minute 5";
    std::printf("private memory after minute 5: %.2f MB, at the end: %.2f MB (chat panes:%s characters)\n",
                fifthMinute.privateBytes / 1048576, end.privateBytes / 1048576, Panes().c_str());
    EXPECT_NEAR(end.privateBytes, fifthMinute.privateBytes, fifthMinute.privateBytes * 0.02);
}
