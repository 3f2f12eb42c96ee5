#include <gtest/gtest.h>

#include <string>

#include "ReceiveBuffer.h"
#include "modEvents.h"

using namespace skx;

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
    std::string unimplemented;
    auto report = [&](char c) { unimplemented += c; };
    ReceiveBuffer = std::string("\x1Bx\0a\x01\x1B" "f\0\x01\x1Bq\0\x01\x1Bn\0par", 19);
    DispatchReceived(false, report);  // not connected: nothing moves
    EXPECT_EQ(ReceiveBuffer.size(), 19u);
    DispatchReceived(true, report);
    EXPECT_EQ(unimplemented, "xq");  // f is accepted silently
    EXPECT_EQ(ReceiveBuffer, std::string("\x1Bn\0par", 6));
    EXPECT_EQ(UnimplementedCommandText('x'), "Client Used UnImplemented Command: x");
    ReceiveBuffer.clear();
}
