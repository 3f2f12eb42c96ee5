#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "InetTestSupport.h"

using namespace inettest;

namespace {

TEST(InetSocketTable, SocketsBelongToTheirThread) {
    InetSession session;
    SOCKET s = InetListen(kLoopback, 0);
    ASSERT_NE(s, INVALID_SOCKET);
    BOOL listening = TRUE;
    DWORD error = 0;
    int status = 0;
    int disconnect = 0;
    std::thread other([&] {
        listening = InetIsListening(s);
        error = InetGetLastError();
        status = InetGetStatus(s);  // the status is answered for any thread
        disconnect = InetDisconnect(s);
    });
    other.join();
    EXPECT_FALSE(listening);
    EXPECT_EQ(error, 0x80040000u | 10038);
    EXPECT_EQ(status, INET_STATUS_LISTEN);
    EXPECT_EQ(disconnect, -1);
    EXPECT_TRUE(InetIsListening(s));
    char text[64];
    InetGetErrorStringA(error, text, sizeof text);
    EXPECT_STREQ(text, "The specified handle is invalid");
}

TEST(InetSocketTable, HoldsAtMost1024Sockets) {
    InetSession session;
    std::vector<SOCKET> sockets;
    for (int i = 0; i < 1024; ++i) {
        SOCKET s = InetConnectA("127.0.0.1", 9, INET_PROTOCOL_UDP, 0);
        ASSERT_NE(s, INVALID_SOCKET) << "socket " << i << " error " << LastCode();
        sockets.push_back(s);
    }
    EXPECT_EQ(InetConnectA("127.0.0.1", 9, INET_PROTOCOL_UDP, 0), INVALID_SOCKET);
    EXPECT_EQ(LastCode(), 10024u);
    EXPECT_EQ(InetListen(kLoopback, 0), INVALID_SOCKET);
    EXPECT_EQ(LastCode(), 10024u);
    // A closed socket's slot is taken by the next one.
    ASSERT_EQ(InetDisconnect(sockets[500]), 0);
    SOCKET again = InetListen(kLoopback, 0);
    EXPECT_NE(again, INVALID_SOCKET);
    EXPECT_TRUE(InetIsListening(again));
    EXPECT_EQ(InetListen(kLoopback, 0), INVALID_SOCKET);
    EXPECT_EQ(LastCode(), 10024u);
}

TEST(InetSocketTable, UnknownSocketsAreInvalid) {
    InetSession session;
    EXPECT_FALSE(InetIsConnected(12345));
    EXPECT_EQ(LastCode(), 10038u);
    EXPECT_EQ(InetGetStatus(12345), 0);
    EXPECT_EQ(InetRead(12345, nullptr, 0), -1);
    EXPECT_EQ(LastCode(), 10038u);
    EXPECT_EQ(InetDisconnect(INVALID_SOCKET), -1);
}

}  // namespace
