// The traffic counters of a secure socket: the bytes that went over the network (encrypted,
// with the messages' headers and trailers), while reads and writes return the plain counts.
#include <gtest/gtest.h>

#include "SecureTestSupport.h"
#include "SocketTable.h"
#include "Tetherline.h"

using namespace inet;

namespace {

TEST(SecureCounters, CountTheEncryptedBytesWhileCallsReturnThePlainOnes) {
    ASSERT_TRUE(InetInitializeA(nullptr, nullptr));
    {
        inettest::TlsPeer peer("selfsigned");
        ASSERT_TRUE(peer.ok());
        SOCKET s = InetConnectExA("localhost", peer.port(), 0, 10, INET_OPTION_SECURE, 0, 0, nullptr);
        ASSERT_NE(s, INVALID_SOCKET) << (InetGetLastError() & 0xFFFF);
        InetSocket* r = InetPeekSocket(s);
        ASSERT_NE(r, nullptr);
        // The handshake itself went over the network.
        EXPECT_GT(r->bytesSent, 100u);
        EXPECT_GT(r->bytesReceived, 500u);
        ASSERT_EQ(inettest::ReadExactly(s, 5), "hello");
        const DWORD sentBefore = r->bytesSent;
        const DWORD receivedBefore = r->bytesReceived;
        EXPECT_EQ(InetWrite(s, "0123456789", 10), 10);
        const DWORD overhead = r->security.sizes.cbHeader + r->security.sizes.cbTrailer;
        EXPECT_GT(r->bytesSent - sentBefore, 10u);
        EXPECT_LE(r->bytesSent - sentBefore, 10u + overhead);
        EXPECT_EQ(inettest::ReadExactly(s, 10), "0123456789");
        EXPECT_GT(r->bytesReceived - receivedBefore, 10u);
        EXPECT_LE(r->bytesReceived - receivedBefore, 10u + overhead);
        InetDisconnect(s);
    }
    InetUninitialize();
}

}  // namespace
