#include <gtest/gtest.h>

#include <string>
#include <vector>

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
