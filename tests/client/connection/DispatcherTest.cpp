#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "DispatchTurns.h"
#include "ProtocolFrame.h"
#include "ReceiveBuffer.h"
#include "modEvents.h"

using namespace skx;

namespace {
std::string S(const char* p, size_t n) { return std::string(p, n); }
std::string Frame(char command, const std::string& data) {
    return FrameStart + std::string(1, command) + FieldSeparator + data + FrameEnd;
}
}  // namespace

TEST(Dispatcher, EveryLetterOfTheTableHasItsRoute) {
    const std::string handled = "abcdeghilnortvwyzBCDEFGLMNOPRSTUV#?";
    const std::string unimplemented = "jkmpqsuxAHIJKQWXYZ!@0 \x01";
    for (char c : handled) EXPECT_EQ(RouteCommand(c).kind, CommandKind::Handler) << c;
    for (char c : unimplemented) EXPECT_EQ(RouteCommand(c).kind, CommandKind::Unimplemented) << c;
    EXPECT_EQ(RouteCommand('f').kind, CommandKind::Ignored);
    EXPECT_EQ(RouteCommand('M').handler, &EventUM);
    EXPECT_EQ(RouteCommand('a').handler, &EventLA);
    EXPECT_EQ(RouteCommand('#').handler, &EventERROR);
    EXPECT_EQ(RouteCommand('?').handler, &EventMAP);
    EXPECT_EQ(RouteCommand('z').handler, &EventLZ);
    EXPECT_EQ(RouteCommand('V').handler, &EventUV);
}

TEST(Dispatcher, PassHandlesWholeFramesAndKeepsTheTail) {
    ClearReceiveBuffer();
    std::string unimplemented;
    DispatchReport report;
    report.unimplemented = [&](char c) { unimplemented += c; };
    ReceiveBuffer = S("\x1Bx\0a\x01\x1B" "f\0\x01\x1Bq\0\x01\x1Bn\0par", 19);
    DispatchReceived([] { return false; }, report);  // not connected: nothing moves
    EXPECT_EQ(ReceiveBuffer.size(), 19u);
    DispatchReceived([] { return true; }, report);
    EXPECT_EQ(unimplemented, "xq");  // f is accepted silently
    EXPECT_EQ(ReceiveBuffer, S("\x1Bn\0par", 6));
    EXPECT_TRUE(HasReceivedData());
    EXPECT_EQ(UnimplementedCommandText('x'), "Client Used UnImplemented Command: x");
    ClearReceiveBuffer();
    EXPECT_FALSE(HasReceivedData());
}

TEST(Dispatcher, OneByteReadsWithPassesBetweenGiveEachFrameOnce) {
    ClearReceiveBuffer();
    std::string seen;
    DispatchReport report;
    report.unimplemented = [&](char c) { seen += c; };
    std::string wire = Frame('x', "one") + Frame('q', S("t\0w\x02o", 5)) + Frame('j', "");
    for (char c : wire) {
        ReceiveBuffer += c;
        DispatchReceived([] { return true; }, report);
    }
    EXPECT_EQ(seen, "xqj");
    EXPECT_FALSE(HasReceivedData());
}

TEST(Dispatcher, NestedPassGoesOnWithTheNextFrameInArrivalOrder) {
    ClearReceiveBuffer();
    std::vector<char> order;
    DispatchReport report;
    int depth = 0, deepest = 0;
    report.unimplemented = [&](char c) {
        order.push_back(c);
        ++depth;
        deepest = std::max(deepest, depth);
        if (c == 'x') {
            // A handler that turns the message loop: more text arrives, and a nested pass runs.
            ReceiveBuffer += Frame('k', "late");
            DispatchReceived([] { return true; }, report);
        }
        --depth;
    };
    ReceiveBuffer = Frame('x', "") + Frame('j', "") + Frame('q', "");
    DispatchReceived([] { return true; }, report);
    // The nested pass took j and q (already received) before k, and nothing twice.
    EXPECT_EQ(std::string(order.begin(), order.end()), "xjqk");
    EXPECT_EQ(deepest, 2);
    EXPECT_FALSE(HasReceivedData());
}

TEST(Dispatcher, NestingIsBoundedAndLeftFramesWaitForTheOuterPass) {
    ClearReceiveBuffer();
    int depth = 0, deepest = 0, handled = 0;
    DispatchReport report;
    std::function<void(char)> box = [&](char) {
        ++handled;
        ++depth;
        deepest = std::max(deepest, depth);
        DispatchReceived([] { return true; }, report);  // every frame raises a box that pumps
        --depth;
    };
    report.unimplemented = box;
    for (int i = 0; i < 50; ++i) ReceiveBuffer += Frame('x', std::to_string(i));
    DispatchReceived([] { return true; }, report);
    EXPECT_EQ(handled, 50);
    EXPECT_EQ(deepest, kMaxDispatchDepth);
    EXPECT_FALSE(HasReceivedData());
}

TEST(Dispatcher, HandlerFailureKeepsTheFramesNotYetHandled) {
    ClearReceiveBuffer();
    std::string seen;
    DispatchReport report;
    report.unimplemented = [&](char c) {
        seen += c;
        if (c == 'x') throw std::runtime_error("bad frame");
    };
    ReceiveBuffer = Frame('x', "") + Frame('j', "") + Frame('q', "");
    EXPECT_THROW(DispatchReceived([] { return true; }, report), std::runtime_error);
    EXPECT_TRUE(HasReceivedData());
    DispatchReceived([] { return true; }, report);  // the next tick goes on
    EXPECT_EQ(seen, "xjq");
}

TEST(Dispatcher, DroppedTextIsReportedOncePerConnection) {
    ClearReceiveBuffer();
    std::vector<size_t> reports;
    DispatchReport report;
    report.dropped = [&](size_t n) { reports.push_back(n); };
    ReceiveBuffer = "junk" + Frame('f', "") + "more\x01";
    DispatchReceived([] { return true; }, report);
    ReceiveBuffer = "again" + Frame('f', "");
    DispatchReceived([] { return true; }, report);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], 9u);
    ClearReceiveBuffer();  // a new connection reports again
    ReceiveBuffer = "x" + Frame('f', "");
    DispatchReceived([] { return true; }, report);
    EXPECT_EQ(reports.size(), 2u);
    ClearReceiveBuffer();
}

TEST(Dispatcher, ConnectionLostMidPassLeavesTheRestWaiting) {
    ClearReceiveBuffer();
    bool connected = true;
    std::string seen;
    DispatchReport report;
    report.unimplemented = [&](char c) {
        seen += c;
        connected = false;
    };
    ReceiveBuffer = Frame('x', "") + Frame('j', "");
    DispatchReceived([&] { return connected; }, report);
    EXPECT_EQ(seen, "x");
    EXPECT_TRUE(HasReceivedData());
    ClearReceiveBuffer();
}

namespace {
std::string events;
LRESULT CALLBACK SinkProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_APP) events += 'm';
    return DefWindowProcA(h, m, w, l);
}

void Spin(double ms) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double, std::milli>(ms);
    while (std::chrono::steady_clock::now() < until) {
    }
}
}  // namespace

TEST(Dispatcher, BudgetedPassesHandleEveryFrameOnceInOrderAndAtLeastOneEach) {
    ClearReceiveBuffer();
    std::string seen, expected;
    DispatchReport report;
    report.unimplemented = [&](char c) {
        seen += c;
        if (seen.size() % 100 == 0) Spin(4);
    };
    // More than one cut piece of text, so that passes also cut the buffer a piece at a time.
    for (int i = 0; i < 3000; ++i) {
        expected += "jkmpq"[i % 5];
        ReceiveBuffer += Frame(expected.back(), std::string(40, 'd'));
    }
    ASSERT_GT(ReceiveBuffer.size(), kCutPiece);
    int passes = 0;
    while (DispatchReceived([] { return true; }, report, 15)) {
        ++passes;
        ASSERT_LT(passes, 100);
    }
    EXPECT_GE(passes, 3);  // about 120 ms of handlers
    EXPECT_EQ(seen, expected);
    EXPECT_FALSE(HasReceivedData());

    // A frame dearer than the whole budget still moves on: one a pass.
    seen.clear();
    report.unimplemented = [&](char c) {
        seen += c;
        Spin(12);
    };
    ReceiveBuffer = Frame('x', "") + Frame('j', "") + Frame('q', "");
    EXPECT_TRUE(DispatchReceived([] { return true; }, report, 5));
    EXPECT_EQ(seen, "x");
    EXPECT_TRUE(DispatchReceived([] { return true; }, report, 5));
    EXPECT_FALSE(DispatchReceived([] { return true; }, report, 5));
    EXPECT_EQ(seen, "xjq");
}

TEST(Dispatcher, ContinuedPassesLetTheMessageLoopServeWhatWaitsBetweenThem) {
    ClearReceiveBuffer();
    // A window whose messages come in while the passes run, as input and painting do.
    events.clear();
    WNDCLASSA wc{};
    wc.lpfnWndProc = &SinkProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "DispatcherTestSink";
    RegisterClassA(&wc);
    HWND sink = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(sink);
    DispatchReport report;
    report.unimplemented = [&](char) {
        PostMessageA(sink, WM_APP, 0, 0);  // waits until the pass ends
        Spin(3);
    };
    for (int i = 0; i < 40; ++i) ReceiveBuffer += Frame('x', "");
    auto pass = [&report] {
        events += 'P';
        return DispatchReceived([] { return true; }, report, 10);
    };
    if (pass()) ContinueDispatchSoon(pass);
    MSG msg;
    const DWORD start = GetTickCount();
    while (DispatchContinues() && GetTickCount() - start < 10000 && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageA(&msg);
    }
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);  // the last pass's
    DestroyWindow(sink);
    EXPECT_FALSE(HasReceivedData());
    EXPECT_GE(std::count(events.begin(), events.end(), 'P'), 4);
    // Every pass after the first came only once the messages posted during the one before were served.
    EXPECT_EQ(events.find("PP"), std::string::npos) << events;
    EXPECT_EQ(std::count(events.begin(), events.end(), 'm'), 40);
}
