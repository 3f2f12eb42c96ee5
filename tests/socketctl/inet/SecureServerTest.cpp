// The accepting side of secure sockets against a Python TLS client (tls_peers.py client):
// the server certificate named in the credentials, taken from a system store.
#include <gtest/gtest.h>

#include <WinTestSupport.h>

#include <string>

#include "InetTestSupport.h"
#include "SecureTestSupport.h"

using namespace inettest;

namespace {

class SecureServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session_.ok());
        listener_ = InetListenExA(0, 0, 5, INET_OPTION_REUSEADDRESS);
        ASSERT_NE(listener_, INVALID_SOCKET) << LastCode();
        UINT port = 0;
        ASSERT_EQ(InetGetLocalAddress(listener_, nullptr, &port), 0);
        ASSERT_NE(port, 0u);
        port_ = static_cast<u_short>(port);
        ASSERT_TRUE(testsupport::StartPython(client_, "tests/socketctl/inet/tls_peers.py",
                                             "client " + std::to_string(port_) + " tests/socketctl/inet/tls/ca.pem"));
    }
    void TearDown() override {
        if (listener_ != INVALID_SOCKET) InetDisconnect(listener_);
    }
    // The client's exit status: 0 when its handshake succeeded.
    DWORD ClientResult() {
        DWORD code = 99;
        EXPECT_TRUE(client_.Wait(15000, &code));
        return code;
    }

    InetSession session_;
    u_short port_ = 0;
    SOCKET listener_ = INVALID_SOCKET;
    testsupport::ChildProcess client_;
};

TEST_F(SecureServerTest, AcceptWithoutACertificateNameFailsAndClosesTheConnection) {
    const SOCKET accepted = InetAcceptExA(listener_, 10, INET_OPTION_SECURE, nullptr);
    EXPECT_EQ(accepted, INVALID_SOCKET);
    EXPECT_EQ(LastCode(), 12103u);
    EXPECT_EQ(ClientResult(), 1u);
    // The listener stays and serves the next client.
    EXPECT_TRUE(InetIsListening(listener_));
}

TEST_F(SecureServerTest, AcceptWithAnUnknownCertificateFails) {
    LPSECURITYCREDENTIALSA credentials = nullptr;
    ASSERT_TRUE(InetCreateSecurityCredentialsA(7, 0, nullptr, nullptr, "MY", "No Such Skirmora Certificate", 0,
                                               &credentials));
    EXPECT_EQ(InetAcceptExA(listener_, 10, INET_OPTION_SECURE, credentials), INVALID_SOCKET);
    EXPECT_EQ(LastCode(), 12103u);
    EXPECT_EQ(ClientResult(), 1u);
    // A store that does not exist cannot be opened either.
    InetDeleteSecurityCredentialsA(&credentials);
}

TEST_F(SecureServerTest, AcceptRefusesATooSmallCredentialsRecord) {
    LPSECURITYCREDENTIALSA credentials = nullptr;
    ASSERT_TRUE(InetCreateSecurityCredentialsA(7, 0, nullptr, nullptr, "MY", "localhost", 0, &credentials));
    credentials->dwSize = 8;
    EXPECT_EQ(InetAcceptExA(listener_, 10, INET_OPTION_SECURE, credentials), INVALID_SOCKET);
    EXPECT_EQ(LastCode(), 10014u);
    InetDeleteSecurityCredentialsA(&credentials);
    // Nothing was accepted: the client still waits and is taken by a plain accept.
    const SOCKET plain = InetAcceptExA(listener_, 10, 0, nullptr);
    EXPECT_NE(plain, INVALID_SOCKET);
    InetDisconnect(plain);
    EXPECT_EQ(ClientResult(), 1u);
}

TEST_F(SecureServerTest, AcceptWithTheServerCertificateFromMy) {
    ServerCertificateInMy certificate;
    ASSERT_TRUE(certificate.ok()) << "the server certificate could not be put into MY";
    LPSECURITYCREDENTIALSA credentials = nullptr;
    ASSERT_TRUE(InetCreateSecurityCredentialsA(7, 0, nullptr, nullptr, nullptr, "localhost", 0, &credentials));
    const DWORD start = GetTickCount();
    const SOCKET accepted = InetAcceptExA(listener_, 10, INET_OPTION_SECURE, credentials);
    InetDeleteSecurityCredentialsA(&credentials);
    if (accepted != INVALID_SOCKET) {
        // A platform whose security package accepts connections: the client's data arrives.
        EXPECT_EQ(ReadExactly(accepted, 4), "ping");
        EXPECT_EQ(InetWrite(accepted, "pong", 4), 4);
        InetDisconnect(accepted);
        EXPECT_EQ(ClientResult(), 0u);
    } else {
        // Wine's Schannel has no accepting side: the handshake fails cleanly and promptly.
        EXPECT_EQ(LastCode(), 12102u);
        EXPECT_LT(GetTickCount() - start, 5000u);
        EXPECT_EQ(ClientResult(), 1u);
    }
}

}  // namespace
