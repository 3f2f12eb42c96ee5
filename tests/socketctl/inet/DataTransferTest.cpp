#include <gtest/gtest.h>

#include <WinTestSupport.h>

#include <cstring>
#include <string>

#include "InetTestSupport.h"

using namespace inettest;

namespace {

// A library socket connected to a raw peer socket.
struct Pair {
    RawSocket listener;
    RawSocket peer;
    SOCKET s = INVALID_SOCKET;
};

Pair Connect(DWORD options = 0) {
    Pair p;
    u_short port = 0;
    p.listener = RawListener(1, &port);
    p.s = InetConnectExA("127.0.0.1", port, INET_PROTOCOL_TCP, 5, options, 0, 0, nullptr);
    p.peer = RawSocket(accept(p.listener.get(), nullptr, nullptr));
    return p;
}

TEST(InetRead, ZeroLengthReadsNothing) {
    InetSession session;
    Pair p = Connect();
    ASSERT_NE(p.s, INVALID_SOCKET);
    char buf[4];
    DWORD start = GetTickCount();
    EXPECT_EQ(InetRead(p.s, buf, 0), 0);
    EXPECT_EQ(InetRead(p.s, nullptr, 0), 0);
    EXPECT_LT(GetTickCount() - start, 500u);
    EXPECT_FALSE(InetIsConnectionClosed(p.s));
    EXPECT_TRUE(InetIsConnected(p.s));
}

TEST(InetRead, RefusesBadBuffers) {
    InetSession session;
    Pair p = Connect();
    ASSERT_NE(p.s, INVALID_SOCKET);
    char buf[4];
    EXPECT_EQ(InetRead(p.s, nullptr, 5), -1);
    EXPECT_EQ(LastCode(), 10014u);
    EXPECT_EQ(InetRead(p.s, buf, -1), -1);
    EXPECT_EQ(LastCode(), 10014u);
    EXPECT_EQ(InetWrite(p.s, nullptr, 5), -1);
    EXPECT_EQ(LastCode(), 10014u);
    EXPECT_EQ(InetWrite(p.s, buf, -3), -1);
    EXPECT_EQ(LastCode(), 10014u);
    EXPECT_EQ(InetWrite(p.s, nullptr, 0), 0);
}

TEST(InetRead, PeerResetIs10054) {
    InetSession session;
    SOCKET listener = InetListen(kLoopback, 0);
    ASSERT_NE(listener, INVALID_SOCKET);
    UINT port = 0;
    InetGetLocalAddress(listener, nullptr, &port);
    testsupport::ChildProcess python;
    ASSERT_TRUE(testsupport::StartPython(python, "tests/socketctl/inet/peers.py", "reset " + std::to_string(port)));
    SOCKET s = InetAccept(listener, 10);
    ASSERT_NE(s, INVALID_SOCKET) << LastCode();
    char buf[4];
    ASSERT_EQ(InetRead(s, buf, 1), 1);
    EXPECT_EQ(buf[0], 'x');
    EXPECT_EQ(InetWrite(s, "go", 2), 2);
    ASSERT_TRUE(WaitForSocket(s, Ready::Read));  // the reset has come
    // Windows fails the read with 10054; Wine reports the reset there as the end of data.
    int n = InetRead(s, buf, sizeof buf);
    EXPECT_LE(n, 0);
    if (n < 0) {
        EXPECT_EQ(LastCode(), 10054u);
    }
    EXPECT_EQ(InetWrite(s, "more", 4), -1);
    EXPECT_EQ(LastCode(), 10054u);
    EXPECT_EQ(ErrorText(0), "Network connection aborted by remote host");
}

TEST(InetFlush, DiscardsPendingInput) {
    InetSession session;
    Pair p = Connect();
    ASSERT_NE(p.s, INVALID_SOCKET);
    std::string junk(1000, 'j');
    send(p.peer.get(), junk.data(), static_cast<int>(junk.size()), 0);
    ASSERT_TRUE(WaitForBytes(p.s, 1000));
    EXPECT_EQ(InetFlush(p.s), 0);
    EXPECT_FALSE(InetIsReadable(p.s, 0, nullptr));
    EXPECT_EQ(InetGetStatus(p.s), INET_STATUS_IDLE);
    send(p.peer.get(), "new", 3, 0);
    char buf[8] = {};
    EXPECT_EQ(InetRead(p.s, buf, sizeof buf), 3);
    EXPECT_STREQ(buf, "new");
}

TEST(InetFlush, OnlyForTcp) {
    InetSession session;
    SOCKET s = InetConnectA("127.0.0.1", 9, INET_PROTOCOL_UDP, 5);
    ASSERT_NE(s, INVALID_SOCKET);
    EXPECT_EQ(InetFlush(s), -1);
    EXPECT_EQ(LastCode(), 10043u);
}

TEST(InetIsReadable, WaitsAndCountsPendingBytes) {
    InetSession session;
    Pair p = Connect();
    ASSERT_NE(p.s, INVALID_SOCKET);
    DWORD available = 99;
    DWORD start = GetTickCount();
    EXPECT_FALSE(InetIsReadable(p.s, 1500, &available));
    DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 1400u);
    EXPECT_LT(elapsed, 3000u);
    EXPECT_EQ(available, 0u);
    send(p.peer.get(), "0123456789", 10, 0);
    EXPECT_TRUE(InetIsReadable(p.s, 2000, &available));
    ASSERT_TRUE(WaitForBytes(p.s, 10));
    EXPECT_TRUE(InetIsReadable(p.s, 0, &available));
    EXPECT_EQ(available, 10u);
    EXPECT_TRUE(InetIsWritable(p.s, 0));
    EXPECT_FALSE(InetIsReadable(4711, 0, &available));
    EXPECT_EQ(LastCode(), 10038u);
}

TEST(InetIsUrgent, SeesOutOfBandDataWithInLineOff) {
    InetSession session;
    Pair p = Connect();
    ASSERT_NE(p.s, INVALID_SOCKET);
    EXPECT_FALSE(InetIsUrgent(p.s));
    send(p.peer.get(), "ab", 2, 0);
    send(p.peer.get(), "!", 1, MSG_OOB);
    ASSERT_TRUE(WaitForSocket(p.s, Ready::Except));
    // The ordinary bytes before the urgent byte come first; then the urgent byte waits.
    char buf[8] = {};
    EXPECT_EQ(InetRead(p.s, buf, sizeof buf), 2);
    EXPECT_STREQ(buf, "ab");
    EXPECT_TRUE(InetIsUrgent(p.s));
    EXPECT_FALSE(InetIsUrgent(4711));
}

TEST(InetOptions, SecureBitAndOptionMapping) {
    InetSession session;
    Pair p = Connect();
    ASSERT_NE(p.s, INVALID_SOCKET);
    DWORD value = 77;
    EXPECT_EQ(InetGetOption(p.s, INET_OPTION_SECURE, &value), -1);
    EXPECT_EQ(LastCode(), 10045u);
    EXPECT_EQ(InetSetOption(p.s, INET_OPTION_SECURE, 1), 0);
    EXPECT_EQ(InetGetOption(p.s, 0, &value), 0);
    EXPECT_EQ(value, 77u);
    EXPECT_EQ(InetGetOption(p.s, 64, &value), -1);
    EXPECT_EQ(LastCode(), 10045u);
    EXPECT_EQ(InetSetOption(p.s, 3, 1), -1);
    EXPECT_EQ(LastCode(), 10045u);
    EXPECT_EQ(InetGetOption(p.s, INET_OPTION_NODELAY, nullptr), -1);
    EXPECT_EQ(LastCode(), 10014u);

    EXPECT_EQ(InetSetOption(p.s, INET_OPTION_NODELAY, 1), 0);
    EXPECT_EQ(InetGetOption(p.s, INET_OPTION_NODELAY, &value), 0);
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(InetSetOption(p.s, INET_OPTION_NODELAY, 0), 0);
    EXPECT_EQ(InetGetOption(p.s, INET_OPTION_NODELAY, &value), 0);
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(InetSetOption(p.s, INET_OPTION_KEEPALIVE, 5), 0);
    EXPECT_EQ(InetGetOption(p.s, INET_OPTION_KEEPALIVE, &value), 0);
    EXPECT_EQ(value, 1u);
}

TEST(InetOptions, InLineFromConnect) {
    InetSession session;
    Pair p = Connect(INET_OPTION_INLINE);
    ASSERT_NE(p.s, INVALID_SOCKET);
    DWORD value = 0;
    EXPECT_EQ(InetGetOption(p.s, INET_OPTION_INLINE, &value), 0);
    EXPECT_EQ(value, 1u);
}

TEST(InetAddresses, PortStringMatchesTheRealLocalPort) {
    InetSession session;
    Pair p = Connect();
    ASSERT_NE(p.s, INVALID_SOCKET);
    sockaddr_in peerSide{};
    int len = sizeof peerSide;
    getpeername(p.peer.get(), reinterpret_cast<sockaddr*>(&peerSide), &len);
    unsigned port = ntohs(peerSide.sin_port);
    std::string expected = "127,0,0,1," + std::to_string(port >> 8) + "," + std::to_string(port & 0xFF);
    char text[64];
    EXPECT_EQ(InetGetLocalAddressStringA(p.s, text, sizeof text), static_cast<int>(expected.size()));
    EXPECT_EQ(text, expected);
    EXPECT_EQ(InetGetLocalAddressStringA(p.s, nullptr, 0), static_cast<int>(expected.size()));
    char small[6];
    EXPECT_EQ(InetGetLocalAddressStringA(p.s, small, sizeof small), 5);
    EXPECT_STREQ(small, "127,0");
    wchar_t wide[64];
    EXPECT_EQ(InetGetLocalAddressStringW(p.s, wide, 64), static_cast<int>(expected.size()));
    EXPECT_EQ(InetGetLocalAddressStringA(INVALID_SOCKET, text, sizeof text), -1);
    EXPECT_EQ(LastCode(), 10038u);
}

TEST(InetAddresses, LocalHostAndAdapters) {
    InetSession session;
    DWORD address = 0;
    UINT port = 99;
    int rc = InetGetLocalAddress(INVALID_SOCKET, &address, &port);
    if (rc == 0) {
        EXPECT_NE(address, INADDR_NONE);
        EXPECT_EQ(port, 0u);
        DWORD list[16] = {};
        int count = InetEnumNetworkAdresses(list, 16);
        EXPECT_GE(count, 1);
        EXPECT_EQ(InetEnumNetworkAdresses(nullptr, 0), count);
    } else {
        EXPECT_EQ(LastCode(), 12004u);
    }
    DWORD one = 0;
    EXPECT_EQ(InetEnumNetworkAdresses(&one, 0), -1);
    EXPECT_EQ(LastCode(), 10014u);
    EXPECT_FALSE(InetGetPhysicalAddressA(nullptr, 18));
    EXPECT_EQ(LastCode(), 10014u);
    char mac[18] = "unchanged";
    if (InetGetPhysicalAddressA(mac, sizeof mac)) {
        EXPECT_EQ(std::strlen(mac), 17u);
    } else {
        EXPECT_STREQ(mac, "");
    }
}

TEST(InetAddresses, NeedInitialisation) {
    EXPECT_EQ(InetEnumNetworkAdresses(nullptr, 0), -1);
    EXPECT_EQ(LastCode(), 10093u);
    EXPECT_EQ(InetGetLocalAddressStringA(1, nullptr, 0), -1);
    EXPECT_EQ(LastCode(), 10093u);
}

}  // namespace
